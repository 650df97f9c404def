#include "paint/BigGlissando.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"
#include "paint/LineSpans.h"

namespace notaline {

namespace {

constexpr double kHead = 20;  // head length at zoom 1

}  // namespace

double DocumentZoom(const EditorData& data) {
    const double s = data.AboutPageInfo.nScale;
    return std::isfinite(s) && s > 0 ? s : 1;
}

GlissandoAnchors BigHuaYingAnchors(const tessaly::aWordInfo& first, const tessaly::aWordInfo& last) {
    const auto y = [](const tessaly::aWordInfo& w) {
        return static_cast<float>(w.nLogFont.lfHeight / 2.0 + w.Bottom - w.UpSpace);
    };
    return {{first.Left + first.WdSize.cx, y(first)}, {last.Left, y(last)}};
}

namespace {

constexpr int32_t kSlots = 8;

int32_t PageOf(const EditorData& data, int32_t word) {
    return std::max(GetPageOfWord(data, word), 0);
}

// How far below the top of `page` the page of `word` begins, at a zoom.
double PageDrop(const EditorData& data, int32_t word, int32_t page, double scale) {
    return (PageOf(data, word) - page) * static_cast<double>(data.PageHeightPx) * scale;
}

// The anchors of the glissando from first to last in the frame of `page`.
GlissandoAnchors AnchorsOnPage(const EditorData& data, int32_t first, int32_t last, double scale, int32_t page) {
    auto a = BigHuaYingAnchors(ScaledWord(data.WordInfo[static_cast<size_t>(first)], scale),
                               ScaledWord(data.WordInfo[static_cast<size_t>(last)], scale));
    a.From.Y = static_cast<float>(a.From.Y + PageDrop(data, first, page, scale));
    a.To.Y = static_cast<float>(a.To.Y + PageDrop(data, last, page, scale));
    return a;
}

// The start whose end is the code 145 in the slot: the nearest earlier 144 of the same pair
// number with no other end of that pair between; -1 without one.
int32_t StartOfEnd(const EditorData& data, int32_t word, int32_t slot) {
    const int32_t pair = data.WordInfo.Stored(static_cast<size_t>(word)).ExtralWordInfo[slot].ExtralWordVal2;
    for (int32_t j = word; j-- > 0;) {
        int32_t found = -1;
        for (const auto& s : data.WordInfo.Stored(static_cast<size_t>(j)).ExtralWordInfo) {
            if (s.ExtralWordVal2 != pair) continue;
            if (s.IndexType == kMarkBigGlissandoEnd) return -1;
            if (s.IndexType == kMarkBigGlissandoStart) found = j;
        }
        if (found >= 0) return found;
    }
    return -1;
}

std::pair<int32_t, int32_t> PageWords(const EditorData& data, int32_t page) {
    if (page < 0 || page >= data.PageCount()) return {0, 0};
    const auto& p = data.PageInfo[static_cast<size_t>(page)];
    return {std::max(p.StartWord, 0), std::min(p.StartWord + p.LengthWord, data.WordCount())};
}

// Whether a mark value stored so far in the process holds a big glissando's start or end. Until
// one does no document can hold a glissando, and no page need search the pages before it.
bool AnyBigGlissandoStored() {
    // Values never change once stored, so each is looked at once, on each thread that asks.
    thread_local uint32_t seen = 0;
    thread_local bool found = false;
    const auto& pool = MarkSlotPool();
    for (const uint32_t count = pool.Count(); !found && seen < count; ++seen)
        for (const auto& s : pool[seen])
            found = found || s.IndexType == kMarkBigGlissandoStart || s.IndexType == kMarkBigGlissandoEnd;
    return found;
}

// Every glissando that starts on an earlier page and is drawn on `page`: those from the page
// before that end on or past it, older ones that end on it, and older ones that run past it
// whole. Stops when `visit` answers true.
template <class Visit>
bool ForEachEntering(const EditorData& data, int32_t page, Visit&& visit) {
    if (!AnyBigGlissandoStored()) return false;
    const auto [from, to] = PageWords(data, page);
    const auto [before, beforeEnd] = PageWords(data, page - 1);
    // Marks as stored: a search over far pages must not place the characters it passes.
    const auto code = [&](int32_t i, int32_t k) {
        return data.WordInfo.Stored(static_cast<size_t>(i)).ExtralWordInfo[k].IndexType;
    };
    for (int32_t i = before; i < beforeEnd; ++i)
        for (int32_t k = 0; k < kSlots; ++k) {
            if (code(i, k) != kMarkBigGlissandoStart) continue;
            const int32_t end = BigHuaYingEnd(data, i, k);
            if (end >= from && visit(i, end)) return true;
        }
    // Ends on this page or later whose start is older than the page before; the later ones are
    // sought from whichever side of the page holds fewer characters, so a page near either end of
    // a long document stays quick to draw.
    const int32_t count = data.WordCount();
    const bool fromEnds = count - to < before;
    for (int32_t i = from; i < (fromEnds ? count : to); ++i)
        for (int32_t k = 0; k < kSlots; ++k) {
            if (code(i, k) != kMarkBigGlissandoEnd) continue;
            const int32_t start = StartOfEnd(data, i, k);
            if (start >= 0 && start < before && visit(start, i)) return true;
        }
    if (fromEnds) return false;
    for (int32_t i = 0; i < before; ++i)
        for (int32_t k = 0; k < kSlots; ++k) {
            if (code(i, k) != kMarkBigGlissandoStart) continue;
            const int32_t end = BigHuaYingEnd(data, i, k);
            if (end >= to && visit(i, end)) return true;
        }
    return false;
}

float ShaftWidth(const PaintContext& ctx) {
    return ctx.Data.IsPrinting ? 6.0f : 1.0f;
}

// Across a line break one straight arrow would run back through both lines: it is drawn as a
// slur across lines is, a shaft from the start to its line's end and the arrow from the end's
// line start to the end, each level with its note and at least a head and a half long. Each
// piece is drawn with the page that holds its note.
void DrawOnPage(PaintContext& ctx, int32_t start, int32_t end, int32_t page) {
    if (!BigHuaYingHasRoom(ctx.Data, start, end, ctx.Scale)) return;
    const auto a = AnchorsOnPage(ctx.Data, start, end, ctx.Scale, page);
    const uint32_t argb = GetWordArgb(ctx, start);
    const auto startLine = LineOfWord(ctx.Data, start), endLine = LineOfWord(ctx.Data, end);
    if (!startLine || !endLine || startLine->Start == endLine->Start) {
        DrawBigHuaYingArrow(ctx, argb, a.From, a.To);
        return;
    }
    const double reach = ctx.Scale * kHead * 1.5;
    if (PageOf(ctx.Data, start) == page) {
        const auto last = Word(ctx, LastDrawnWordOfLine(ctx.Data, *startLine));
        const double x = std::max<double>(last.Left + last.WdSize.cx, a.From.X + reach);
        ctx.Dc.PenLine(Px(a.From.X), Px(a.From.Y), Px(x), Px(a.From.Y), argb, ShaftWidth(ctx));
    }
    if (PageOf(ctx.Data, end) == page) {
        const double x = std::min<double>(Word(ctx, endLine->Start).Left, a.To.X - reach);
        DrawBigHuaYingArrow(ctx, argb, {static_cast<float>(x), a.To.Y}, a.To);
    }
}

}  // namespace

bool BigHuaYingHasRoom(const EditorData& data, int32_t first, int32_t last, double scale) {
    if (!data.IsWord(first) || !data.IsWord(last)) return false;
    const auto a = AnchorsOnPage(data, first, last, scale, PageOf(data, first));
    const double distance = std::hypot(double{a.To.X} - a.From.X, double{a.To.Y} - a.From.Y);
    // The head and a fifth of it; a distance of exactly that has no room.
    return distance > scale * kHead * 1.2;
}

int32_t BigHuaYingEnd(const EditorData& data, int32_t word, int32_t slot) {
    const int32_t pair = data.WordInfo.Stored(static_cast<size_t>(word)).ExtralWordInfo[slot].ExtralWordVal2;
    for (int32_t j = word + 1; j < data.WordCount(); ++j)
        for (const auto& s : data.WordInfo.Stored(static_cast<size_t>(j)).ExtralWordInfo)
            if (s.ExtralWordVal2 == pair && s.IndexType == kMarkBigGlissandoEnd) return j;
    return -1;
}

void DrawBigHuaYing(PaintContext& ctx, int32_t word, int32_t slot) {
    if (!ctx.Data.IsWord(word) || slot < 0 || slot >= kSlots) return;
    const int32_t end = BigHuaYingEnd(ctx.Data, word, slot);
    if (end >= 0) DrawOnPage(ctx, word, end, PageOf(ctx.Data, word));
}

void DrawBigHuaYingsFromEarlierPages(PaintContext& ctx, int32_t page) {
    ForEachEntering(ctx.Data, page, [&](int32_t start, int32_t end) {
        DrawOnPage(ctx, start, end, page);
        return false;
    });
}

bool BigHuaYingEntersPage(const EditorData& data, int32_t page) {
    // The room rule decides whether any of it shows; its zoom does not change that much.
    const double scale = DocumentZoom(data);
    return ForEachEntering(data, page,
                           [&](int32_t start, int32_t end) { return BigHuaYingHasRoom(data, start, end, scale); });
}

void DrawBigHuaYingArrow(PaintContext& ctx, uint32_t argb, FloatPoint from, FloatPoint to) {
    const double length = ctx.Scale * kHead;
    const double dx = double{to.X} - from.X;
    const double dy = double{to.Y} - from.Y;
    // The quadrant-aware angle: an end left of the start still gets its head at the end.
    const double t = std::atan2(dy, dx);
    const double shaft = std::hypot(dx, dy) - length;
    const double half = length * std::tan(3.1415926 / 12);  // the sides meet at 30 degrees
    const double bx = from.X + shaft * std::cos(t);
    const double by = from.Y + shaft * std::sin(t);
    const double nx = -std::sin(t) * half;
    const double ny = std::cos(t) * half;
    const FloatPoint head[3] = {to,
                                {static_cast<float>(bx - nx), static_cast<float>(by - ny)},
                                {static_cast<float>(bx + nx), static_cast<float>(by + ny)}};
    ctx.Dc.FillTriangle(head, argb);
    ctx.Dc.PenLine(Px(from.X), Px(from.Y), Px(bx), Px(by), argb, ShaftWidth(ctx));
}

}  // namespace notaline
