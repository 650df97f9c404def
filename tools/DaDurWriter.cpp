#include "DaDurWriter.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "DaDurFormat.h"
#include "DocumentRepair.h"
#include "cText.h"
#include "text/Cp936.h"

namespace tessaly {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Escaped(std::string_view text) {
    bool escaped = false;
    return cText::Str2RtfStr(text, escaped);
}

std::string Num(int64_t v) {
    return std::to_string(v);
}

std::string Twips(double px, double zoom) {
    return dadur::FormatNumber(dadur::TwipsFromPixels(px, zoom));
}

// Appends a control word and its number without temporaries; the character loop runs per character.
void Put(std::string& out, std::string_view word, int64_t v) {
    out += word;
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// The font and colour tables as written: only entries in use, renumbered.
class Tables {
public:
    Tables(const JpData& doc, const WordSource& wordSource, size_t words, size_t items) : doc_(doc) {
        const auto& fonts = doc.FontTbl;
        const int16_t base = doc.FileInfo.BaseFontTblIndex;
        baseName_ = base >= 0 && static_cast<size_t>(base) < fonts.size() ? fonts[base].FontName : "";

        std::vector<std::string> usedNames;
        std::vector<bool> colourUsed(doc.ColorTbl.size(), false);
        const auto useColour = [&](int32_t c) {
            if (c >= 0 && static_cast<size_t>(c) < colourUsed.size()) colourUsed[c] = true;
        };
        useColour(doc.FileInfo.m_cb);
        int16_t lastFont = -1;
        ForEachWord(wordSource, words, [&](const aWordInfo& w) {
            useColour(w.cf);
            useColour(w.cb);
            const int16_t f = w.nLogFont.FontTblIndex;
            if (f != lastFont && f >= 0 && static_cast<size_t>(f) < fonts.size()) {
                std::string name = dadur::LowerGbk(fonts[f].FontName);
                if (std::find(usedNames.begin(), usedNames.end(), name) == usedNames.end())
                    usedNames.push_back(std::move(name));
            }
            lastFont = f;
        });
        for (size_t i = 0; i < items; ++i) useColour(doc.HwWordInfo[i].cf);

        const std::string song = Utf16ToCp936(u"宋体").value_or("");
        for (const auto& font : fonts) {
            // An entry without a name (the placeholder of a document without fonts) names no font.
            if (font.FontName.empty()) continue;
            const bool used =
                font.FontName == baseName_ || font.FontName == song ||
                std::find(usedNames.begin(), usedNames.end(), dadur::LowerGbk(font.FontName)) != usedNames.end();
            // A later entry of the same name would be named by no character: every index maps
            // to the first.
            std::string name = dadur::LowerGbk(font.FontName);
            const bool again =
                std::any_of(keptFonts_.begin(), keptFonts_.end(), [&](const auto& kept) { return kept.first == name; });
            if (used && !again) keptFonts_.push_back({std::move(name), &font});
        }
        fontIndex_.resize(fonts.size(), 0);
        for (size_t i = 0; i < fonts.size(); ++i) {
            const std::string name = dadur::LowerGbk(fonts[i].FontName);
            for (size_t k = 0; k < keptFonts_.size(); ++k)
                if (keptFonts_[k].first == name) {
                    fontIndex_[i] = static_cast<int32_t>(k);
                    break;
                }
        }

        // Indexes map by value to the first entry of that value, so a later one is not kept.
        for (size_t c = 0; c < colourUsed.size(); ++c)
            if (colourUsed[c] &&
                std::find(keptColours_.begin(), keptColours_.end(), doc.ColorTbl[c]) == keptColours_.end())
                keptColours_.push_back(doc.ColorTbl[c]);
        colourIndex_.resize(doc.ColorTbl.size(), 0);
        for (size_t c = 0; c < doc.ColorTbl.size(); ++c) {
            const auto it = std::find(keptColours_.begin(), keptColours_.end(), doc.ColorTbl[c]);
            colourIndex_[c] = it == keptColours_.end() ? 0 : static_cast<int32_t>(it - keptColours_.begin());
        }
    }

    // The notation font's index follows its entry when entries before it are left out; the
    // entry it names as written is the one written as the notation font.
    std::string HeaderLine() const {
        const AboutFileInfo& info = doc_.FileInfo;
        std::string s = "\\jprtfver" + Num(info.DaDurVer) + "\\deff" + Num(info.deffFont) + "\\basejpf" +
                        Num(Font(info.BaseFontTblIndex)) + "{\\fonttbl";
        for (size_t k = 0; k < keptFonts_.size(); ++k) {
            const aFontTbl& font = *keptFonts_[k].second;
            s += "{\\f" + Num(static_cast<int64_t>(k)) + "\\fnil\\fcharset" +
                 (static_cast<int32_t>(k) == Font(info.BaseFontTblIndex) ? "2" : "134") + "\\hyg" +
                 dadur::FormatSingle(font.hYg) + "\\hyc" + dadur::FormatSingle(font.hYc) + " " +
                 Escaped(font.FontName) + ";}";
        }
        return s + "}";
    }

    std::string ColourLine() const {
        std::string s = "\\jpcolor\\pcb" + Num(Colour(doc_.FileInfo.m_cb)) + "{\\colortbl";
        for (uint32_t c : keptColours_)
            s += "\\alpha" + Num(c >> 24) + "\\red" + Num(c & 0xFF) + "\\green" + Num(c >> 8 & 0xFF) + "\\blue" +
                 Num(c >> 16 & 0xFF) + ";";
        return s + "}";
    }

    // The written index of a colour: the first kept entry of the same value, or 0.
    int32_t Colour(int32_t index) const {
        if (index == kNoBackground) return kNoBackground;
        return index >= 0 && static_cast<size_t>(index) < colourIndex_.size() ? colourIndex_[index] : 0;
    }

    int32_t Font(int16_t index) const {
        return index >= 0 && static_cast<size_t>(index) < fontIndex_.size() ? fontIndex_[index] : 0;
    }

private:
    const JpData& doc_;
    std::string baseName_;
    std::vector<std::pair<std::string, const aFontTbl*>> keptFonts_;
    std::vector<int32_t> fontIndex_;
    std::vector<uint32_t> keptColours_;
    std::vector<int32_t> colourIndex_;
};

// Pair numbers in the file: starts count 1, 2, 3 ... and each end takes the
// number of the nearest open start of its own code with its stored number, so
// pairs that share a stored number stay apart.
class PairNumbers {
public:
    int32_t Written(const aExtralWordInfo& slot) {
        const int32_t code = slot.IndexType;
        if (dadur::IsPairStart(code)) {
            open_[{code, slot.ExtralWordVal2}].push_back(++starts_);
            return starts_;
        }
        if (dadur::IsPairEnd(code)) {
            auto it = open_.find({code - 1, slot.ExtralWordVal2});
            if (it == open_.end() || it->second.empty()) return 0;  // an end without start names no pair
            const int32_t n = it->second.back();
            it->second.pop_back();
            return n;
        }
        return slot.ExtralWordVal2;
    }

private:
    int32_t starts_ = 0;
    std::map<std::pair<int32_t, int32_t>, std::vector<int32_t>> open_;
};

void PutPage(std::string& out, const JpData& doc) {
    const AboutPageInfo& page = doc.PageInfo;
    out += "\\jppaper\\margltw" + Num(page.PageMarginRect.Left) + "\\margttw" + Num(page.PageMarginRect.Top) +
           "\\margrtw" + Num(page.PageMarginRect.Right) + "\\margbtw" + Num(page.PageMarginRect.Bottom) +
           "\\papertype" + Num(page.PaperType) + "\\pagecx" + Num(page.PageSize.cx) + "\\pagecy" +
           Num(page.PageSize.cy) + "\\cmscale" + Num(doc.FileInfo.CMScale) + "\\backgroundtype" +
           Num(page.BackGroundType) + "\\pagepostype" + Num(page.PagePosIndexType) + "\\pagenumbersize" +
           Num(page.PageNumberSize) + "\\scale" + dadur::FormatSingle(page.nScale);
    out += kLineEnd;
}

// The characters: each writes only the attributes that differ from the character before.
class CharacterWriter {
public:
    CharacterWriter(std::string& out, const Tables& tables, int32_t dpi, double zoom)
        : out_(out), tables_(tables), dpi_(dpi), zoom_(zoom) {}

    // The first paragraph header gives every attribute of character 0.
    void Start(const aWordInfo& first) {
        out_ += "\\part\\cf" + Num(tables_.Colour(first.cf)) + "\\cb" + Num(tables_.Colour(first.cb)) + "\\f" +
                Num(tables_.Font(first.nLogFont.FontTblIndex)) + "\\i" + Num(first.nLogFont.lfItalic) + "\\strike" +
                Num(first.nLogFont.lfStrikeOut) + "\\ul" + Num(first.nLogFont.lfUnderline) +
                (first.nLogFont.lfWeight > 699 ? "\\b" : "\\b0") + "\\att" + Num(first.IsJpGcCtl) + "\\fs" +
                Num(dadur::MilliPointsOf(first, dpi_)) + "\\expndtw" + Twips(first.WdSpace);
        prev_ = Compared::Of(first);
        prev_.UpSpace = 0;
        lastCb_ = tables_.Colour(first.cb);
        lastSize_ = dadur::MilliPointsOf(first, dpi_);
        sizeOf_ = {first.SelSize, first.nLogFont.lfHeight};
        size_ = lastSize_;
    }

    void Write(const aWordInfo& w) {
        const size_t before = out_.size();
        const bool paragraphEnd = w.IsJpGcCtl == 3;
        PutAttributes(w, paragraphEnd);
        PutMarks(w);
        // A paragraph end's own size too: "\\par" takes the size in force.
        // The size follows from these two alone: worked out again only when one changes.
        if (w.SelSize != sizeOf_.first || w.nLogFont.lfHeight != sizeOf_.second) {
            sizeOf_ = {w.SelSize, w.nLogFont.lfHeight};
            size_ = dadur::MilliPointsOf(w, dpi_);
        }
        const int64_t size = size_;
        if (size != lastSize_) {
            lastSize_ = size;
            Put(out_, "\\fs", size);
        }
        if (Differs(w.WdSpace, prev_.WdSpace)) {
            out_ += "\\expndtw";
            out_ += Twips(w.WdSpace);
        }
        // A lone lead byte just written would take this character's first byte as its trail
        // byte: the kind in force, written again, stands between them and changes nothing.
        if (afterLoneLead_ && out_.size() == before && !paragraphEnd) Put(out_, "\\att", w.IsJpGcCtl);
        if (out_.size() != before) afterWord_ = true;

        if (paragraphEnd) {
            out_ += "\\par";
            out_ += kLineEnd;
            out_ += "\\part";
            afterWord_ = true;
        } else if (IsPlainAscii(w.WdAsc)) {
            // Written as it is (what the general way below gives it, without its strings).
            if (afterWord_) out_ += ' ';
            out_ += static_cast<char>(w.WdAsc);
            afterWord_ = false;
            afterLoneLead_ = false;
        } else if (const auto bits = static_cast<uint16_t>(w.WdAsc); bits > 0xFF && HasGbkForm(w.WdAsc)) {
            // A double-byte character, both bytes as hex escapes, as the general way writes it.
            PutHexEscape(static_cast<uint8_t>(bits >> 8));
            PutHexEscape(static_cast<uint8_t>(bits));
            afterWord_ = false;
            afterLoneLead_ = false;
        } else {
            // A code with no character form is written as "?" rather than dropped,
            // so the marks written before it keep their character.
            const std::string bytes = GbkFromWdAsc(w.WdAsc).value_or("?");
            const std::string text = Escaped(bytes);
            if (afterWord_ && !text.empty() && text[0] != '\\') out_ += ' ';
            out_ += text;
            afterWord_ = false;
            afterLoneLead_ = bytes.size() == 1 && IsGbkLeadByte(static_cast<uint8_t>(bytes[0]));
        }
        if (paragraphEnd) afterLoneLead_ = false;
        prev_ = Compared::Of(w);
    }

private:
    // What the next character is compared with: the attributes written only when they change.
    struct Compared {
        int16_t cf = 0;
        int16_t cb = 0;
        uint8_t IsJpGcCtl = 0;
        float UpSpace = 0;
        float WdSpace = 0;
        mLogFont nLogFont;
        static Compared Of(const aWordInfo& w) { return {w.cf, w.cb, w.IsJpGcCtl, w.UpSpace, w.WdSpace, w.nLogFont}; }
    };

    // A printable ASCII character that needs no escape.
    static bool IsPlainAscii(int16_t code) {
        return code >= 0x20 && code < 0x80 && code != '{' && code != '\\' && code != '}';
    }

    void PutHexEscape(uint8_t b) {
        const char escape[] = {'\\', '\'', "0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 0x0F]};
        out_.append(escape, sizeof escape);
    }

    std::string Twips(double px) const { return tessaly::Twips(px, zoom_); }
    // Values are compared as written: the file reads back what it says, not the value before.
    bool Differs(float a, float b) const { return a != b && Twips(a) != Twips(b); }

    void PutAttributes(const aWordInfo& w, bool paragraphEnd) {
        const mLogFont& f = w.nLogFont;
        const mLogFont& pf = prev_.nLogFont;
        if (tables_.Colour(w.cf) != tables_.Colour(prev_.cf)) Put(out_, "\\cf", tables_.Colour(w.cf));
        if (!paragraphEnd && tables_.Colour(w.cb) != lastCb_) {
            lastCb_ = tables_.Colour(w.cb);
            Put(out_, "\\cb", lastCb_);
        }
        if (w.IsJpGcCtl != prev_.IsJpGcCtl) Put(out_, "\\att", w.IsJpGcCtl);
        if (Differs(w.UpSpace, prev_.UpSpace)) {
            out_ += "\\ups";
            out_ += Twips(w.UpSpace);
        }
        // By the written index: entries of one name are written as one.
        if (tables_.Font(f.FontTblIndex) != tables_.Font(pf.FontTblIndex))
            Put(out_, "\\f", tables_.Font(f.FontTblIndex));
        PutStack(w.ShuPai);
        if (f.lfItalic != pf.lfItalic) Put(out_, "\\i", f.lfItalic);
        if (f.lfUnderline != pf.lfUnderline) Put(out_, "\\ul", f.lfUnderline);
        if (f.lfStrikeOut != pf.lfStrikeOut) Put(out_, "\\strike", f.lfStrikeOut);
        if ((f.lfWeight > 699) != (pf.lfWeight > 699)) out_ += f.lfWeight > 699 ? "\\b" : "\\b0";
        if (w.Yc != 0) Put(out_, "\\yc", w.Yc);
        if (w.YG != 0) Put(out_, "\\yg", w.YG);
    }

    void PutStack(const aShuPai& stack) {
        const int16_t n = stack.Number;
        const bool opens = n == 1 || n == -1;
        if (opens && run_ == 0) {
            Put(out_, "\\spn", n);
            out_ += "\\sps";
            out_ += Twips(stack.Space);
            run_ = n;
        } else if (opens) {
            Put(out_, "\\spn0\\spn", n);
            run_ = n;
        } else if (n == 0 && run_ != 0) {
            out_ += "\\spn0";
            run_ = 0;
        }
    }

    void PutMarks(const aWordInfo& w) {
        for (const aExtralWordInfo& slot : w.ExtralWordInfo) {
            if (slot.IndexType == 0) continue;
            Put(out_, "\\ex ", slot.IndexType);
            Put(out_, ",", slot.ExtralWordVal1);
            Put(out_, ",", pairs_.Written(slot));
            const std::string text = dadur::MarkText(slot);
            if (dadur::MarkTextIsWritten(slot.IndexType, text.empty())) {
                out_ += ',';
                out_ += Escaped(text);
            }
            out_ += "\\eex";
        }
    }

    std::string& out_;
    const Tables& tables_;
    int32_t dpi_;
    double zoom_;
    Compared prev_;
    std::pair<float, int32_t> sizeOf_;  // the SelSize and lfHeight size_ was worked out from
    int64_t size_ = 0;
    int32_t lastCb_ = 0;
    int64_t lastSize_ = 0;
    int16_t run_ = 0;  // the number that opened the current stacked run
    bool afterWord_ = true;
    bool afterLoneLead_ = false;
    PairNumbers pairs_;
};

void PutDrums(std::string& out, const std::vector<XjDrumData>& drums) {
    if (drums.empty()) return;
    out += dadur::DrumLabelLine();
    out += kLineEnd;
    for (size_t i = 0; i < drums.size(); ++i) {
        const XjDrumData& drum = drums[i];
        std::string name;
        for (uint8_t b : drum.DrumName)
            if (b != 0) name += static_cast<char>(b);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        name.erase(0, name.find_first_not_of(' ') == std::string::npos ? name.size() : name.find_first_not_of(' '));
        // Quotes inside are doubled so that the name reads back as it was.
        std::string quoted;
        for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        std::string s = "\\drumdata," + Num(static_cast<int64_t>(i)) + "," + Num(drum.DrumVer) + ",\"" + quoted +
                        "\"," + Num(drum.DrumChannel) + ",";
        for (int k = 0; k < 8; ++k) s += Num(drum.DrumVolume[k]) + ",";
        for (int k = 0; k < 8; ++k) s += Num(drum.DrumSounds[k]) + ",";
        s += Num(drum.DrumTrack) + "," + Num(drum.DrumTimeSignature) + "," + Num(drum.DrumSpeed) + ",";
        for (int k = 0; k < 32; ++k) s += Num(drum.DrumRhythms[k]) + ",";
        for (int k = 0; k < 8; ++k) s += Num(drum.DrumSoundImage[k]) + ",";
        out += s + Num(drum.BarsOfSong) + "," + Num(drum.HaveDrum);
        out += kLineEnd;
    }
}

void PutPlayInfo(std::string& out, const aPlayInfo& play) {
    const auto flag = [](Boolean b) { return b != 0 ? "-1" : "0"; };
    out += "\\playinfo,MAIN:" + Num(play.TotalTrack) + "|" + Num(play.MainTrack) + "|" + Num(play.Bpm) + "|" +
           flag(play.IsPlayDrum) + "|" + Num(play.DrumVolume) + "|" + Num(play.JiePai) + "|" + Num(play.XjDrumCount);
    out += kLineEnd;
    for (size_t t = 0; t < play.TotalTrack; ++t) {
        const aTrackInfo track = t < play.Track.size() ? play.Track[t] : aTrackInfo{};
        out += "\\playinfo,TRACK:" + Num(static_cast<int64_t>(t)) + "|" + Num(track.Volume) + "|" +
               Num(track.ComSounds) + "|" + Num(track.SoundImage) + "|" + Num(track.Yd) + "|" + flag(track.IsUser) +
               "|" + Num(track.DelayTimer) + "|" + Num(track.XjCount);
        out += kLineEnd;
        out += "\\playinfo,PLAYORDER:" + Num(static_cast<int64_t>(t));
        for (const aPlayBlock& b : track.tPlayOrder) {
            out += '|';
            out += Num(b.BlockIndex);
            out += ',';
            out += flag(b.IsPlay);
        }
        out += kLineEnd;
    }
}

}  // namespace

std::string DaDurWriter::Write(const JpData& doc, intptr_t hwnd) {
    return Write(doc, WordArray(doc.WordInfo), hwnd);
}

std::string DaDurWriter::Write(const JpData& doc, const WordSource& wordSource, intptr_t hwnd) {
    const size_t words = std::min<size_t>(std::max(doc.FileInfo.WordCount, 0), wordSource.size());
    const size_t items = std::min<size_t>(std::max(doc.FileInfo.HwWordCount, 0), doc.HwWordInfo.size());
    const int32_t dpi = std::max(system_.CurrentDpi(), 1);
    const Tables tables(doc, wordSource, words, items);
    const auto twips = [&](double px) { return Twips(px, zoom_); };

    std::string out;
    out.reserve(64 * 1024 + words * 24);
    out += tables.HeaderLine();
    out += kLineEnd;
    out += tables.ColourLine();
    out += kLineEnd;
    PutPage(out, doc);

    CharacterWriter characters(out, tables, dpi, zoom_);
    aWordInfo first{};
    if (words > 0) first = *wordSource.Run(0, 1, &first);
    characters.Start(first);
    size_t d = 0;
    ForEachWord(wordSource, words, [&](const aWordInfo& w) {
        if (hwnd != 0) system_.Progress(hwnd, static_cast<int32_t>(d * 100 / words));
        characters.Write(w);
        ++d;
    });
    out += kLineEnd;

    out += dadur::kHwLabelLine;
    out += kLineEnd;
    for (size_t i = 0; i < items; ++i) {
        const aHwWordInfo& item = doc.HwWordInfo[i];
        out += "\\hwdata," + Num(item.HwWordtype) + "," + Num(item.iPage) + "," + twips(item.X) + "," + twips(item.Y) +
               "," + twips(item.Width) + "," + twips(item.Height) + "," + Num(tables.Colour(item.cf));
        out += kLineEnd;
    }
    PutDrums(out, doc.XjDrum);
    PutPlayInfo(out, doc.PlayInfo);
    return out;
}

}  // namespace tessaly
