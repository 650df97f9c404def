#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DaDurFile.h"
#include "DefaultDocument.h"
#include "DocumentBuilder.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "ZoRivFormat.h"
#include "model/document/BackgroundSave.h"
#include "model/document/DocumentFiles.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/LoadJpFile.h"
#include "records/Marks.h"

namespace notaline::test {
namespace {

// Every font installed; progress counted.
class QuietSystem : public tessaly::NoDaDurSystem {
public:
    QuietSystem() : NoDaDurSystem({"Tolvane", "tolvane", "\xCB\xCE\xCC\xE5"}) {}
    int32_t ProgressCalls = 0;
    void Progress(intptr_t, int32_t) override { ++ProgressCalls; }
};

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The default document followed by characters of every kind: fonts, colours and marks that vary,
// some beyond the tables or unknown to the mark table, bar lines, stacks, grace-note kinds.
tessaly::JpData VariedDocument(tessaly::DaDurSystem& system, int count) {
    tessaly::DaDurFile file(system);
    file.ReadRtfFile(0, "");
    tessaly::JpData d = file.Data();
    const tessaly::aWordInfo first = d.WordInfo[0];
    std::vector<tessaly::aWordInfo> words;
    for (int i = 0; i < count; ++i) {
        tessaly::aWordInfo w = first;
        w.WdAsc = static_cast<int16_t>(i % 11 == 0 ? 87 : '0' + i % 8);
        w.IsJpGcCtl = static_cast<uint8_t>(i % 11 == 0 ? 2 : i % 5);
        w.Yc = static_cast<uint8_t>(i % 3);
        w.YG = static_cast<uint8_t>(i % 7 == 0 ? 2 : 0);
        w.nLogFont.FontTblIndex = static_cast<int16_t>(i % 97 == 5 ? 9 : i % 2);
        w.cf = static_cast<int16_t>(i % 3);
        w.cb = static_cast<int16_t>(i % 89 == 3 ? 40 : i % 4 - 1);
        if (i % 13 == 1) w.ExtralWordInfo[0] = {tessaly::marks::kMarkArcStart, 0, i % 7, {}};
        if (i % 29 == 2) w.ExtralWordInfo[1] = {tessaly::marks::kMarkTempoChange, 2, 0, {'p', 'p'}};
        if (i % 301 == 7) w.ShuPai = {3.5f, static_cast<int16_t>(i % 5 + 1)};
        words.push_back(w);
    }
    d.WordInfo.insert(d.WordInfo.begin(), words.begin(), words.end());
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    return d;
}

// Every field of the document, as the stored format writes it, and the characters as held.
std::vector<uint8_t> SavedBytes(const EditorData& data) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(tessaly::FormatZoRiv(DocumentOf(data), 1.0, bytes, nullptr).Ok());
    for (const StoredWord& w : data.WordInfo) {
        const tessaly::aWordInfo whole = w.Expand();
        const auto* b = reinterpret_cast<const uint8_t*>(&whole);
        bytes.insert(bytes.end(), b, b + sizeof whole);
    }
    return bytes;
}

// The document as the readers' whole records give it to the editor.
bool LoadFromRecords(EditorData& data, tessaly::DaDurSystem& system, const std::filesystem::path& file) {
    tessaly::JpData doc;
    if (DocumentKindOf(file.u16string()) == DocumentKind::ZoRiv) {
        if (!tessaly::ReadZoRivFile(file, system.ZoomFactor(), doc, nullptr).Ok()) return false;
    } else {
        tessaly::DaDurFile reader(system);
        if (!reader.ReadRtfFile(0, file).ok) return false;
        doc = reader.TakeJpData();
        DropSpareItem(doc);
    }
    LoadDocument(data, std::move(doc));
    return true;
}

class DocumentFiles : public ::testing::Test {
protected:
    QuietSystem system;
    int32_t& progressCalls = system.ProgressCalls;
    FileDocumentSource files{system};
    FakeTextMeasurer measurer;
    RecordingView view;
    EditorData data;
    std::filesystem::path folder;

