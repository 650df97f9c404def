#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DocumentBuilder.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "ZoRivFormat.h"
#include "model/document/BackgroundSave.h"
#include "model/document/DocumentFiles.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LineBreaker.h"

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

TEST_F(DocumentFiles, SavingGoesByTheEndingInAnyCaseAndReadsBackEqual) {
    LoadJpFile(data, files, view, view, 0, u"");
    const auto original = DocumentOf(data).WordInfo.size();
    for (const char16_t* name : {u"x.DADUR", u"y.zoRIV"}) {
        const auto file = folder / name;
        const SaveOutcome saved = SaveJpFile(data, system, 0, file.u16string());
        ASSERT_TRUE(saved.Ok) << saved.Reason;
        EditorData loaded;
        loaded.Measurer = measurer;
        EXPECT_TRUE(LoadJpFile(loaded, files, view, view, 0, file.u16string()));
        EXPECT_EQ(original, DocumentOf(loaded).WordInfo.size());
        // Read back and written again, the same file.
        const auto again = folder / (std::u16string(u"again") + name);
        ASSERT_TRUE(SaveJpFile(loaded, system, 0, again.u16string()).Ok);
        EXPECT_EQ(FileBytes(file), FileBytes(again)) << file;
    }
    EXPECT_TRUE(view.Failures.empty());
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
        const SaveOutcome saved = SaveJpFile(data, system, 0, file.u16string());
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
