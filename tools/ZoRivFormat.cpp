#include "ZoRivFormat.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>

#include "Cp936.h"
#include "records/Numbers.h"

namespace tessaly {

// ---- records, field by field

namespace {

constexpr char kSongTi[] = "\xCB\xCE\xCC\xE5";  // 宋体
constexpr size_t kFontEntryMinSize = 2 + 1 + 4 + 4;

void ReadHeader(ByteReader& r, AboutFileInfo& h) {
    h.DaDurVer = r.U8();
    h.deffFont = r.I16();
    h.CMScale = r.I16();
    h.BaseFontTblIndex = r.I16();
    h.m_cb = r.I16();
    h.FontTblCount = r.I16();
    h.ColorTblCount = r.I16();
    h.WordCount = r.I32();
    h.HwWordCount = r.I32();
    h.QiLuoBianHao = r.I32();
    h.XjCount = r.I16();
}

void WriteHeader(ByteWriter& w, const AboutFileInfo& h) {
    w.U8(h.DaDurVer);
    w.I16(h.deffFont);
    w.I16(h.CMScale);
    w.I16(h.BaseFontTblIndex);
    w.I16(h.m_cb);
    w.I16(h.FontTblCount);
    w.I16(h.ColorTblCount);
    w.I32(h.WordCount);
    w.I32(h.HwWordCount);
    w.I32(h.QiLuoBianHao);
    w.I16(h.XjCount);
}

void ReadPage(ByteReader& r, AboutPageInfo& p) {
    p.BackGroundType = r.U8();
    p.PagePosIndexType = r.U8();
    p.PageNumberSize = r.I16();
    p.nScale = r.F32();
    p.PageMarginRect.Left = r.I32();
    p.PageMarginRect.Top = r.I32();
    p.PageMarginRect.Right = r.I32();
    p.PageMarginRect.Bottom = r.I32();
    p.PaperType = r.U8();
    p.PageSize.cx = r.I32();
    p.PageSize.cy = r.I32();
    p.PageFX = r.U8();
}

void WritePage(ByteWriter& w, const AboutPageInfo& p) {
    w.U8(p.BackGroundType);
    w.U8(p.PagePosIndexType);
    w.I16(p.PageNumberSize);
    w.F32(p.nScale);
    w.I32(p.PageMarginRect.Left);
    w.I32(p.PageMarginRect.Top);
    w.I32(p.PageMarginRect.Right);
    w.I32(p.PageMarginRect.Bottom);
    w.U8(p.PaperType);
    w.I32(p.PageSize.cx);
    w.I32(p.PageSize.cy);
    w.U8(p.PageFX);
}

void ReadTrack(ByteReader& r, aTrackInfo& t) {
    t.Volume = r.U8();
    t.ComSounds = r.U8();
    t.SoundImage = r.U8();
    t.Yd = r.U8();
    t.IsUser = r.I16();
    for (aPlayBlock& b : t.tPlayOrder) {
        b.BlockIndex = r.U8();
        b.IsPlay = r.I16();
    }
    t.DelayTimer = r.I16();
    t.XjCount = r.I16();
}

void WriteTrack(ByteWriter& w, const aTrackInfo& t) {
    w.U8(t.Volume);
    w.U8(t.ComSounds);
    w.U8(t.SoundImage);
    w.U8(t.Yd);
    w.I16(t.IsUser);
    for (const aPlayBlock& b : t.tPlayOrder) {
        w.U8(b.BlockIndex);
        w.I16(b.IsPlay);
    }
    w.I16(t.DelayTimer);
    w.I16(t.XjCount);
}

void ReadPlayTail(ByteReader& r, aPlayInfo& p) {
    p.TotalTrack = r.U8();
    p.MainTrack = r.U8();
    p.Bpm = r.I16();
    p.IsPlayDrum = r.I16();
    p.DrumVolume = r.U8();
    p.JiePai = r.U8();
    p.XjDrumCount = r.I16();
}

void WritePlayTail(ByteWriter& w, const aPlayInfo& p) {
    w.U8(p.TotalTrack);
    w.U8(p.MainTrack);
    w.I16(p.Bpm);
    w.I16(p.IsPlayDrum);
    w.U8(p.DrumVolume);
    w.U8(p.JiePai);
    w.I16(p.XjDrumCount);
}

// The hot records work on a local copy of the cursor: a byte store through a reference could
// change the cursor itself as far as the compiler knows, so it would reload it after each one.
void ReadWord(ByteReader& in, aWordInfo& c) {
    ByteReader r = in;
    c.WdAsc = r.I16();
    c.WdSize.cx = r.F32();
    c.WdSize.cy = r.F32();
    c.SelSize = r.F32();
    c.WdSpace = r.F32();
    c.UpSpace = r.F32();
    c.ShuPai.Space = r.F32();
    c.ShuPai.Number = r.I16();
    c.Yc = r.U8();
    c.YG = r.U8();
    c.Left = r.F32();
    c.Top = r.F32();
    c.Right = r.F32();
    c.Bottom = r.F32();
    for (aExtralWordInfo& s : c.ExtralWordInfo) {
        s.IndexType = r.I32();
        s.ExtralWordVal1 = r.I32();
        s.ExtralWordVal2 = r.I32();
        r.Bytes(s.ExtralWordVal3, sizeof s.ExtralWordVal3);
    }
    c.cf = r.I16();
    c.cb = r.I16();
    mLogFont& f = c.nLogFont;
    f.FontTblIndex = r.I16();
    f.lfHeight = r.I32();
    f.lfWidth = r.I32();
    f.lfEscapement = r.I32();
    f.lfOrientation = r.I32();
    f.lfWeight = r.I32();
    f.lfItalic = r.U8();
    f.lfUnderline = r.U8();
    f.lfStrikeOut = r.U8();
    f.lfOutPrecision = r.U8();
    f.lfClipPrecision = r.U8();
    f.lfQuality = r.U8();
    f.lfPitchAndFamily = r.U8();
    c.IsJpGcCtl = r.U8();
    in = r;
}

void WriteWord(ByteWriter& out, const aWordInfo& c) {
    ByteWriter w = out;
    w.I16(c.WdAsc);
    w.F32(c.WdSize.cx);
    w.F32(c.WdSize.cy);
    w.F32(c.SelSize);
    w.F32(c.WdSpace);
    w.F32(c.UpSpace);
    w.F32(c.ShuPai.Space);
    w.I16(c.ShuPai.Number);
    w.U8(c.Yc);
    w.U8(c.YG);
    w.F32(c.Left);
    w.F32(c.Top);
    w.F32(c.Right);
    w.F32(c.Bottom);
    for (const aExtralWordInfo& s : c.ExtralWordInfo) {
        w.I32(s.IndexType);
        w.I32(s.ExtralWordVal1);
        w.I32(s.ExtralWordVal2);
        w.Bytes(s.ExtralWordVal3, sizeof s.ExtralWordVal3);
    }
    w.I16(c.cf);
    w.I16(c.cb);
    const mLogFont& f = c.nLogFont;
    w.I16(f.FontTblIndex);
    w.I32(f.lfHeight);
    w.I32(f.lfWidth);
    w.I32(f.lfEscapement);
    w.I32(f.lfOrientation);
    w.I32(f.lfWeight);
    w.U8(f.lfItalic);
    w.U8(f.lfUnderline);
    w.U8(f.lfStrikeOut);
    w.U8(f.lfOutPrecision);
    w.U8(f.lfClipPrecision);
    w.U8(f.lfQuality);
    w.U8(f.lfPitchAndFamily);
    w.U8(c.IsJpGcCtl);
    out = w;
}

void ReadHwWord(ByteReader& r, aHwWordInfo& h) {
    h.iPage = r.I32();
    h.HwWordtype = r.I16();
    h.cf = r.I16();
    h.X = r.F32();
    h.Y = r.F32();
    h.Height = r.F32();
    h.Width = r.F32();
}

void WriteHwWord(ByteWriter& w, const aHwWordInfo& h) {
    w.I32(h.iPage);
    w.I16(h.HwWordtype);
    w.I16(h.cf);
    w.F32(h.X);
    w.F32(h.Y);
    w.F32(h.Height);
    w.F32(h.Width);
}

// Drum patterns are all bytes: their packed form is their memory form.
static_assert(sizeof(XjDrumData) == kZoRivDrumSize);

void ReadDrum(ByteReader& r, XjDrumData& d) {
    uint8_t raw[kZoRivDrumSize];
    r.Bytes(raw, sizeof raw);
    std::memcpy(&d, raw, sizeof raw);
}

void WriteDrum(ByteWriter& w, const XjDrumData& d) {
    uint8_t raw[kZoRivDrumSize];
    std::memcpy(raw, &d, sizeof raw);
    w.Bytes(raw, sizeof raw);
}

double UsableZoom(double zoom) { return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0; }

void Report(ProgressSink* progress, int32_t percent) {
    if (progress) progress->Progress(percent);
}

ZoRivStatus Fail(int32_t number, std::string reason) { return {number, std::move(reason)}; }

ZoRivStatus PastEnd() { return Fail(kErrPastEnd, "输入超出文件尾"); }
ZoRivStatus BadFormat() { return Fail(kErrBadFileFormat, "无效的文件格式"); }

// A file name in a reason, UTF-8; a name that has no UTF-8 form is left out.
std::string PathText(const std::filesystem::path& p) {
    try {
        const std::u8string s = p.u8string();
        return std::string(s.begin(), s.end());
    } catch (...) {
        return {};
    }
}

}  // namespace

// ---- compaction

bool SameFontName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size();) {
        if (GbkCharLength(a, i) == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
        } else {
            if (lower(a[i]) != lower(b[i])) return false;
            i += 1;
        }
    }
    return true;
}

