#include "paint/PageBand.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/document/MarkCodes.h"
#include "paint/BigGlissando.h"

namespace notaline {

namespace {

// Eight bytes at a time: a keystroke digests both visible pages, some megabytes.
class Digest {
public:
    template <class T>
    void Add(const T& value) {
        AddBytes(&value, sizeof value);
    }
    void AddBytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (; size >= 8; p += 8, size -= 8) {
            uint64_t v;
            std::memcpy(&v, p, 8);
            Mix(v);
        }
        uint64_t tail = size;
        if (size > 0) std::memcpy(&tail, p, size);  // an empty table's data may be null
        Mix(tail);
    }
    uint64_t Value() const { return h_; }

private:
    void Mix(uint64_t v) {
        h_ = (h_ ^ v) * 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    uint64_t h_ = 0x84222325CBF29CE4ull;
};

// Marks that draw only from their own character and its line; the others reach characters on other
// lines, whose change a line's digest does not see.
bool DrawsWithinLine(int32_t code) {
    using P = MarkPainter;
    switch (MarkOf(code).Painter) {
        case P::None:
        case P::Glyph:
        case P::ShiftedGlyph:
        case P::BarRest:
        case P::Fraction:
        case P::TempoChange:
        case P::GraceCells:
        case P::RepeatSign:
        case P::ArcStart:
        case P::ArcEnd:
        case P::TupletStart:
        case P::TupletEnd:
        case P::Hairpin:
        case P::VoltaStart:
        case P::VoltaEnd:
        case P::OpenVoltaEnd:
        case P::KeyChange:
        case P::CountedGlyph:
        case P::CustomText:
        case P::TestSymbol:
        case P::BoxedText:
        case P::Syllable:
        case P::Tempo: return true;
        default: return false;
    }
}

int32_t Floor(double v) {
    return static_cast<int32_t>(std::floor(v));
}

int32_t Ceil(double v) {
    return static_cast<int32_t>(std::ceil(v));
}

}  // namespace

std::optional<PageStamp> StampPage(const EditorData& data, int32_t page, double scale, std::u16string_view texture) {
    if (page < 0 || page >= data.PageCount() || BigHuaYingEntersPage(data, page)) return std::nullopt;
    PageStamp stamp;
    stamp.Page = page;
    stamp.Scale = scale;
    Digest setup;
    for (const auto& f : data.FontTbl) {
        setup.AddBytes(f.FontName.data(), f.FontName.size());
        setup.Add(f.fcharset), setup.Add(f.hYg), setup.Add(f.hYc);
    }
    setup.AddBytes(data.ColorTbl.data(), data.ColorTbl.size() * sizeof(uint32_t));
    setup.Add(data.AboutPageInfo);
    setup.AddBytes(texture.data(), texture.size() * sizeof(char16_t));
    setup.AddBytes(data.NotationFontName.data(), data.NotationFontName.size());
    setup.Add(data.PageWidthPx), setup.Add(data.PageHeightPx);
    setup.Add(data.WriteLeft), setup.Add(data.WriteTop), setup.Add(data.WriteRight), setup.Add(data.WriteBottom);
    stamp.Setup = setup.Value();

    const auto& p = data.PageInfo[static_cast<size_t>(page)];
    const int32_t firstLine = std::max(p.StartLine, 0);
    const int32_t endLine = std::min(p.StartLine + p.LengthLine, data.LineCount());
    for (int32_t line = firstLine; line < endLine; ++line) {
        tessaly::aLineInfo l = data.LineInfo[static_cast<size_t>(line)];
        const int32_t start = std::max(l.Start, 0);
        const int32_t end = std::min(l.Start + l.Length, data.WordCount());
        l.Start = 0;  // an edit before the line moves its start, not its ink
        Digest d;
        d.Add(l);
        d.Add(line == data.CPdqLine || line == data.XjdqLine);
        double top = l.Top, bottom = l.Bottom;
        for (int32_t i = start; i < end; ++i) {
            const auto& w = data.WordInfo[static_cast<size_t>(i)];
            d.Add(w);
            for (const auto& mark : w.ExtralWordInfo)
                if (!DrawsWithinLine(mark.IndexType)) return std::nullopt;
            top = std::min<double>(top, w.Top);
            bottom = std::max<double>(bottom, w.Bottom);
        }
        // Marks stand above and below their characters, up to about a line's height.
        const double reach = bottom - top;
        stamp.Lines.push_back({d.Value(), Floor((top - reach) * scale) - 2, Ceil((bottom + reach) * scale) + 2});
    }
    return stamp;
}

std::optional<IntRect> ChangedBand(const PageStamp& drawn, const PageStamp& now, int32_t pageWidth,
                                   int32_t pageHeight) {
    if (drawn.Page < 0 || drawn.Page != now.Page || drawn.Scale != now.Scale || drawn.Setup != now.Setup)
        return std::nullopt;
    int32_t top = pageHeight, bottom = 0;
    const auto take = [&](const std::vector<LineStamp>& lines, size_t k) {
        for (size_t j = k == 0 ? 0 : k - 1; j <= k + 1 && j < lines.size(); ++j) {
            top = std::min(top, lines[j].Top);
            bottom = std::max(bottom, lines[j].Bottom);
        }
    };
    const size_t n = std::max(drawn.Lines.size(), now.Lines.size());
    for (size_t k = 0; k < n; ++k) {
        if (k < drawn.Lines.size() && k < now.Lines.size() && drawn.Lines[k] == now.Lines[k]) continue;
        take(drawn.Lines, k);
        take(now.Lines, k);
    }
    if (top >= bottom) return IntRect{};
    return IntRect{0, std::max(top, 0), pageWidth, std::min(bottom, pageHeight)};
}

}  // namespace notaline
