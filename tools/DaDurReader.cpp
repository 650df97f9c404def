#include "DaDurReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <set>

#include "DaDurFormat.h"
#include "DaDurUnits.h"
#include "DocumentRepair.h"
#include "cText.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly {

struct DaDurReader::Doc {
    JpData data;  // all but the characters, which go to the sink
    WordSink* sink = nullptr;
    // The characters not yet handed on, in a buffer used again for every run.
    std::vector<aWordInfo> run = std::vector<aWordInfo>(kRunWords);
    size_t runLength = 0;
    // The records of the run that hold marks: a record used again is cleared of them only then.
    std::vector<uint8_t> runMarked = std::vector<uint8_t>(kRunWords);
    size_t words = 0;
    int32_t bars = 0;
    RunRepair repair;
    int32_t blankColour = -1;  // the first colour 0 in the colour table, -1 not looked up yet
    int32_t handedBlank = -1;  // the colour last given to paragraph ends handed on, -1 none yet
    bool staleBlank = false;   // paragraph ends were handed on with another colour before it
    // Yc, YG and marks given before the next character.
    uint8_t pendingYc = 0;
    uint8_t pendingYG = 0;
    std::array<aExtralWordInfo, 8> pendingMarks{};
    bool pendingHasMarks = false;
    int32_t drumCount = 0;
    // Installed fonts, asked for once per read, and the missing ones already named.
    std::optional<std::vector<std::string>> installed;
    std::set<std::string> reportedBase, reportedFonts;
    std::vector<std::string> missingFonts;  // in the order met, told once when the read ends
    // Per track made by MAIN: bit 1 its TRACK line seen, bit 2 its PLAYORDER line.
    bool sawMain = false;
    std::vector<uint8_t> trackLines;
};

using namespace std::string_view_literals;

namespace {

std::u16string FontNameText(const std::string& gbk) {
    if (auto u = Cp936ToUtf16(gbk)) return *u;
    std::u16string bytes;
    for (char c : gbk) bytes += static_cast<char16_t>(static_cast<uint8_t>(c));
    return bytes;
}

std::u16string Ascii16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// A line that cannot be read stops the read; thrown from deep in a line's
// parser and caught once per line.
struct ReadFailure {
    std::string reason;
    int32_t number = kErrBadFileFormat;
};

[[noreturn]] void Fail(std::string reason) {
    throw ReadFailure{std::move(reason)};
}

// The user's text and the line that stopped the read.
std::string LineReason(int32_t number, size_t line) {
    return std::string(FileErrorText(number)) + "（第 " + std::to_string(line) + " 行）";
}

template <class T>
T Rounded(double v, std::optional<T> (*convert)(double), const char* what) {
    const std::optional<T> value = convert(v);
    if (!value) Fail(std::string("number out of range for ") + what);
    return *value;
}

template <class T>
inline T Fit(double v, std::optional<T> (*convert)(double), const char* what) {
    // Whole numbers in range, nearly every value of a file, need no rounding.
    if (v >= double(std::numeric_limits<T>::min()) && v <= double(std::numeric_limits<T>::max())) {
        const auto whole = static_cast<T>(v);
        if (double(whole) == v) return whole;
    }
    return Rounded(v, convert, what);
}

int32_t Long(double v, const char* what) {
    return Fit<int32_t>(v, TryCLng, what);
}
int16_t Int(double v, const char* what) {
    return Fit<int16_t>(v, TryCInt, what);
}
uint8_t Byte(double v, const char* what) {
    return Fit<uint8_t>(v, TryCByte, what);
}

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The number at the start of a field; plain integers, by far the most common, skip Val.
double Number(std::string_view field) {
    size_t i = field.size() > 0 && field[0] == '-' ? 1 : 0;
    if (i == field.size() || field.size() > 9) return Val(field);
    int32_t v = 0;
    for (size_t k = i; k < field.size(); ++k) {
        if (field[k] < '0' || field[k] > '9') return Val(field);
        v = v * 10 + (field[k] - '0');
    }
    return i ? -v : v;
}

// A play-settings field: the whole field must be a number.
double StrictNumber(std::string_view field) {
    const std::string_view t = Trim(field);
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    bool digits = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, digits = true;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) digits = true;
    if (!digits || i != t.size()) Fail("play settings field is not a number");
    return Val(t);
}