int16_t ZoRivTables::FontIndex(int32_t old) const {
    if (old < 0 || static_cast<size_t>(old) >= fontIndex.size()) return 0;
    return fontIndex[old];
}

int16_t ZoRivTables::ColourIndex(int32_t old) const {
    if (old < 0) return static_cast<int16_t>(old);
    if (static_cast<size_t>(old) >= colourIndex.size()) return 0;
    return colourIndex[old];
}

ZoRivTables CompactTables(const JpData& doc) {
    ZoRivTables t;
    const auto& fonts = doc.FontTbl;
    const auto& colours = doc.ColorTbl;
    const size_t words = std::min<size_t>(std::max(doc.FileInfo.WordCount, 0), doc.WordInfo.size());
    const size_t items = std::min<size_t>(std::max(doc.FileInfo.HwWordCount, 0), doc.HwWordInfo.size());

    std::vector<bool> fontUsed(fonts.size()), colourUsed(colours.size());
    const auto useColour = [&](int32_t i) {
        if (i >= 0 && static_cast<size_t>(i) < colourUsed.size()) colourUsed[i] = true;
    };
    for (size_t i = 0; i < words; ++i) {
        const aWordInfo& c = doc.WordInfo[i];
        const int32_t f = c.nLogFont.FontTblIndex;
        if (f >= 0 && static_cast<size_t>(f) < fontUsed.size()) fontUsed[f] = true;
        useColour(c.cf);
        useColour(c.cb);
    }
    for (size_t i = 0; i < items; ++i) useColour(doc.HwWordInfo[i].cf);
    useColour(doc.FileInfo.m_cb);

    const int32_t base = doc.FileInfo.BaseFontTblIndex;
    const std::string notation =
        base >= 0 && static_cast<size_t>(base) < fonts.size() ? fonts[base].FontName : std::string();
    for (const aFontTbl& entry : fonts) {
        bool keep = entry.FontName == notation || entry.FontName == kSongTi;
        for (size_t u = 0; u < fonts.size() && !keep; ++u)
            keep = fontUsed[u] && SameFontName(fonts[u].FontName, entry.FontName);
        if (!keep) continue;
        aFontTbl kept;
        kept.FontName = entry.FontName;
        kept.fcharset = entry.FontName == notation ? 2 : 134;
        kept.hYc = static_cast<float>(Round(entry.hYc, 1));
        kept.hYg = static_cast<float>(Round(entry.hYg, 1));
        t.fonts.push_back(std::move(kept));
    }
    for (size_t i = 0; i < colours.size(); ++i)
        if (colourUsed[i]) t.colours.push_back(colours[i]);

    t.fontIndex.assign(fonts.size(), 0);
    for (size_t i = 0; i < fonts.size(); ++i) {
        for (size_t k = 0; k < t.fonts.size(); ++k) {
            if (SameFontName(t.fonts[k].FontName, fonts[i].FontName)) {
                t.fontIndex[i] = static_cast<int16_t>(k);
                break;
            }
        }
    }
    t.colourIndex.assign(colours.size(), 0);
    for (size_t i = 0; i < colours.size(); ++i) {
        for (size_t k = 0; k < t.colours.size(); ++k) {
            if (t.colours[k] == colours[i]) {
                t.colourIndex[i] = static_cast<int16_t>(k);
                break;
            }
        }
    }
    return t;
}

