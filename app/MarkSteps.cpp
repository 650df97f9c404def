#include "MarkSteps.h"

#include <charconv>
#include <initializer_list>
#include <limits>
#include <string_view>

#include "MarkCode.h"
#include "records/Marks.h"

namespace tavolin {

namespace {

namespace m = tessaly::marks;

constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

enum class Field : uint8_t { None, V1, V2, Text, Kind, Grace, SlurLow, SlurHigh, Volta };
// How a step outside [lo, hi] ends: not made, set to the bound, set to `to`, not made with a beep,
// or set to the bound with a beep. Two limits look at one value `at` only: Quiet holds the step (no
// write, no redraw) when the value before it is `at`; Swap writes `to` when the result is `at`.
enum class Limit : uint8_t { Stop, Clamp, Wrap, BeepStop, BeepClamp, Quiet, Swap };

struct Step {
    Field field = Field::None;
    int8_t delta = 0;
    int64_t lo = kMin;
    int64_t hi = kMax;
    Limit limit = Limit::Stop;
    int64_t to = 0;
    int64_t at = 0;
};

enum class Via : uint8_t { None, Cet, Cci };

struct KindRow {
    std::initializer_list<int16_t> codes;  // also the family a kind change walks, wrapping
    Step buttons[6];
    Via via;
};

constexpr Step V1(int d) {
    return {Field::V1, static_cast<int8_t>(d)};
}
constexpr Step V2(int d) {
    return {Field::V2, static_cast<int8_t>(d)};
}
constexpr Step Kind(int d) {
    return {Field::Kind, static_cast<int8_t>(d)};
}
constexpr Step Bound(Step s, int64_t lo, int64_t hi, Limit l, int64_t to = 0) {
    s.lo = lo;
    s.hi = hi;
    s.limit = l;
    s.to = to;
    return s;
}
constexpr Step At(Step s, Limit l, int64_t at, int64_t to = 0) {
    s.limit = l;
    s.at = at;
    s.to = to;
    return s;
}
constexpr Step None{};
constexpr Step V2Floor1 = Bound(V2(-1), 1, kMax, Limit::Clamp);

#define ALL6(s) \
    { s, s, s, s, s, s }

const KindRow kDefault{{}, {V1(1), V1(-1), V2(1), V2(-1), None, None}, Via::None};

const KindRow kKinds[] = {
    {{Mark("顺回音"), Mark("逆回音"), Mark("单上波音"), Mark("单下波音"), Mark("复上波音"), Mark("复下波音")},
     {V1(1), V1(-1), None, None, Kind(1), Kind(-1)},
     Via::Cet},
    {{Mark("D.C.反复记号"), Mark("D.S.反复记号"), Mark("D.S.反复目标记号"), Mark("D.C.alCoda记号"),
      Mark("D.C.alFine记号"), Mark("Fine记号"), Mark("灯笼记号")},
     {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)},
     Via::Cet},
    {{Mark("小节休止符")},
     {Bound(V1(1), kMin, 100, Limit::Stop), Bound(V1(-1), 0, kMax, Limit::Stop), V2(-1), V2(1), None, None},
     Via::None},
    {{Mark("断音/顿音"), Mark("重音"), Mark("倍重音"), Mark("保持音"), Mark("跳音")},
     {V1(1), V1(-1), None, None, Kind(1), Kind(-1)},
     Via::Cet},
    {{Mark("上回滑音"), Mark("下回滑音")}, ALL6(Kind(1)), Via::Cet},
    {{Mark("很弱"), Mark("弱"), Mark("稍弱"), Mark("稍强"), Mark("强"), Mark("很强"), Mark("特强"), Mark("强后即弱"),
      Mark("特强后即弱")},
     {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)},
     Via::Cet},
    {{Mark("节奏拍号")},
     {Bound(V1(1), kMin, 16, Limit::Stop), Bound(V1(-1), 1, kMax, Limit::Stop), Bound(V2(1), kMin, 16, Limit::Stop),
      Bound(V2(-1), 1, kMax, Limit::Stop), None, None},
     Via::None},
    {{Mark("渐慢"), Mark("渐快"), Mark("回原速")}, {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)}, Via::Cet},
    {{Mark("倚音")}, {{Field::Grace, 1}, {Field::Grace, -1}, None, None, None, None}, Via::None},
    {{Mark("小节线"), Mark("虚小节线"), Mark("终止线"), Mark("段落线"), Mark("前段落反复号"), Mark("后段落反复号"),
      Mark("前后段落反复号"), Mark("开始位"), Mark("特征小节线")},
     {None, None, None, None, Kind(1), Kind(-1)},
     Via::Cci},
    {{Mark("1小节反复号"), Mark("2小节反复号"), Mark("音型反复号")}, ALL6(Kind(1)), Via::Cci},
    {{Mark("升号"), Mark("降号"), Mark("重升"), Mark("重降"), Mark("还原记号")},
     {None, None, None, None, Kind(1), Kind(-1)},
     Via::Cci},
    {{Mark("C 调"), Mark("D 调"), Mark("E 调"), Mark("F 调"), Mark("G 调"), Mark("A 调"), Mark("B 调")},
     {None, None, None, None, Kind(1), Kind(-1)},
     Via::Cci},
    {{Mark("上滑音"), Mark("下滑音")}, ALL6(Kind(1)), Via::Cci},
    {{Mark("无定次反复/L"), Mark("无定次反复/R")}, {V1(1), V1(-1), V2(1), V2Floor1, Kind(1), Kind(1)}, Via::Cet},
    {{Mark("弧线起点"), Mark("弧线落点"), Mark("连线滑音起点"), Mark("连线滑音落点"), Mark("垫指滑音起点"),
      Mark("垫指滑音落点"), Mark("连弓起点"), Mark("连弓落点")},
     {V1(1), V1(-1), None, None, None, None},
     Via::None},
    {{Mark("连音符起点"), Mark("连音符落点")},
     {V1(1), V1(-1), {Field::Text, 1}, At({Field::Text, -1}, Limit::Swap, 1, 2), None, None},
     Via::None},
    {{Mark("高八度号"), Mark("低八度号"), Mark("高八度重复号"), Mark("低八度重复号")},
     {V1(1), V1(-1), V2(1), V2Floor1, Kind(1), Kind(1)},
     Via::Cet},
    {{Mark("震音/4"), Mark("震音/8"), Mark("震音/16")}, ALL6(Kind(1)), Via::Cci},
    {{Mark("渐强号"), Mark("渐弱号"), Mark("渐强号/换行"), Mark("渐弱号/换行")},
     {V1(1), V1(-1), V2(1), At(V2(-1), Limit::Quiet, 1), Kind(1), Kind(1)},
     Via::Cet},
    {{Mark("段落间音调变换")},
     {V1(1), V1(-1), None, None, Bound(V2(1), kMin, 17, Limit::Wrap, 1), Bound(V2(-1), 1, kMax, Limit::Wrap, 17)},
     Via::None},
    {{Mark("跳房子起点"), Mark("跳房子结束"), Mark("开放跳房子起点"), Mark("开放跳房子结束")},
     {V1(1), V1(-1), None, None, {Field::Volta}, {Field::Volta}},
     Via::Cet},
    {{Mark("拉弓（出弓）"), Mark("推弓（入弓）"), Mark("抛弓"), Mark("甩弓")},
     {V1(1), V1(-1), None, None, Kind(1), Kind(1)},
     Via::Cet},
    {{Mark("指序一"), Mark("指序二"), Mark("指序三"), Mark("指序四"), Mark("空弦")},
     {V1(1), V1(-1), None, None, Kind(1), Kind(1)},
     Via::Cet},
    {{Mark("大上滑音"), Mark("大下滑音")}, ALL6(Kind(1)), Via::Cci},
    {{Mark("滑揉符号"), Mark("压弦符号")}, {V1(1), V1(-1), V2(1), V2(-1), None, None}, Via::None},
    {{Mark("迟到揉弦符号")}, {V1(1), V1(-1), V2(1), V2Floor1, None, None}, Via::None},
    {{Mark("内弦符号"), Mark("外弦符号")}, {V1(1), V1(-1), None, None, Kind(1), Kind(1)}, Via::Cet},
    {{Mark("顺琶音"), Mark("逆琶音")},
     {V2(1), Bound(V2(-1), 0, kMax, Limit::Clamp), None, None, Kind(1), Kind(1)},
     Via::Cet},
    {{Mark("连顿弓起点"), Mark("连顿弓落点")},
     {Bound({Field::SlurLow, 1}, 200, 400, Limit::BeepStop), Bound({Field::SlurLow, -1}, 200, 400, Limit::BeepStop),
      Bound({Field::SlurHigh, -1}, 0, 128, Limit::BeepStop), Bound({Field::SlurHigh, 1}, 0, 128, Limit::BeepStop), None,
      None},
     Via::None},
    {{Mark("行间距")}, {V1(-1), V1(1), None, None, None, None}, Via::None},
    {{Mark("对齐")},
     {Bound(V1(1), 0, 5, Limit::BeepClamp), Bound(V1(-1), 0, 5, Limit::BeepClamp), None, None, None, None},
     Via::None},
    {{Mark("庄板"), Mark("广板"), Mark("慢板"), Mark("柔板"), Mark("小广板"), Mark("行板"), Mark("小行板"),
      Mark("中板"), Mark("小快板"), Mark("快板"), Mark("小速板"), Mark("速板"), Mark("急板"), Mark("极急")},
     {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)},
     Via::Cet},
};

