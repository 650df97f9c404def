#include "ZoRivFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "DocumentRepair.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly {

// ---- records, field by field

namespace {

constexpr char kSongTi[] = "\xCB\xCE\xCC\xE5";  // 宋体
constexpr size_t kFontEntryMinSize = 2 + 1 + 4 + 4;

// Each record's packed layout is written down once, as the list of its fields in file order; a
// field's type says how many bytes it takes. The same list serves reading and writing.

// Each holds its own copy of the cursor: were a byte store made through a reference to the cursor,
// the compiler would have to reload the cursor after every byte.
struct FieldReader {
    ByteReader r;
    void operator()(uint8_t& v) { v = r.U8(); }
    void operator()(int16_t& v) { v = r.I16(); }
    void operator()(int32_t& v) { v = r.I32(); }
    void operator()(float& v) { v = r.F32(); }
    template <size_t N>
    void operator()(uint8_t (&v)[N]) {
        r.Bytes(v, N);
    }
};

struct FieldWriter {
    ByteWriter w;
    void operator()(uint8_t v) { w.U8(v); }
    void operator()(int16_t v) { w.I16(v); }
    void operator()(int32_t v) { w.I32(v); }
    void operator()(float v) { w.F32(v); }
    template <size_t N>
    void operator()(const uint8_t (&v)[N]) {
        w.Bytes(v, N);
    }
};

// The field lists take their cursor by value and hand it back, so that it stays their own.
template <class T, class Fields>
void ReadRecord(ByteReader& in, T& record, Fields fields) {
    in = fields(FieldReader{in}, record).r;
}

template <class T, class Fields>
void WriteRecord(ByteWriter& out, const T& record, Fields fields) {
    out = fields(FieldWriter{out}, record).w;
}

constexpr auto kHeaderFields = [](auto io, auto& h) {
    io(h.DaDurVer);
    io(h.deffFont);
    io(h.CMScale);
    io(h.BaseFontTblIndex);
    io(h.m_cb);
    io(h.FontTblCount);
    io(h.ColorTblCount);
    io(h.WordCount);
    io(h.HwWordCount);
    io(h.QiLuoBianHao);
    io(h.XjCount);
    return io;
};

constexpr auto kPageFields = [](auto io, auto& p) {
    io(p.BackGroundType);
    io(p.PagePosIndexType);
    io(p.PageNumberSize);
    io(p.nScale);
    io(p.PageMarginRect.Left);
    io(p.PageMarginRect.Top);
    io(p.PageMarginRect.Right);
    io(p.PageMarginRect.Bottom);
    io(p.PaperType);
    io(p.PageSize.cx);
    io(p.PageSize.cy);
    io(p.PageFX);
    return io;
};

constexpr auto kTrackFields = [](auto io, auto& t) {
    io(t.Volume);
    io(t.ComSounds);
    io(t.SoundImage);
    io(t.Yd);
    io(t.IsUser);
    for (auto& b : t.tPlayOrder) {
        io(b.BlockIndex);
        io(b.IsPlay);
    }
    io(t.DelayTimer);
    io(t.XjCount);
    return io;
};

// The scalars that follow the track array in the play settings.
constexpr auto kPlayTailFields = [](auto io, auto& p) {
    io(p.TotalTrack);
    io(p.MainTrack);
    io(p.Bpm);
    io(p.IsPlayDrum);
    io(p.DrumVolume);
    io(p.JiePai);
    io(p.XjDrumCount);
    return io;
};

constexpr auto kWordFields = [](auto io, auto& c) {
    io(c.WdAsc);
    io(c.WdSize.cx);
    io(c.WdSize.cy);
    io(c.SelSize);
    io(c.WdSpace);
    io(c.UpSpace);
    io(c.ShuPai.Space);
    io(c.ShuPai.Number);
    io(c.Yc);
    io(c.YG);
    io(c.Left);
    io(c.Top);
    io(c.Right);
    io(c.Bottom);
    for (auto& s : c.ExtralWordInfo) {
        io(s.IndexType);
        io(s.ExtralWordVal1);
        io(s.ExtralWordVal2);
        io(s.ExtralWordVal3);
    }
    io(c.cf);
    io(c.cb);
    auto& f = c.nLogFont;
    io(f.FontTblIndex);
    io(f.lfHeight);
    io(f.lfWidth);
    io(f.lfEscapement);
    io(f.lfOrientation);
    io(f.lfWeight);
    io(f.lfItalic);
    io(f.lfUnderline);
    io(f.lfStrikeOut);
    io(f.lfOutPrecision);
    io(f.lfClipPrecision);
    io(f.lfQuality);
    io(f.lfPitchAndFamily);
    io(c.IsJpGcCtl);
    return io;
};

constexpr auto kHwWordFields = [](auto io, auto& h) {
    io(h.iPage);
    io(h.HwWordtype);
    io(h.cf);
    io(h.X);
    io(h.Y);
    io(h.Height);
    io(h.Width);
    return io;
};

constexpr auto kDrumFields = [](auto io, auto& d) {
    io(d.DrumVer);
    io(d.DrumName);
    io(d.DrumChannel);
    io(d.DrumVolume);
    io(d.DrumSounds);
    io(d.DrumTrack);
    io(d.DrumTimeSignature);
    io(d.DrumSpeed);
    io(d.DrumRhythms);
    io(d.DrumSoundImage);
    io(d.BarsOfSong);
    io(d.HaveDrum);
    io(d.XJLong);
    io(d.BeginSelStart);
    io(d.sTimetmp2);
    return io;
};

void ReadHeader(ByteReader& r, AboutFileInfo& h) {
    ReadRecord(r, h, kHeaderFields);
}
void WriteHeader(ByteWriter& w, const AboutFileInfo& h) {
    WriteRecord(w, h, kHeaderFields);
}
void ReadPage(ByteReader& r, AboutPageInfo& p) {
    ReadRecord(r, p, kPageFields);
}
void WritePage(ByteWriter& w, const AboutPageInfo& p) {
    WriteRecord(w, p, kPageFields);
}
void ReadTrack(ByteReader& r, aTrackInfo& t) {
    ReadRecord(r, t, kTrackFields);
}
void WriteTrack(ByteWriter& w, const aTrackInfo& t) {
    WriteRecord(w, t, kTrackFields);
}
void ReadPlayTail(ByteReader& r, aPlayInfo& p) {
    ReadRecord(r, p, kPlayTailFields);
}
void WritePlayTail(ByteWriter& w, const aPlayInfo& p) {
    WriteRecord(w, p, kPlayTailFields);
}
void ReadWord(ByteReader& r, aWordInfo& c) {
    ReadRecord(r, c, kWordFields);
}
void WriteWord(ByteWriter& w, const aWordInfo& c) {
    WriteRecord(w, c, kWordFields);
}
void ReadHwWord(ByteReader& r, aHwWordInfo& h) {
    ReadRecord(r, h, kHwWordFields);
}
void WriteHwWord(ByteWriter& w, const aHwWordInfo& h) {
    WriteRecord(w, h, kHwWordFields);
}
void ReadDrum(ByteReader& r, XjDrumData& d) {
    ReadRecord(r, d, kDrumFields);
}
void WriteDrum(ByteWriter& w, const XjDrumData& d) {
    WriteRecord(w, d, kDrumFields);
}

double UsableZoom(double zoom) {
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0;
}

void Report(ProgressSink* progress, int32_t percent) {
    if (progress) progress->Progress(percent);
}

ZoRivStatus Fail(int32_t number) {
    return {number, std::string(FileErrorText(number))};
}

ZoRivStatus FileFail(int32_t number, const std::filesystem::path& name) {
    return {number, FileErrorReason(number, name)};
}

ZoRivStatus PastEnd() {
    return Fail(kErrPastEnd);
}
ZoRivStatus BadFormat() {
    return Fail(kErrBadFileFormat);
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
    if (old == kNoBackground) return kNoBackground;
    if (old < 0 || static_cast<size_t>(old) >= colourIndex.size()) return 0;
    return colourIndex[old];
}

ZoRivTables CompactTables(const JpData& doc) {
    return CompactTables(doc, WordArray(doc.WordInfo));
}

ZoRivTables CompactTables(const JpData& doc, const WordSource& wordSource) {
    ZoRivTables t;
    const auto& fonts = doc.FontTbl;
    const auto& colours = doc.ColorTbl;
    const size_t words = std::min<size_t>(std::max(doc.FileInfo.WordCount, 0), wordSource.size());
    const size_t items = std::min<size_t>(std::max(doc.FileInfo.HwWordCount, 0), doc.HwWordInfo.size());

    std::vector<bool> fontUsed(fonts.size()), colourUsed(colours.size());
    const auto useColour = [&](int32_t i) {
        if (i >= 0 && static_cast<size_t>(i) < colourUsed.size()) colourUsed[i] = true;
    };
    ForEachWord(wordSource, words, [&](const aWordInfo& c) {
        const int32_t f = c.nLogFont.FontTblIndex;
        if (f >= 0 && static_cast<size_t>(f) < fontUsed.size()) fontUsed[f] = true;
        useColour(c.cf);
        useColour(c.cb);
    });
    for (size_t i = 0; i < items; ++i) useColour(doc.HwWordInfo[i].cf);
    useColour(doc.FileInfo.m_cb);

    const int32_t base = doc.FileInfo.BaseFontTblIndex;
    const std::string notation =
        base >= 0 && static_cast<size_t>(base) < fonts.size() ? fonts[base].FontName : std::string();
    for (const aFontTbl& entry : fonts) {
        bool keep = entry.FontName == notation || entry.FontName == kSongTi;
        for (size_t u = 0; u < fonts.size() && !keep; ++u)
            keep = fontUsed[u] && SameFontName(fonts[u].FontName, entry.FontName);
        // Indexes map to the first entry of a spelling, so a later one would be named by nothing.
        const auto sameSpelling = [&](const aFontTbl& k) { return k.FontName == entry.FontName; };
        if (!keep || std::any_of(t.fonts.begin(), t.fonts.end(), sameSpelling)) continue;
        aFontTbl kept;
        kept.FontName = entry.FontName;
        kept.fcharset = entry.FontName == notation ? 2 : 134;
        kept.hYc = static_cast<float>(Round(entry.hYc, 1));
        kept.hYg = static_cast<float>(Round(entry.hYg, 1));
        t.fonts.push_back(std::move(kept));
    }
    for (size_t i = 0; i < colours.size(); ++i)
        if (colourUsed[i] && std::find(t.colours.begin(), t.colours.end(), colours[i]) == t.colours.end())
            t.colours.push_back(colours[i]);

    // A face comes back as written: the entry of its own spelling, else one in another case.
    t.fontIndex.assign(fonts.size(), 0);
    for (size_t i = 0; i < fonts.size(); ++i) {
        const auto& name = fonts[i].FontName;
        auto k = std::find_if(t.fonts.begin(), t.fonts.end(), [&](const aFontTbl& f) { return f.FontName == name; });
        if (k == t.fonts.end())
            k = std::find_if(t.fonts.begin(), t.fonts.end(),
                             [&](const aFontTbl& f) { return SameFontName(f.FontName, name); });
        if (k != t.fonts.end()) t.fontIndex[i] = static_cast<int16_t>(k - t.fonts.begin());
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

namespace {

// The parts before the character records: header, page, tracks, fonts and colours.
ZoRivStatus ParseHead(ByteReader& r, JpData& doc, ProgressSink* progress) {
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
    return {};
}

// Spacings are stored in 96-DPI pixels. The paragraph spacing of mark 159 is in tenths of a
// millimetre, not pixels, so it is kept as stored. The records go to the sink through a small
// buffer used again for every run, repaired against the tables read before them.
class WordRuns {
public:
    WordRuns(const JpData& doc, WordSink& sink, double zoom) : doc_(doc), sink_(sink), zoom_(zoom) {}

    void Parse(ByteReader& r, size_t n) {
        while (n > 0) {
            const size_t take = std::min(n, run_.size());
            for (size_t i = 0; i < take; ++i) {
                aWordInfo& c = run_[i];
                ReadWord(r, c);
                c.WdSpace = static_cast<float>(c.WdSpace * zoom_);
                c.UpSpace = static_cast<float>(c.UpSpace * zoom_);
                c.ShuPai.Space = static_cast<float>(c.ShuPai.Space * zoom_);
            }
            if (r.Failed()) return;
            repair_.Run(run_.data(), take, doc_.FontTbl.size(), doc_.ColorTbl.size());
            sink_.Take(run_.data(), take);
            n -= take;
        }
    }
    void Finish(JpData& doc) { repair_.Finish(doc, sink_); }

private:
    const JpData& doc_;
    WordSink& sink_;
    double zoom_;
    std::vector<aWordInfo> run_ = std::vector<aWordInfo>(256);
    RunRepair repair_;
};

// The parts after the character records: free items, drum patterns and the tracks again.
ZoRivStatus ParseTail(ByteReader& r, JpData& doc, ProgressSink* progress, int32_t maxWords) {
    const AboutFileInfo& h = doc.FileInfo;
    aPlayInfo& play = doc.PlayInfo;
    if (h.HwWordCount > 0) {
        if (!r.Holds(h.HwWordCount, kZoRivHwWordSize)) return PastEnd();
        if (h.HwWordCount > maxWords) return Fail(kErrTooLarge);
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
    return {};
}

}  // namespace

ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, ProgressSink* progress,
                       int32_t maxWords) {
    std::vector<aWordInfo> words;
    WordVector sink(words);
    const ZoRivStatus status = ParseZoRiv(bytes, zoom, out, sink, progress, maxWords);
    if (status.Ok()) out.WordInfo = std::move(words);
    return status;
}

ZoRivStatus ParseZoRiv(std::span<const uint8_t> bytes, double zoom, JpData& out, WordSink& words,
                       ProgressSink* progress, int32_t maxWords) {
    zoom = UsableZoom(zoom);
    JpData doc;
    ByteReader r(bytes);
    if (ZoRivStatus head = ParseHead(r, doc, progress); !head.Ok()) return head;
    if (!r.Holds(doc.FileInfo.WordCount, kZoRivWordSize)) return PastEnd();
    if (doc.FileInfo.WordCount > maxWords) return Fail(kErrTooLarge);
    words.Expect(static_cast<size_t>(doc.FileInfo.WordCount));
    WordRuns runs(doc, words, zoom);
    runs.Parse(r, static_cast<size_t>(doc.FileInfo.WordCount));
    if (r.Failed()) return PastEnd();
    Report(progress, 60);
    if (ZoRivStatus tail = ParseTail(r, doc, progress, maxWords); !tail.Ok()) return tail;
    runs.Finish(doc);
    out = std::move(doc);
    Report(progress, 99);
    return {};
}

namespace {

// Gathers records into a buffer of about a megabyte and hands it on when it is full, so a large
// document is never formatted whole in memory before it goes to its file. The buffer grows to
// that size as records come: a small document does not pay for a zero-filled megabyte.
class Chunker {
public:
    explicit Chunker(ByteSink& sink) : sink_(sink) { buffer_.resize(kFirst); }

    // One record of exactly n bytes, written by write(ByteWriter&).
    template <class F>
    void Record(size_t n, F&& write) {
        if (used_ + n > buffer_.size() && buffer_.size() < kFull)
            buffer_.resize(std::min(kFull, std::max(buffer_.size() * 2, used_ + n)));
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
    static constexpr size_t kFirst = size_t{4} << 10;
    static constexpr size_t kFull = size_t{1} << 20;
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

ZoRivStatus SinkFailed() {
    return Fail(kErrFileAccess);
}

}  // namespace

ZoRivStatus FormatZoRiv(const JpData& doc, double zoom, ByteSink& sink, ProgressSink* progress) {
    return FormatZoRiv(doc, WordArray(doc.WordInfo), zoom, sink, progress);
}

ZoRivStatus FormatZoRiv(const JpData& doc, const WordSource& words, double zoom, ByteSink& sink,
                        ProgressSink* progress) {
    zoom = UsableZoom(zoom);
    const AboutFileInfo& h = doc.FileInfo;
    const aPlayInfo& play = doc.PlayInfo;
    if (h.WordCount < 0 || static_cast<size_t>(h.WordCount) > words.size() ||
        (h.HwWordCount > 0 && static_cast<size_t>(h.HwWordCount) > doc.HwWordInfo.size()) ||
        play.TotalTrack > play.Track.size())
        return Fail(kErrSubscript);
    if (play.Track.size() > INT32_MAX) return Fail(kErrOverflow);

    const ZoRivTables tables = CompactTables(doc, words);
    if (tables.fonts.size() > INT16_MAX || tables.colours.size() > INT16_MAX) return Fail(kErrOverflow);
    for (const aFontTbl& f : tables.fonts)
        if (f.FontName.size() > static_cast<size_t>(INT16_MAX)) return Fail(kErrOverflow);

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

    ForEachWord(words, static_cast<size_t>(h.WordCount), [&](aWordInfo c) {
        if (!out.Ok()) return;
        c.cb = tables.ColourIndex(c.cb);
        c.cf = tables.ColourIndex(c.cf);
        c.nLogFont.FontTblIndex = tables.FontIndex(c.nLogFont.FontTblIndex);
        c.WdSpace = static_cast<float>(c.WdSpace / zoom);
        c.UpSpace = static_cast<float>(c.UpSpace / zoom);
        c.ShuPai.Space = static_cast<float>(c.ShuPai.Space / zoom);
        out.Fixed<kZoRivWordSize>([&](ByteWriter& w) { WriteWord(w, c); });
    });
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

namespace {

// Reads n bytes at `at` of the file into `bytes`; false when the file has fewer.
bool ReadAt(std::ifstream& in, uint64_t at, std::vector<uint8_t>& bytes, size_t n) {
    bytes.resize(n);
    in.clear();
    in.seekg(static_cast<std::streamoff>(at));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(n));
    return in.gcount() == static_cast<std::streamsize>(n);
}

// The file is read piece by piece, so that a large document is never held twice, once as its
// file and once as its records: the parts before the characters (read again in a larger piece
// should they not fit the first), the characters a megabyte at a time straight into their records,
// then the rest.
ZoRivStatus ReadZoRivPieces(const std::filesystem::path& name, double zoom, JpData& out, WordSink& sink,
                            ProgressSink* progress) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return FileFail(kErrFileNotFound, name);
    std::ifstream in(name, std::ios::binary);
    if (!in) return FileFail(kErrFileAccess, name);
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0 || !in) return FileFail(kErrFileAccess, name);
    const auto size = static_cast<uint64_t>(length);
    if (size > kMaxDocumentFileBytes) return FileFail(kErrTooLarge, name);
    const ZoRivStatus accessError = FileFail(kErrFileAccess, name);
    zoom = UsableZoom(zoom);

    JpData doc;
    std::vector<uint8_t> piece;
    uint64_t at = 0;
    for (uint64_t want = std::min<uint64_t>(size, uint64_t{1} << 20);; want = std::min(size, want * 2)) {
        if (!ReadAt(in, 0, piece, static_cast<size_t>(want))) return accessError;
        ByteReader r(piece);
        doc = JpData{};
        const ZoRivStatus head = ParseHead(r, doc, progress);
        if (head.Ok()) {
            at = want - r.Remaining();
            break;
        }
        if (head.number != kErrPastEnd || want == size) return head;
    }

    const uint64_t words = static_cast<uint64_t>(doc.FileInfo.WordCount);
    if (words > (size - at) / kZoRivWordSize) return PastEnd();
    if (words > static_cast<uint64_t>(kMaxDocumentWords)) return FileFail(kErrTooLarge, name);
    sink.Expect(static_cast<size_t>(words));
    WordRuns runs(doc, sink, zoom);
    constexpr size_t kPieceWords = (size_t{1} << 20) / kZoRivWordSize;
    for (size_t done = 0; done < words;) {
        const size_t n = std::min<size_t>(kPieceWords, static_cast<size_t>(words) - done);
        if (!ReadAt(in, at, piece, n * kZoRivWordSize)) return accessError;
        ByteReader r(piece);
        runs.Parse(r, n);
        if (r.Failed()) return PastEnd();
        at += n * kZoRivWordSize;
        done += n;
    }
    Report(progress, 60);

    if (!ReadAt(in, at, piece, static_cast<size_t>(size - at))) return accessError;
    ByteReader r(piece);
    if (ZoRivStatus tail = ParseTail(r, doc, progress, kMaxDocumentWords); !tail.Ok()) return tail;
    runs.Finish(doc);
    out = std::move(doc);
    Report(progress, 99);
    return {};
}

}  // namespace

ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, ProgressSink* progress) {
    std::vector<aWordInfo> words;
    WordVector sink(words);
    const ZoRivStatus status = ReadZoRivFile(name, zoom, out, sink, progress);
    if (status.Ok()) out.WordInfo = std::move(words);
    return status;
}

ZoRivStatus ReadZoRivFile(const std::filesystem::path& name, double zoom, JpData& out, WordSink& words,
                          ProgressSink* progress) {
    try {
        return ReadZoRivPieces(name, zoom, out, words, progress);
    } catch (const std::bad_alloc&) {
        return FileFail(kErrTooLarge, name);
    }
}

ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, double zoom, ProgressSink* progress) {
    return WriteZoRivFile(name, doc, WordArray(doc.WordInfo), zoom, progress);
}

ZoRivStatus WriteZoRivFile(const std::filesystem::path& name, const JpData& doc, const WordSource& words, double zoom,
                           ProgressSink* progress) {
    Report(progress, 5);
    ZoRivStatus formatted;
    int32_t error = 0;
    try {
        error = ReplaceDocumentFile(name, [&](ByteSink& sink) {
            formatted = FormatZoRiv(doc, words, zoom, sink, progress);
            return formatted.number;
        });
    } catch (const std::bad_alloc&) {
        error = kErrTooLarge;
    }
    if (error == 0) {
        Report(progress, 99);
        return {};
    }
    // A failure of the document itself is told as such; one of the file names the file.
    if (error == formatted.number && error != kErrFileAccess) return formatted;
    return FileFail(error, name);
}

}  // namespace tessaly