// ---- the whole file

ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, ProgressSink* progress) {
    zoom = UsableZoom(zoom);
    JpData doc;
    ByteReader r(bytes);

    ReadHeader(r, doc.FileInfo);
    if (r.Failed()) return PastEnd();
    const AboutFileInfo& h = doc.FileInfo;
    if (h.FontTblCount < 0 || h.ColorTblCount < 0 || h.WordCount < 0) return BadFormat();
    Report(progress, 5);

    ReadPage(r, doc.PageInfo);
    if (r.Failed()) return PastEnd();
    Report(progress, 8);

    aPlayInfo& play = doc.PlayInfo;
    const int16_t dimensions = r.I16();
    const int32_t tracks = r.I32();
    r.I32();  // lower bound: the tracks are kept from 0
    if (r.Failed()) return PastEnd();
    if (dimensions != 1 || tracks < 0) return BadFormat();
    if (!r.Holds(tracks, kZoRivTrackSize)) return PastEnd();
    play.Track.resize(tracks);
    for (aTrackInfo& t : play.Track) ReadTrack(r, t);
    ReadPlayTail(r, play);
    if (r.Failed()) return PastEnd();
    Report(progress, 10);

    if (!r.Holds(h.FontTblCount, kFontEntryMinSize)) return PastEnd();
    doc.FontTbl.resize(h.FontTblCount);
    for (aFontTbl& f : doc.FontTbl) {
        const int16_t length = r.I16();
        if (length < 0) return BadFormat();
        if (!r.Holds(length, 1)) return PastEnd();
        f.FontName.resize(length);
        r.Bytes(reinterpret_cast<uint8_t*>(f.FontName.data()), length);
        f.fcharset = r.U8();
        f.hYg = r.F32();
        f.hYc = r.F32();
        if (r.Failed()) return PastEnd();
    }
    Report(progress, 20);

    if (!r.Holds(h.ColorTblCount, 4)) return PastEnd();
    doc.ColorTbl.resize(h.ColorTblCount);
    for (uint32_t& c : doc.ColorTbl) c = r.U32();
    Report(progress, 30);

    // Spacings are stored in 96-DPI pixels. The paragraph spacing of mark 159 is in tenths of a
    // millimetre, not pixels, so it is kept as stored.
    if (!r.Holds(h.WordCount, kZoRivWordSize)) return PastEnd();
    doc.WordInfo.resize(h.WordCount);
    for (aWordInfo& c : doc.WordInfo) {
        ReadWord(r, c);
        c.WdSpace = static_cast<float>(c.WdSpace * zoom);
        c.UpSpace = static_cast<float>(c.UpSpace * zoom);
        c.ShuPai.Space = static_cast<float>(c.ShuPai.Space * zoom);
    }
    if (r.Failed()) return PastEnd();
    Report(progress, 60);

    if (h.HwWordCount > 0) {
        if (!r.Holds(h.HwWordCount, kZoRivHwWordSize)) return PastEnd();
        doc.HwWordInfo.resize(h.HwWordCount);
        for (aHwWordInfo& item : doc.HwWordInfo) ReadHwWord(r, item);
    }
    Report(progress, 70);

    if (play.XjDrumCount > 0) {
        if (!r.Holds(play.XjDrumCount, kZoRivDrumSize)) return PastEnd();
        doc.XjDrum.resize(play.XjDrumCount);
        for (XjDrumData& d : doc.XjDrum) ReadDrum(r, d);
    }
    Report(progress, 80);

    // The tracks are stored twice; the copy at the end is the one kept.
    if (play.TotalTrack != 0) {
        if (!r.Holds(play.TotalTrack, kZoRivTrackSize)) return PastEnd();
        play.Track.assign(play.TotalTrack, aTrackInfo{});
        for (aTrackInfo& t : play.Track) ReadTrack(r, t);
    }
    if (r.Failed()) return PastEnd();

    out = std::move(doc);
    Report(progress, 99);
    return {};
}