    void SetUp() override {
        data.Measurer = measurer;
        folder = std::filesystem::temp_directory_path() / "layout-document-files";
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

TEST_F(DocumentFiles, TheDefaultDocumentLoadsAndIsLaidOut) {
    LoadJpFile(data, files, view, view, 0, u"");
    EXPECT_TRUE(view.Failures.empty());
    EXPECT_TRUE(data.DocLoaded);
    ASSERT_GT(data.WordCount(), 1);
    EXPECT_TRUE(IsParaEnd(data, data.WordCount() - 1));
    EXPECT_GT(data.LineCount(), 0);
    EXPECT_GE(data.PageCount(), 1);
    EXPECT_EQ(data.LineInfo.back().Start + data.LineInfo.back().Length, data.WordCount());
}

TEST_F(DocumentFiles, AZoRivFileLoadsWithProgress) {
    SetWords(data, "12|345|");
    data.FontTbl = {{"Tolvane", 2, 15, 3}};
    data.ColorTbl = {0};
    const std::filesystem::path file = folder / "song.ZoRiv";
    ASSERT_TRUE(tessaly::WriteZoRivFile(file, DocumentOf(data), 1.0, nullptr).Ok());

    EditorData loaded;
    loaded.Measurer = measurer;
    LoadJpFile(loaded, files, view, view, 0, file.u16string());
    EXPECT_TRUE(view.Failures.empty());
    EXPECT_TRUE(loaded.DocLoaded);
    EXPECT_EQ(loaded.WordCount(), 7);
    EXPECT_GT(progressCalls, 0);
    EXPECT_EQ(loaded.LineCount(), 2);
}

TEST_F(DocumentFiles, AFileThatCannotBeReadLeavesTheDocumentAsItWas) {
    SetWords(data, "12|");
    data.DocLoaded = true;
    LoadJpFile(data, files, view, view, 0, (folder / "missing.zoriv").u16string());
    LoadJpFile(data, files, view, view, 0, (folder / "missing.DaDur").u16string());
    ASSERT_EQ(view.Failures.size(), 2u);
    EXPECT_FALSE(view.Failures[0].empty());
    EXPECT_TRUE(data.DocLoaded);
    EXPECT_EQ(data.WordCount(), 3);
}

// The readers fill the editor's store a run at a time; the document is the one their whole
// records give, in the file formats' own test file and in a long generated one.
TEST_F(DocumentFiles, LoadingStraightIntoTheStoreEqualsLoadingTheRecords) {
    std::vector<std::filesystem::path> files_ = {std::filesystem::path(JP_TOOLS_TEST_DATA) /
                                                 "every_kind_of_line.DaDur"};
    tessaly::DaDurFile writer(system);
    writer.LetJpData(VariedDocument(system, 5000));
    files_.push_back(folder / "varied.DaDur");
    ASSERT_TRUE(writer.WriteRtfFile(files_.back(), 0).ok);
    files_.push_back(folder / "varied.ZoRiv");
    ASSERT_TRUE(tessaly::WriteZoRivFile(files_.back(), writer.Data(), 1.0, nullptr).Ok());
    // Characters before the tables that their indexes name: repaired once the tables are read.
    files_.push_back(folder / "late.DaDur");
    {
        const auto& lines = tessaly::DefaultDocumentLines();
        std::ofstream out(files_.back(), std::ios::binary);
        out << "\\part\\cf2\\cb1\\f1\\fs12000 " << std::string(1500, '1') << "\\cf9\\f5 2\\par\r\n";
        for (const auto& line : lines) out << line << "\r\n";
    }
    for (const auto& file : files_) {
        SCOPED_TRACE(file.string());
        EditorData fromRecords, fromRuns;
        ASSERT_TRUE(LoadFromRecords(fromRecords, system, file));
        DocumentRead read = DocumentKindOf(file.u16string()) == DocumentKind::ZoRiv
                                ? files.ReadDocFile(0, file.u16string())
                                : files.ReadRtfFile(0, file.u16string());
        ASSERT_TRUE(read.Ok) << read.Reason;
        EXPECT_TRUE(read.Doc.WordInfo.empty());
        LoadDocument(fromRuns, std::move(read.Doc), std::move(read.Words));
        EXPECT_GT(fromRuns.WordCount(), 1);
        EXPECT_EQ(fromRecords.AboutFileInfo.XjCount, fromRuns.AboutFileInfo.XjCount);
        EXPECT_EQ(fromRecords.AboutFileInfo.QiLuoBianHao, fromRuns.AboutFileInfo.QiLuoBianHao);
        EXPECT_EQ(SavedBytes(fromRecords), SavedBytes(fromRuns));
    }
}

// A read that stops after many characters went into a fresh store leaves the document shown.
TEST_F(DocumentFiles, AReadFailingPartWayLeavesTheDocumentAsItWas) {
    LoadJpFile(data, files, view, view, 0, u"");
    const std::vector<uint8_t> before = DocumentBytes(data);
    tessaly::DaDurFile writer(system);
    writer.LetJpData(VariedDocument(system, 3000));
    const auto dadur = folder / "bad.DaDur", zoriv = folder / "bad.ZoRiv";
    ASSERT_TRUE(tessaly::WriteZoRivFile(zoriv, writer.Data(), 1.0, nullptr).Ok());
    ASSERT_TRUE(writer.WriteRtfFile(dadur, 0).ok);
    {
        std::ofstream out(dadur, std::ios::binary | std::ios::app);
        out << "\\part\\cf99999999 1\\par\r\n";  // a colour beyond 16 bits
    }
    // Cut in the tracks stored after the characters.
    std::filesystem::resize_file(zoriv, std::filesystem::file_size(zoriv) - 10);
    for (const auto& file : {dadur, zoriv}) {
        EXPECT_FALSE(LoadJpFile(data, files, view, view, 0, file.u16string())) << file;
        EXPECT_TRUE(data.DocLoaded);
        EXPECT_EQ(before, DocumentBytes(data)) << file;
    }
    EXPECT_EQ(view.Failures.size(), 2u);
}

TEST_F(DocumentFiles, SavingGoesByTheEndingInAnyCaseAndReadsBackEqual) {
    LoadJpFile(data, files, view, view, 0, u"");
    EXPECT_TRUE(data.HwWordInfo.empty());  // the default document places no free item
    const auto original = DocumentOf(data).WordInfo.size();
    for (const char16_t* name : {u"x.DADUR", u"y.zoRIV"}) {
        const auto file = folder / name;
        const SaveOutcome saved = SaveJpFile(data, JoinUp(data, view), system, 0, file.u16string());
        ASSERT_TRUE(saved.Ok) << saved.Reason;
        EditorData loaded;
        loaded.Measurer = measurer;
        EXPECT_TRUE(LoadJpFile(loaded, files, view, view, 0, file.u16string()));
        EXPECT_EQ(original, DocumentOf(loaded).WordInfo.size());
        EXPECT_EQ(0, loaded.AboutFileInfo.HwWordCount);
        // Read back and written again, the same file.
        const auto again = folder / (std::u16string(u"again") + name);
        ASSERT_TRUE(SaveJpFile(loaded, JoinUp(loaded, view), system, 0, again.u16string()).Ok);
        EXPECT_EQ(FileBytes(file), FileBytes(again)) << file;
    }
    EXPECT_TRUE(view.Failures.empty());
}

// A save takes the characters from the store a run at a time: the bytes the whole records give.
TEST_F(DocumentFiles, SavingFromTheStoreWritesWhatTheRecordsWrite) {
    LoadDocument(data, VariedDocument(system, 5000));
    for (const char16_t* name : {u"s.DaDur", u"s.ZoRiv"}) {
        const auto expected = folder / (std::u16string(u"records") + name), file = folder / name;
        ASSERT_TRUE(SaveJpFile(DocumentOf(data), system, 0, expected.u16string()).Ok);
        ASSERT_TRUE(SaveJpFile(data, JoinUp(data, view), system, 0, file.u16string()).Ok);
        EXPECT_EQ(FileBytes(expected), FileBytes(file)) << file;
    }
}

// A backup written beside the typing is, byte for byte, a save of the document as it was when the
// backup began, whatever was typed while it was written.
TEST_F(DocumentFiles, ABackupWrittenWhileTypingEqualsASaveOfItsMoment) {
    LoadJpFile(data, files, view, view, 0, u"");
    BackgroundSave backup;
    for (const char16_t* name : {u"b.DaDur", u"b.ZoRiv"}) {
        const auto expected = folder / (std::u16string(u"expected") + name), file = folder / name;
        ASSERT_TRUE(SaveJpFile(DocumentOf(data), system, 0, expected.u16string()).Ok);
        const SaveOutcome started = backup.Write(SnapshotOf(data), system.ZoomFactor(), system.CurrentDpi(),
                                                 file.u16string(), std::chrono::milliseconds(0));
        ASSERT_TRUE(started.Ok) << started.Reason;
        for (int k = 0; k < 50; ++k) {
            data.WordInfo[static_cast<size_t>(k * 7) % data.WordInfo.size()].Yc = 2;
            data.WordInfo.InsertRoom(0, 1);
        }
        backup.Wait();
        const auto late = backup.Late();
        EXPECT_TRUE(!late || late->Ok);
        EXPECT_EQ(FileBytes(expected), FileBytes(file)) << file;
    }
    // A failure is told at once or, when the write outlasts the call, once by the call after.
    const SaveOutcome now =
        backup.Write(SnapshotOf(data), 1, 96, (folder / "none" / "b.dadur").u16string(), std::chrono::milliseconds(0));
    backup.Wait();
    const auto later = backup.Late();
    EXPECT_FALSE(now.Ok && (!later || later->Ok));
    EXPECT_FALSE(backup.Late().has_value());
}

TEST_F(DocumentFiles, AnotherEndingOrAnUnwritablePlaceWritesNothingAndSaysWhy) {
    SetWords(data, "12|");
    for (const auto& file : {folder / "song.txt", folder / "no-such-folder" / "song.dadur", std::filesystem::path()}) {
        const SaveOutcome saved = SaveJpFile(data, JoinUp(data, view), system, 0, file.u16string());
        EXPECT_FALSE(saved.Ok) << file;
        EXPECT_FALSE(saved.Reason.empty()) << file;
        EXPECT_FALSE(file.empty() ? false : std::filesystem::exists(file)) << file;
    }
    // A file that is no document is no success.
    const auto broken = folder / "broken.zoriv";
    { std::ofstream(broken) << "not a document"; }
    data.DocLoaded = true;
    EXPECT_FALSE(LoadJpFile(data, files, view, view, 0, broken.u16string()));
    EXPECT_EQ(data.WordCount(), 3);
    // Loading any other ending is no success either, and keeps the document.
    data.DocLoaded = true;
    EXPECT_FALSE(LoadJpFile(data, files, view, view, 0, u"song.txt"));
    EXPECT_EQ(data.WordCount(), 3);
}

}  // namespace
}  // namespace notaline::test
