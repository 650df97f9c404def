#include "MarkSteps.h"

#include <charconv>
#include <initializer_list>
#include <limits>

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

constexpr Step V1(int d) { return {Field::V1, static_cast<int8_t>(d)}; }
constexpr Step V2(int d) { return {Field::V2, static_cast<int8_t>(d)}; }
constexpr Step Kind(int d) { return {Field::Kind, static_cast<int8_t>(d)}; }
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

#define ALL6(s) {s, s, s, s, s, s}

const KindRow kDefault{{}, {V1(1), V1(-1), V2(1), V2(-1), None, None}, Via::None};

const KindRow kKinds[] = {
    {{2, 3, 4, 5, 6, 7}, {V1(1), V1(-1), None, None, Kind(1), Kind(-1)}, Via::Cet},
    {{9, 10, 11, 12, 13, 14, 15}, {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)}, Via::Cet},
    {{16},
     {Bound(V1(1), kMin, 100, Limit::Stop), Bound(V1(-1), 0, kMax, Limit::Stop), V2(-1), V2(1), None, None},
     Via::None},
    {{17, 18, 19, 20, 21}, {V1(1), V1(-1), None, None, Kind(1), Kind(-1)}, Via::Cet},
    {{22, 23}, ALL6(Kind(1)), Via::Cet},
    {{24, 25, 26, 27, 28, 29, 30, 31, 32}, {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)}, Via::Cet},
    {{33},
     {Bound(V1(1), kMin, 16, Limit::Stop), Bound(V1(-1), 1, kMax, Limit::Stop),
      Bound(V2(1), kMin, 16, Limit::Stop), Bound(V2(-1), 1, kMax, Limit::Stop), None, None},
     Via::None},
    {{34, 35, 36}, {V1(1), V1(-1), V2(1), V2(-1), Kind(1), Kind(-1)}, Via::Cet},
    {{38}, {{Field::Grace, 1}, {Field::Grace, -1}, None, None, None, None}, Via::None},
    {{39, 40, 41, 42, 43, 44, 45, 177, 178}, {None, None, None, None, Kind(1), Kind(-1)}, Via::Cci},
    {{46, 47, 129}, ALL6(Kind(1)), Via::Cci},
    {{49, 50, 51, 52, 53}, {None, None, None, None, Kind(1), Kind(-1)}, Via::Cci},
    {{55, 56, 57, 58, 59, 60, 61}, {None, None, None, None, Kind(1), Kind(-1)}, Via::Cci},
    {{63, 64}, ALL6(Kind(1)), Via::Cci},
    {{70, 71}, {V1(1), V1(-1), V2(1), V2Floor1, Kind(1), Kind(1)}, Via::Cet},
    {{72, 73, 121, 122, 146, 147, 150, 151}, {V1(1), V1(-1), None, None, None, None}, Via::None},
    {{74, 75},
     {V1(1), V1(-1), {Field::Text, 1}, At({Field::Text, -1}, Limit::Swap, 1, 2), None, None},
     Via::None},
    {{76, 77, 78, 79}, {V1(1), V1(-1), V2(1), V2Floor1, Kind(1), Kind(1)}, Via::Cet},
    {{80, 140, 141}, ALL6(Kind(1)), Via::Cci},
    {{81, 82, 83, 84},
     {V1(1), V1(-1), V2(1), At(V2(-1), Limit::Quiet, 1), Kind(1), Kind(1)},
     Via::Cet},
    {{85},
     {V1(1), V1(-1), None, None, Bound(V2(1), kMin, 17, Limit::Wrap, 1), Bound(V2(-1), 1, kMax, Limit::Wrap, 17)},
     Via::None},
    {{89, 90, 91, 92}, {V1(1), V1(-1), None, None, {Field::Volta}, {Field::Volta}}, Via::Cet},
    {{94, 95, 96, 97}, {V1(1), V1(-1), None, None, Kind(1), Kind(1)}, Via::Cet},
    {{98, 99, 100, 101, 102}, {V1(1), V1(-1), None, None, Kind(1), Kind(1)}, Via::Cet},
    {{105, 106}, ALL6(Kind(1)), Via::Cci},
    {{107, 108}, {V1(1), V1(-1), V2(1), V2(-1), None, None}, Via::None},
    {{109}, {V1(1), V1(-1), V2(1), V2Floor1, None, None}, Via::None},
    {{111, 112}, {V1(1), V1(-1), None, None, Kind(1), Kind(1)}, Via::Cet},
    {{117, 118}, {V2(1), Bound(V2(-1), 0, kMax, Limit::Clamp), None, None, Kind(1), Kind(1)}, Via::Cet},
    {{152, 153},
     {Bound({Field::SlurLow, 1}, 200, 400, Limit::BeepStop), Bound({Field::SlurLow, -1}, 200, 400, Limit::BeepStop),
      Bound({Field::SlurHigh, -1}, 0, 128, Limit::BeepStop), Bound({Field::SlurHigh, 1}, 0, 128, Limit::BeepStop),
      None, None},
     Via::None},
    {{160}, {V1(-1), V1(1), None, None, None, None}, Via::None},
    {{161},
     {Bound(V1(1), 0, 5, Limit::BeepClamp), Bound(V1(-1), 0, 5, Limit::BeepClamp), None, None, None, None},
     Via::None},
    {{163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176},
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
    case Limit::Swap:
        return false;
    case Limit::BeepStop:
        beep = true;
        return false;
    case Limit::BeepClamp:
        beep = true;
        [[fallthrough]];
    case Limit::Clamp:
        out = next < s.lo ? s.lo : s.hi;
        return true;
    case Limit::Wrap:
        out = s.to;
        return true;
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
    case Field::None:
        break;
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