namespace {

// Gathers records into a buffer of about a megabyte and hands it on when it is full, so a large
// document is never formatted whole in memory before it goes to its file.
class Chunker {
public:
    explicit Chunker(ByteSink& sink) : sink_(sink) { buffer_.resize(size_t{1} << 20); }

    // One record of exactly n bytes, written by write(ByteWriter&).
    template <class F>
    void Record(size_t n, F&& write) {
        if (used_ + n > buffer_.size()) {
            Flush();
            if (n > buffer_.size()) buffer_.resize(n);
        }
        ByteWriter w(std::span<uint8_t>(buffer_).subspan(used_, n));
        write(w);
        if (w.Failed() || w.Written() != n) ok_ = false;
        used_ += n;
    }
    // A record of a fixed size, put together in a local buffer first: stores into the chunk
    // would otherwise make the compiler reload the cursor after every byte.
    template <size_t N, class F>
    void Fixed(F&& write) {
        uint8_t record[N];
        ByteWriter local(record);
        write(local);
        if (local.Failed() || local.Written() != N) ok_ = false;
        Record(N, [&](ByteWriter& w) { w.Bytes(record, N); });
    }
    bool Flush() {
        if (ok_ && used_ > 0) ok_ = sink_.Put({buffer_.data(), used_});
        used_ = 0;
        return ok_;
    }
    bool Ok() const { return ok_; }

private:
    ByteSink& sink_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    bool ok_ = true;
};

struct VectorSink final : ByteSink {
    std::vector<uint8_t> bytes;
    bool Put(std::span<const uint8_t> piece) override {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    }
};

ZoRivStatus SinkFailed() { return Fail(kErrFileAccess, "路径/文件访问错误"); }

}  // namespace

ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, ByteSink& sink, ProgressSink* progress) {
    zoom = UsableZoom(zoom);
    const AboutFileInfo& h = doc.FileInfo;
    const aPlayInfo& play = doc.PlayInfo;
    if (h.WordCount < 0 || static_cast<size_t>(h.WordCount) > doc.WordInfo.size() ||
        (h.HwWordCount > 0 && static_cast<size_t>(h.HwWordCount) > doc.HwWordInfo.size()) ||
        play.TotalTrack > play.Track.size())
        return Fail(kErrSubscript, "下标越界");
    if (play.Track.size() > INT32_MAX) return Fail(kErrOverflow, "溢出");

    const ZoRivTables tables = CompactTables(doc);
    if (tables.fonts.size() > INT16_MAX || tables.colours.size() > INT16_MAX) return Fail(kErrOverflow, "溢出");
    for (const aFontTbl& f : tables.fonts)
        if (f.FontName.size() > static_cast<size_t>(INT16_MAX)) return Fail(kErrOverflow, "溢出");

    AboutFileInfo header = h;
    header.FontTblCount = static_cast<int16_t>(tables.fonts.size());
    header.ColorTblCount = static_cast<int16_t>(tables.colours.size());
    header.m_cb = tables.ColourIndex(h.m_cb);
    header.BaseFontTblIndex = tables.FontIndex(h.BaseFontTblIndex);
    header.deffFont = tables.FontIndex(h.deffFont);

    Chunker out(sink);
    Report(progress, 10);
    out.Fixed<kZoRivHeaderSize>([&](ByteWriter& w) { WriteHeader(w, header); });
    Report(progress, 12);
    out.Fixed<kZoRivPageSize>([&](ByteWriter& w) { WritePage(w, doc.PageInfo); });
    Report(progress, 15);
    out.Fixed<kZoRivArrayDescriptorSize>([&](ByteWriter& w) {
        w.I16(1);
        w.I32(static_cast<int32_t>(play.Track.size()));
        w.I32(0);
    });
    for (const aTrackInfo& t : play.Track) out.Fixed<kZoRivTrackSize>([&](ByteWriter& w) { WriteTrack(w, t); });
    out.Fixed<kZoRivPlayTailSize>([&](ByteWriter& w) { WritePlayTail(w, play); });

    for (const aFontTbl& f : tables.fonts) {
        out.Record(kFontEntryMinSize + f.FontName.size(), [&](ByteWriter& w) {
            w.I16(static_cast<int16_t>(f.FontName.size()));
            w.Bytes(reinterpret_cast<const uint8_t*>(f.FontName.data()), f.FontName.size());
            w.U8(f.fcharset);
            w.F32(f.hYg);
            w.F32(f.hYc);
        });
    }
    Report(progress, 20);
    for (uint32_t c : tables.colours) out.Fixed<4>([&](ByteWriter& w) { w.U32(c); });
    Report(progress, 25);

    for (int32_t i = 0; i < h.WordCount && out.Ok(); ++i) {
        aWordInfo c = doc.WordInfo[i];
        c.cb = tables.ColourIndex(c.cb);
        c.cf = tables.ColourIndex(c.cf);
        c.nLogFont.FontTblIndex = tables.FontIndex(c.nLogFont.FontTblIndex);
        c.WdSpace = static_cast<float>(c.WdSpace / zoom);
        c.UpSpace = static_cast<float>(c.UpSpace / zoom);
        c.ShuPai.Space = static_cast<float>(c.ShuPai.Space / zoom);
        out.Fixed<kZoRivWordSize>([&](ByteWriter& w) { WriteWord(w, c); });
    }
    Report(progress, 60);

    const size_t items = h.HwWordCount > 0 ? static_cast<size_t>(h.HwWordCount) : 0;
    for (size_t i = 0; i < items; ++i) {
        aHwWordInfo item = doc.HwWordInfo[i];
        item.cf = tables.ColourIndex(item.cf);
        out.Fixed<kZoRivHwWordSize>([&](ByteWriter& w) { WriteHwWord(w, item); });
    }
    Report(progress, 65);

    // Patterns missing from the array are written as zero bytes.
    const XjDrumData empty{};
    const size_t drums = play.XjDrumCount > 0 ? static_cast<size_t>(play.XjDrumCount) : 0;
    for (size_t i = 0; i < drums; ++i) {
        const XjDrumData& d = i < doc.XjDrum.size() ? doc.XjDrum[i] : empty;
        out.Fixed<kZoRivDrumSize>([&](ByteWriter& w) { WriteDrum(w, d); });
    }
    Report(progress, 85);

    for (size_t i = 0; i < play.TotalTrack; ++i)
        out.Fixed<kZoRivTrackSize>([&](ByteWriter& w) { WriteTrack(w, play.Track[i]); });
    if (!out.Flush()) return SinkFailed();
    return {};
}

ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, std::vector<uint8_t>& out, ProgressSink* progress) {
    VectorSink sink;
    const ZoRivStatus status = FormatZoRiv(doc, zoom, sink, progress);
    if (status.Ok()) out = std::move(sink.bytes);
    return status;
}