#undef ALL6

const KindRow& RowOf(int32_t code) {
    for (const KindRow& row : kKinds)
        for (int16_t c : row.codes)
            if (c == code) return row;
    return kDefault;
}

// The stepped value, or nothing when the limit holds it; sets the beep.
bool Apply(const Step& s, int64_t value, int64_t& out, bool& beep) {
    if (s.limit == Limit::Quiet && value == s.at) return false;
    int64_t next = value + s.delta;
    if (s.limit == Limit::Swap && next == s.at) next = s.to;
    if (next >= s.lo && next <= s.hi) {
        out = next;
        return true;
    }
    switch (s.limit) {
        case Limit::Stop:
        case Limit::Quiet:
        case Limit::Swap: return false;
        case Limit::BeepStop: beep = true; return false;
        case Limit::BeepClamp: beep = true; [[fallthrough]];
        case Limit::Clamp: out = next < s.lo ? s.lo : s.hi; return true;
        case Limit::Wrap: out = s.to; return true;
    }
    return false;
}

int32_t Neighbour(const KindRow& row, int32_t code, int delta) {
    const int n = static_cast<int>(row.codes.size());
    int i = 0;
    for (int16_t c : row.codes) {
        if (c == code) break;
        ++i;
    }
    return row.codes.begin()[(i + delta + n) % n];
}

}  // namespace