// Comma-separated fields; a field that begins with a quote runs to its closing
// quote, keeping commas, and a doubled quote stands for one.
std::vector<std::string> SplitQuoted(std::string_view line) {
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        }
        while (i < line.size() && line[i] != ',') field += line[i++];
        fields.push_back(std::move(field));
        if (i >= line.size()) return fields;
        ++i;
    }
}

// Walks a control line unit by unit.
template <class F>
void ForEachUnit(std::string_view line, F&& handle) {
    const int32_t length = static_cast<int32_t>(std::min<size_t>(line.size(), INT32_MAX));
    UnitScratch scratch;
    UnitView unit;
    for (int32_t pos = 1; pos <= length; ++pos) {
        if (!NextUnit(line, pos, unit, scratch)) Fail("malformed escape or number");
        handle(unit);
    }
}

}  // namespace

bool HoldsDaDurDocument(const std::vector<std::string_view>& lines) {
    // A header alone would open as an empty document that the next save writes over the file.
    return std::any_of(lines.begin(), lines.end(), [](std::string_view line) { return StartsWith(line, "\\part"); });
}

std::vector<std::string_view> SplitDaDurLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    const char* const base = bytes.data();
    const size_t n = bytes.size();
    // The next line feed and carriage return at or after start, each looked for again only once
    // passed, so that a file of lone carriage returns is not scanned once a line.
    const auto next = [&](char c, size_t from) {
        const void* at = from < n ? std::memchr(base + from, c, n - from) : nullptr;
        return at ? static_cast<size_t>(static_cast<const char*>(at) - base) : n;
    };
    size_t lf = next('\n', 0), cr = next('\r', 0);
    size_t start = 0;
    while (start < n) {
        if (lf < start) lf = next('\n', start);
        if (cr < start) cr = next('\r', start);
        size_t end = std::min(lf, cr);
        lines.push_back(bytes.substr(start, end - start));
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

DaDurStatus DaDurReader::Read(const std::vector<std::string_view>& lines, intptr_t hwnd, JpData& out,
                              bool lastLineCut) {
    std::vector<aWordInfo> words;
    WordVector sink(words);
    DaDurStatus status = Read(lines, hwnd, out, sink, lastLineCut);
    if (status.ok) out.WordInfo = std::move(words);
    return status;
}

DaDurStatus DaDurReader::Read(const std::vector<std::string_view>& lines, intptr_t hwnd, JpData& out, WordSink& sink,
                              bool lastLineCut) {
    Doc doc;
    doc.sink = &sink;
    JpData& d = doc.data;
    d.FileInfo.DaDurVer = 1;
    d.FileInfo.deffFont = 1;
    d.FileInfo.CMScale = 1;
    d.PageInfo.nScale = 1.0f;
    d.PageInfo.PageMarginRect = {120, 85, 120, 85};
    d.PageInfo.PaperType = 0;
    d.PageInfo.PageSize = {210, 297};
    d.PlayInfo.Bpm = 75;
    d.PlayInfo.IsPlayDrum = kTrue;
    d.PlayInfo.DrumVolume = 127;
    d.PlayInfo.JiePai = 1;
    kind_ = 0;
    upSpace_ = 0;
    collecting_ = false;
    markText_.clear();
    dpi_ = system_.CurrentDpi();
    if (dpi_ <= 0) dpi_ = 96;

    const size_t n = lines.size();
    // A character takes at least one byte of a paragraph line and seldom fewer than eight; lines
    // of other kinds hold none.
    size_t bytes = 0;
    for (std::string_view line : lines)
        if (StartsWith(line, "\\part")) bytes += line.size();
    try {
        sink.Expect(std::min<size_t>(bytes / 8, static_cast<size_t>(std::max(maxWords_, 0))));
    } catch (const std::bad_alloc&) {
        return DaDurStatus::Failure(kErrTooLarge, std::string(FileErrorText(kErrTooLarge)));
    }
    for (size_t i = 0; i < n; ++i) {
        system_.Progress(hwnd, static_cast<int32_t>(i * 100 / n));
        const std::string_view line = lines[i];
        try {
            if (StartsWith(line, "\\jprtfver")) {
                ReadHeader(line, doc);
                CheckFonts(hwnd, doc);
            } else if (StartsWith(line, "\\jpcolor")) {
                ReadColours(line, doc);
            } else if (StartsWith(line, "\\jppaper")) {
                ReadPaper(line, doc);
            } else if (StartsWith(line, "\\hwinfo") || StartsWith(line, "\\druminfo")) {
                // labels only
            } else if (StartsWith(line, "\\hwdata")) {
                ReadFreeItem(line, doc);
            } else if (StartsWith(line, "\\drumdata")) {
                ReadDrum(line, doc);
            } else if (StartsWith(line, "\\playinfo")) {
                ReadPlay(line, doc);
            } else if (StartsWith(line, "\\part")) {
                ReadParagraph(line, doc);
            } else {
                system_.Beep();
            }
        } catch (const ReadFailure& failure) {
            if (lastLineCut && i + 1 == n && failure.number == kErrBadFileFormat) break;
            return DaDurStatus::Failure(failure.number, LineReason(failure.number, i + 1), i + 1, failure.reason);
        } catch (const std::bad_alloc&) {
            return DaDurStatus::Failure(kErrTooLarge, LineReason(kErrTooLarge, i + 1), i + 1);
        }
    }
    try {
        Flush(doc);
    } catch (const std::bad_alloc&) {
        return DaDurStatus::Failure(kErrTooLarge, LineReason(kErrTooLarge, n), n);
    }
    TellMissingFonts(hwnd, doc);
    Finish(doc);
    const bool complete = doc.sawMain && std::all_of(doc.trackLines.begin(), doc.trackLines.end(),
                                                     [](uint8_t seen) { return seen == 3; });
    out = std::move(doc.data);
    if (!complete || lastLineCut) return {true, kErrEndsEarly, 0, std::string(FileErrorText(kErrEndsEarly)), {}};
    return {};
}

void DaDurReader::ReadHeader(std::string_view line, Doc& doc) {
    AboutFileInfo& info = doc.data.FileInfo;
    auto& fonts = doc.data.FontTbl;
    ForEachUnit(line, [&](const UnitView& u) {
        const std::string_view w = u.word;
        if (w == "\\jprtfver"sv) {
            info.DaDurVer = Byte(u.value, "version");
        } else if (w == "\\deff"sv) {
            info.deffFont = Int(u.value, "default font");
        } else if (w == "\\basejpf"sv) {
            info.BaseFontTblIndex = Int(u.value, "notation font");
        } else if (w == "\\f"sv) {
            if (fonts.size() >= INT16_MAX) Fail("too many fonts");
            fonts.emplace_back();
        } else if (fonts.empty()) {
            // settings before any font entry have nowhere to go
        } else if (w == "\\fcharset"sv) {
            fonts.back().fcharset = Byte(u.value, "charset");
        } else if (w == "\\hyg"sv) {
            fonts.back().hYg = u.value;
        } else if (w == "\\hyc"sv) {
            fonts.back().hYc = u.value;
            const size_t end = u.text.find(";}");
            if (end == std::string::npos) Fail("font name without ;}");
            fonts.back().FontName = dadur::FitFaceName(dadur::LowerGbk(std::string_view(u.text).substr(0, end)));
        }
    });
}

void DaDurReader::CheckFonts(intptr_t hwnd, Doc& doc) {
    const auto& fonts = doc.data.FontTbl;
    if (fonts.empty()) return;
    if (!doc.installed) {
        doc.installed = system_.InstalledFonts();
        for (auto& name : *doc.installed) name = dadur::LowerGbk(name);
    }
    const auto isInstalled = [&](const std::string& name) {
        return std::find(doc.installed->begin(), doc.installed->end(), name) != doc.installed->end();
    };
    // Each missing font is named once per read, however many header lines a file has.
    const int16_t base = doc.data.FileInfo.BaseFontTblIndex;
    const std::string& baseName = fonts[base >= 0 && static_cast<size_t>(base) < fonts.size() ? base : 0].FontName;
    // A notation font without a name is a damaged table, not a font to reinstall.
    if (baseName.empty()) Fail("notation font without a name");
    if (!isInstalled(baseName) && doc.reportedBase.insert(baseName).second)
        system_.Message(hwnd, u"软件简谱字体 “" + FontNameText(baseName) + u"” 缺失，建议重新安装。");
    for (const auto& font : fonts)
        if (!isInstalled(font.FontName) && doc.reportedFonts.insert(font.FontName).second)
            doc.missingFonts.push_back(font.FontName);
}

// One message for all of them (a file may name thousands): the first ten by name.
void DaDurReader::TellMissingFonts(intptr_t hwnd, const Doc& doc) {
    constexpr size_t kNamed = 10;
    const auto& missing = doc.missingFonts;
    if (missing.empty()) return;
    std::u16string names;
    for (size_t k = 0; k < missing.size() && k < kNamed; ++k)
        names += (k ? u"、“" : u"“") + FontNameText(missing[k]) + u"”";
    if (missing.size() > kNamed) names += u"等 " + Ascii16(std::to_string(missing.size())) + u" 个字体";
    system_.Message(hwnd, u"文档字体 " + names + u" 系统中没有找，显示可能不正确。");
}

void DaDurReader::ReadColours(std::string_view line, Doc& doc) {
    uint32_t alpha = 0, red = 0, green = 0, blue = 0;
    const auto low = [](float v, const char* what) { return static_cast<uint32_t>(Long(v, what)) & 0xFF; };
    ForEachUnit(line, [&](const UnitView& u) {
        const std::string_view w = u.word;
        if (w == "\\pcb"sv) {
            doc.data.FileInfo.m_cb = Int(u.value, "page colour");
        } else if (w == "\\alpha"sv) {
            alpha = Byte(u.value, "alpha");
        } else if (w == "\\red"sv) {
            red = low(u.value, "red");
        } else if (w == "\\green"sv) {
            green = low(u.value, "green");
        } else if (w == "\\blue"sv) {
            blue = low(u.value, "blue");
            if (doc.data.ColorTbl.size() >= INT16_MAX) Fail("too many colours");
            doc.data.ColorTbl.push_back(alpha << 24 | blue << 16 | green << 8 | red);
            doc.blankColour = -1;
            alpha = red = green = blue = 0;
        }
    });
}

void DaDurReader::ReadPaper(std::string_view line, Doc& doc) {
    AboutPageInfo& page = doc.data.PageInfo;
    ForEachUnit(line, [&](const UnitView& u) {
        const std::string_view w = u.word;
        const float v = u.value;
        if (w == "\\margltw"sv)
            page.PageMarginRect.Left = Long(v, "margin");
        else if (w == "\\margttw"sv)
            page.PageMarginRect.Top = Long(v, "margin");
        else if (w == "\\margrtw"sv)
            page.PageMarginRect.Right = Long(v, "margin");
        else if (w == "\\margbtw"sv)
            page.PageMarginRect.Bottom = Long(v, "margin");
        else if (w == "\\papertype"sv)
            page.PaperType = Byte(v, "paper type");
        else if (w == "\\pagecx"sv)
            page.PageSize.cx = Long(v, "paper width");
        else if (w == "\\pagecy"sv)
            page.PageSize.cy = Long(v, "paper height");
        else if (w == "\\cmscale"sv)
            doc.data.FileInfo.CMScale = Int(v, "scale");
        else if (w == "\\backgroundtype"sv)
            page.BackGroundType = Byte(v, "background");
        else if (w == "\\pagepostype"sv)
            page.PagePosIndexType = Byte(v, "page number place");
        else if (w == "\\pagenumbersize"sv)
            page.PageNumberSize = Int(v, "page number size");
        else if (w == "\\scale"sv)
            page.nScale = v;
    });
}

void DaDurReader::ReadParagraph(std::string_view line, Doc& doc) {
    ForEachUnit(line, [&](const UnitView& u) {
        const std::string_view w = u.word;
        const float v = u.value;
        // The most frequent words first.
        if (w.empty()) {
        } else if (w == "\\yc"sv) {
            doc.pendingYc = Byte(v, "duration");
        } else if (w == "\\yg"sv) {
            doc.pendingYG = Byte(v, "octave");
        } else if (w == "\\ex"sv) {
            collecting_ = true;
            markText_.clear();
        } else if (w == "\\eex"sv) {
            collecting_ = false;
            ApplyMark(doc);
        } else if (w == "\\att"sv) {
            kind_ = Byte(v, "kind");
        } else if (w == "\\par"sv) {
            Append('-', doc);
        } else if (w == "\\cf"sv) {
            cf_ = Int(v, "colour");
        } else if (w == "\\cb"sv) {
            cb_ = Int(v, "background");
        } else if (w == "\\spn"sv) {
            stackNumber_ = Int(v, "stacking");
        } else if (w == "\\f"sv) {
            font_.FontTblIndex = Int(v, "font");
        } else if (w == "\\i"sv) {
            font_.lfItalic = Byte(v, "italic");
        } else if (w == "\\ul"sv) {
            font_.lfUnderline = Byte(v, "underline");
        } else if (w == "\\strike"sv) {
            font_.lfStrikeOut = Byte(v, "strike-out");
        } else if (w == "\\b"sv) {
            font_.lfWeight = v == -1 ? 700 : 400;
        } else if (w == "\\fs"sv) {
            selSize_ = v / 1000;
            font_.lfHeight = dadur::LogHeightForMilliPoints(v, dpi_);
        } else if (w == "\\expndtw"sv) {
            wdSpace_ = static_cast<float>(dadur::PixelsFromTwips(v, zoom_));
        } else if (w == "\\ups"sv) {
            upSpace_ = static_cast<float>(dadur::PixelsFromTwips(v, zoom_));
        } else if (w == "\\sps"sv) {
            stackSpace_ = static_cast<float>(dadur::PixelsFromTwips(v, zoom_));
        }
        if (u.text.empty()) return;
        if (collecting_) {
            markText_ += u.text;
            return;
        }
        const std::string_view text = u.text;
        for (size_t i = 0; i < text.size();) {
            const size_t len = GbkCharLength(text, i);
            const auto lead = static_cast<uint8_t>(text[i]);
            Append(len == 1 ? lead : static_cast<int16_t>(lead << 8 | static_cast<uint8_t>(text[i + 1])), doc);
            i += len;
        }
    });
}

void DaDurReader::Append(int16_t code, Doc& doc) {
    if (doc.words >= static_cast<size_t>(std::max(maxWords_, 0))) throw ReadFailure{{}, kErrTooLarge};
    if (doc.runLength == kRunWords) Flush(doc);
    const size_t k = doc.runLength++;
    aWordInfo& w = doc.run[k];
    ++doc.words;
    // A record of the run is used again: the fields before the marks start blank, the marks are
    // written only where this character or the record's last one had any, the rest is set below.
    static const aWordInfo blank{};
    std::memcpy(static_cast<void*>(&w), &blank, offsetof(aWordInfo, ExtralWordInfo));
    if (doc.pendingHasMarks) {
        std::copy(doc.pendingMarks.begin(), doc.pendingMarks.end(), std::begin(w.ExtralWordInfo));
        doc.pendingMarks = {};
        doc.pendingHasMarks = false;
        doc.runMarked[k] = 1;
    } else if (doc.runMarked[k]) {
        std::fill(std::begin(w.ExtralWordInfo), std::end(w.ExtralWordInfo), aExtralWordInfo{});
        doc.runMarked[k] = 0;
    }
    w.Yc = doc.pendingYc;
    w.YG = doc.pendingYG;
    doc.pendingYc = doc.pendingYG = 0;
    w.WdAsc = code;
    w.nLogFont = font_;
    w.cf = cf_;
    w.cb = cb_;
    w.IsJpGcCtl = kind_;
    w.SelSize = selSize_;
    w.WdSpace = wdSpace_;
    w.UpSpace = upSpace_;
    if (stackNumber_ != 0) {
        w.ShuPai.Number = stackNumber_;
        w.ShuPai.Space = stackSpace_;
        if (stackNumber_ > 0 && stackNumber_ < INT16_MAX) ++stackNumber_;
        if (stackNumber_ < 0 && stackNumber_ > INT16_MIN) --stackNumber_;
    }
}

int16_t DaDurReader::BlankColour(Doc& doc) {
    if (doc.blankColour < 0) {
        const auto& colours = doc.data.ColorTbl;
        const auto zero = std::find(colours.begin(), colours.end(), 0u);
        doc.blankColour = zero == colours.end() ? 0 : static_cast<int32_t>(zero - colours.begin());
    }
    return static_cast<int16_t>(doc.blankColour);
}

// The run repaired as far as the tables go, its bars counted, and handed on.
void DaDurReader::Flush(Doc& doc) {
    if (doc.runLength == 0) return;
    aWordInfo* run = doc.run.data();
    // Paragraph ends take the first colour 0 of the table as it stands when they are handed on,
    // as the repairs do: a colour line after the paragraphs counts as well.
    const int16_t blank = BlankColour(doc);
    for (size_t i = 0; i < doc.runLength; ++i) {
        if (run[i].IsJpGcCtl != 3) continue;
        run[i].cb = blank;
        if (doc.staleBlank || (doc.handedBlank >= 0 && doc.handedBlank != blank)) doc.staleBlank = true;
        doc.handedBlank = blank;
    }
    // Append takes only codes with a character form and ApplyMark only stored marks: the
    // indexes are all that can need repair.
    doc.repair.RunOfValidCodes(run, doc.runLength, doc.data.FontTbl.size(), doc.data.ColorTbl.size());
    for (size_t i = 0; i < doc.runLength; ++i) {
        const aWordInfo& w = run[i];
        if (w.IsJpGcCtl == 2 && w.WdAsc >= 87 && w.WdAsc <= 95) ++doc.bars;
        if (w.IsJpGcCtl == 1 && doc.runMarked[i])
            for (const auto& s : w.ExtralWordInfo)
                if (s.IndexType == marks::kMarkVoltaStart || s.IndexType == marks::kMarkOpenVoltaStart) {
                    ++doc.bars;
                    break;
                }
    }
    doc.sink->Take(run, doc.runLength);
    doc.runLength = 0;
}

void DaDurReader::ApplyMark(Doc& doc) {
    const size_t c1 = markText_.find(',');
    const size_t c2 = c1 == std::string::npos ? c1 : markText_.find(',', c1 + 1);
    if (c2 == std::string::npos) Fail("mark with fewer than three values");
    const size_t c3 = markText_.find(',', c2 + 1);
    const std::string_view all = markText_;
    const int32_t code = Long(Number(all.substr(0, c1)), "mark code");
    const int32_t v1 = Long(Number(all.substr(c1 + 1, c2 - c1 - 1)), "mark value");
    const int32_t v2 = Long(Number(all.substr(c2 + 1, c3 == std::string::npos ? c3 : c3 - c2 - 1)), "mark value");
    // A code no mark has would be drawn and played as nothing known: drop it.
    if (!IsStoredMarkCode(code)) return;

    doc.pendingHasMarks = true;
    auto& slots = doc.pendingMarks;
    aExtralWordInfo* slot = &slots[0];
    for (auto& s : slots)
        if (s.IndexType == 0) {
            slot = &s;
            break;
        }
    *slot = aExtralWordInfo{};
    slot->IndexType = code;
    slot->ExtralWordVal1 = v1;
    slot->ExtralWordVal2 = v2;
    if (c3 != std::string::npos) {
        FillTextField(slot->ExtralWordVal3, all.substr(c3 + 1));
    }
    if (dadur::IsPairStart(code)) ++doc.data.FileInfo.QiLuoBianHao;
}

void DaDurReader::ReadFreeItem(std::string_view line, Doc& doc) {
    const auto f = Split(line, ',');
    if (f.size() < 8) Fail("free item with fewer than seven values");
    const auto length = [&](std::string_view s) {
        const double px = dadur::PixelsFromTwips(Val(s), zoom_);
        return std::isfinite(px) && std::fabs(px) < 3.0e38 ? static_cast<float>(px) : 0.0f;
    };
    aHwWordInfo item;
    item.HwWordtype = Int(Val(f[1]), "item type");
    item.iPage = Long(Val(f[2]), "item page");
    item.X = length(f[3]);
    item.Y = length(f[4]);
    item.Width = length(f[5]);
    item.Height = length(f[6]);
    item.cf = Int(Val(f[7]), "item colour");
    if (doc.data.HwWordInfo.size() >= static_cast<size_t>(std::max(maxWords_, 0))) throw ReadFailure{{}, kErrTooLarge};
    doc.data.HwWordInfo.push_back(item);
}

void DaDurReader::ReadDrum(std::string_view line, Doc& doc) {
    const auto f = SplitQuoted(line);
    if (f.size() < 65) Fail("drum pattern with fewer than 65 fields");
    const auto byte = [&](size_t i) { return i < f.size() ? CByte(Val(Trim(f[i]))) : uint8_t{0}; };
    XjDrumData drum;
    drum.DrumVer = byte(2);
    if (f[3].size() > sizeof drum.DrumName) Fail("drum name longer than 32 bytes");
    std::memcpy(drum.DrumName, f[3].data(), f[3].size());
    drum.DrumChannel = byte(4);
    for (size_t i = 0; i < 8; ++i) {
        drum.DrumVolume[i] = byte(5 + i);
        drum.DrumSounds[i] = byte(13 + i);
        drum.DrumSoundImage[i] = byte(56 + i);
    }
    drum.DrumTrack = byte(21);
    drum.DrumTimeSignature = byte(22);
    drum.DrumSpeed = byte(23);
    for (size_t i = 0; i < 32; ++i) drum.DrumRhythms[i] = byte(24 + i);
    drum.BarsOfSong = byte(64);
    drum.HaveDrum = byte(65);
    if (doc.drumCount >= INT16_MAX) Fail("too many drum patterns");
    doc.data.XjDrum.push_back(drum);
    ++doc.drumCount;
}

void DaDurReader::ReadPlay(std::string_view line, Doc& doc) {
    const auto parts = Split(line, ':');
    if (parts.size() < 2) return;
    const auto f = Split(parts[1], '|');
    aPlayInfo& play = doc.data.PlayInfo;
    const auto flag = [](std::string_view s) { return ToFlag(StrictNumber(s) != 0); };
    // A track line too short, or for a track that MAIN did not make, is ignored.
    const auto track = [&](size_t fields, uint8_t seen) -> aTrackInfo* {
        if (f.size() < fields) return nullptr;
        const int32_t t = Long(StrictNumber(f[0]), "track");
        if (t < 0 || t >= static_cast<int32_t>(play.Track.size())) return nullptr;
        doc.trackLines[t] |= seen;
        return &play.Track[t];
    };
    // A failure drops the whole read, so fields are stored as they come.
    if (parts[0] == "\\playinfo,MAIN") {
        if (f.size() < 7) return;
        play.TotalTrack = Byte(StrictNumber(f[0]), "track count");
        play.MainTrack = Byte(StrictNumber(f[1]), "main track");
        play.Bpm = Int(StrictNumber(f[2]), "tempo");
        play.IsPlayDrum = flag(f[3]);
        play.DrumVolume = Byte(StrictNumber(f[4]), "drum volume");
        play.JiePai = Byte(StrictNumber(f[5]), "metre");
        play.XjDrumCount = Int(StrictNumber(f[6]), "drum bars");
        play.Track.assign(play.TotalTrack, aTrackInfo{});
        doc.sawMain = true;
        doc.trackLines.assign(play.TotalTrack, 0);
    } else if (parts[0] == "\\playinfo,TRACK") {
        aTrackInfo* t = track(8, 1);
        if (!t) return;
        t->Volume = Byte(StrictNumber(f[1]), "volume");
        t->ComSounds = Byte(StrictNumber(f[2]), "instrument");
        t->SoundImage = Byte(StrictNumber(f[3]), "pan");
        t->Yd = Byte(StrictNumber(f[4]), "key");
        t->IsUser = flag(f[5]);
        t->DelayTimer = Int(StrictNumber(f[6]), "delay");
        t->XjCount = Int(StrictNumber(f[7]), "bars");
    } else if (parts[0] == "\\playinfo,PLAYORDER") {
        aTrackInfo* t = track(49, 2);
        if (!t) return;
        for (size_t i = 1; i <= 48; ++i) {
            const auto entry = Split(f[i], ',');
            if (entry.size() < 2) continue;
            t->tPlayOrder[i - 1].BlockIndex = Byte(StrictNumber(entry[0]), "block");
            t->tPlayOrder[i - 1].IsPlay = flag(entry[1]);
        }
    }
}

void DaDurReader::Finish(Doc& doc) {
    JpData& d = doc.data;
    AboutFileInfo& info = d.FileInfo;
    info.FontTblCount = static_cast<int16_t>(d.FontTbl.size());
    info.ColorTblCount = static_cast<int16_t>(d.ColorTbl.size());
    info.WordCount = static_cast<int32_t>(doc.words);
    info.HwWordCount = static_cast<int32_t>(d.HwWordInfo.size());
    // The item array holds at least one entry, as the stored format's reader left it. A spare
    // drum pattern would be written by the next save: a file without patterns opens with none.
    if (d.HwWordInfo.empty()) d.HwWordInfo.emplace_back();
    doc.repair.Finish(d, *doc.sink);
    // A colour line after paragraphs already handed on: they take the table's colour 0 too.
    doc.blankColour = -1;
    const int16_t blank = BlankColour(doc);
    if (doc.staleBlank || (doc.handedBlank >= 0 && doc.handedBlank != blank))
        doc.sink->Revisit([&](aWordInfo& w) {
            if (w.IsJpGcCtl == 3) w.cb = blank;
        });
    info.XjCount = static_cast<int16_t>(std::clamp(doc.bars - 1, 1, int32_t{INT16_MAX}));
}

}  // namespace tessaly