// ---- files

ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, ProgressSink* progress) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return Fail(kErrFileNotFound, "文件未找到: " + PathText(name));
    std::ifstream in(name, std::ios::binary);
    if (!in) return Fail(kErrFileAccess, "路径/文件访问错误: " + PathText(name));
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length < 0 || !in) return Fail(kErrFileAccess, "路径/文件访问错误: " + PathText(name));
    // Not zero-filled first: every byte is read into it.
    const auto size = static_cast<size_t>(length);
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
    in.read(reinterpret_cast<char*>(bytes.get()), length);
    if (in.gcount() != length) return Fail(kErrFileAccess, "路径/文件访问错误: " + PathText(name));
    return ParseZoRiv({bytes.get(), size}, zoom, out, progress);
}

namespace {

// A name in the target's folder that no file has yet.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".~" + std::to_string(random() % 1000000) + ".tmp";
        std::error_code ec;
        if (!std::filesystem::exists(candidate, ec) && !ec) return candidate;
    }
    return {};
}

}  // namespace

ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, double zoom,
                           ProgressSink* progress) {
    const auto accessError = [&] { return Fail(kErrFileAccess, "路径/文件访问错误: " + PathText(name)); };
    Report(progress, 5);
    const std::filesystem::path temporary = TemporaryBeside(name);
    if (temporary.empty()) return accessError();

    struct FileSink final : ByteSink {
        std::ofstream file;
        bool Put(std::span<const uint8_t> piece) override {
            file.write(reinterpret_cast<const char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
            return !file.fail();
        }
    } sink;
    sink.file.open(temporary, std::ios::binary | std::ios::trunc);
    if (!sink.file) return accessError();

    ZoRivStatus status = FormatZoRiv(doc, zoom, sink, progress);
    sink.file.close();
    if (status.Ok() && sink.file.fail()) status = accessError();
    std::error_code ec;
    if (status.Ok()) {
        std::filesystem::rename(temporary, name, ec);
        if (ec) status = accessError();
    }
    if (!status.Ok()) {
        std::filesystem::remove(temporary, ec);
        if (status.number == kErrFileAccess) return accessError();
        return status;
    }
    Report(progress, 99);
    return status;
}

}  // namespace tessaly