StepResult StepMark(int32_t code, int button, const MarkValues& in) {
    StepResult r;
    r.values = in;
    if (button < 0 || button > 5) return r;
    const KindRow& row = RowOf(code);
    const Step& s = row.buttons[button];
    int64_t out = 0;
    switch (s.field) {
        case Field::None: break;
        case Field::V1:
            if (Apply(s, in.v1, out, r.beep)) {
                r.values.v1 = static_cast<int32_t>(out);
                r.what = StepOutcome::WriteV1;
            }
            break;
        case Field::V2:
            if (Apply(s, in.v2, out, r.beep)) {
                r.values.v2 = static_cast<int32_t>(out);
                r.what = StepOutcome::WriteV2;
            } else if (s.limit == Limit::Quiet) {
                r.what = StepOutcome::NoRedraw;
            }
            break;
        case Field::Text: {
            int32_t number = 0;
            std::from_chars(in.text.data(), in.text.data() + in.text.size(), number);
            if (Apply(s, number, out, r.beep)) {
                r.values.text = std::to_string(out);
                r.what = StepOutcome::WriteText;
            }
            break;
        }
        case Field::SlurLow:
        case Field::SlurHigh: {
            const bool low = s.field == Field::SlurLow;
            const int64_t half = low ? in.v1 % 65536 : (static_cast<int64_t>(in.v1) & ~int64_t{0xFFFF}) / 65536;
            if (Apply(s, half, out, r.beep)) {
                const int64_t next = int64_t{in.v1} + (low ? s.delta : s.delta * 65536);
                if (next < kMin || next > kMax) return r;
                r.values.v1 = static_cast<int32_t>(next);
                r.what = StepOutcome::WriteV1;
            } else {
                r.what = StepOutcome::NoRedraw;
            }
            break;
        }
        case Field::Grace:
            r.what = StepOutcome::GraceForm;
            r.graceBefore = s.delta > 0;
            break;
        case Field::Kind:
            r.newCode = Neighbour(row, code, s.delta);
            r.what = row.via == Via::Cci ? StepOutcome::ChangeInputWord : StepOutcome::ChangeKind;
            break;
        case Field::Volta:
            // Only a start entry changes its pair; the end entries leave the volta as it is.
            if (code == m::kMarkVoltaStart || code == m::kMarkOpenVoltaStart) {
                const bool closed = code == m::kMarkVoltaStart;
                r.what = StepOutcome::ChangeVolta;
                r.newCode = closed ? m::kMarkOpenVoltaStart : m::kMarkVoltaStart;
                r.pairOld = closed ? m::kMarkVoltaEnd : m::kMarkOpenVoltaEnd;
                r.pairNew = closed ? m::kMarkOpenVoltaEnd : m::kMarkVoltaEnd;
            }
            break;
    }
    return r;
}

}  // namespace tavolin
