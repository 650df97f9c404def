#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "EditFixture.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace notaline {
namespace {

constexpr int kUnlimited = -1;

// Keys typed and rubbed out while the journal fails and recovers: a key is either in the document
// and undone and redone with its step, or refused with a message; nothing reported is lost.
class JournalFaultTest : public test::EditTest {
protected:
    struct Key {
        char c;      // 0: backspace
        int writes;  // journal writes that succeed from this key on; kUnlimited: all
    };

    // Plays the keys at the caret, checking after each that the document holds what was reported.
    void Play(const std::vector<Key>& keys, const std::function<void(int)>& setJournal) {
        std::string expected = Text();
        for (size_t k = 0; k < keys.size(); ++k) {
            setJournal(keys[k].writes);
            const int32_t caret = data.SelStart;
            const std::string before = Text();
            if (keys[k].c) {
                SetInput(std::string(1, keys[k].c));
                if (typing->InputWord(caret, 0)) expected.insert(static_cast<size_t>(caret), 1, keys[k].c);
            } else if (caret > 0) {
                typing->BackSpaceWord(caret, 0);
                if (Text() != before) expected.erase(static_cast<size_t>(caret - 1), 1);
            }
            Relayout();
            ASSERT_EQ(expected, Text()) << "key " << k;
            if (Text() == before && (keys[k].c || caret > 0)) {
                ASSERT_FALSE(undo->JournalError().empty()) << "key " << k << " refused without a reason";
                ASSERT_FALSE(view.Messages.empty()) << "key " << k << " refused without a message";
            }
        }
        setJournal(kUnlimited);
    }

    // Undoes to the start and redoes to the end, both to the byte.
    void UndoAndRedoAll(const std::string& original) {
        const std::string final = Image();
        int32_t steps = 0;
        while (undo->CanUndo()) {
            undo->UserUndo();
            ASSERT_TRUE(undo->JournalError().empty()) << undo->JournalError();
            ++steps;
        }
        EXPECT_TRUE(Same(original, Image()));
        for (int32_t i = 0; i < steps; ++i) undo->UserRedo();
        EXPECT_TRUE(Same(final, Image()));
    }
};

TEST_F(JournalFaultTest, TypingGoesOnWhenTheJournalRecovers) {
    Start("abcdefgh|", true);
    const std::string original = Image();
    data.SelStart = 3;
    const auto set = [&](int writes) { journal->writesLeft = writes == kUnlimited ? 1 << 30 : writes; };
    Play({{'1', kUnlimited},
          {'2', kUnlimited},
          {'3', 0},
          {0, 0},
          {'4', 0},
          {'5', kUnlimited},
          {0, kUnlimited},
          {'6', kUnlimited}},
         set);
    // '3' joined the open run without a write; the run could not be closed, so the backspace and
    // '4' were refused until the journal took the run.
    EXPECT_EQ("abc1236defgh|", Text());
    EXPECT_EQ(1u, view.Messages.size());  // one message for the whole failure, not one per key
    UndoAndRedoAll(original);

    // A later failure is told again.
    Play({{0, 0}}, set);
    EXPECT_EQ(2u, view.Messages.size());
}

// Failures after any number of writes, at random, over typing and backspace: whatever was
// reported stays, undo and redo stay exact, so every record went where it belonged.
TEST_F(JournalFaultTest, RandomFailuresLoseNoReportedKey) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Start("abcdefgh|ijkl|", true);
        const std::string original = Image();
        std::mt19937 random(seed);
        data.SelStart = 4;
        std::vector<Key> keys;
        for (int k = 0; k < 30; ++k) {
            const int roll = static_cast<int>(random() % 10);
            const int writes = roll < 5 ? kUnlimited : roll - 5;
            keys.push_back({random() % 3 == 0 ? '\0' : static_cast<char>('m' + random() % 10), writes});
        }
        const auto set = [&](int writes) { journal->writesLeft = writes == kUnlimited ? 1 << 30 : writes; };
        Play(keys, set);
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
        UndoAndRedoAll(original);
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
}

#ifndef _WIN32
// The journal file itself on a full disk: the process may not grow files past a limit, as a full
// file system refuses them, and then may again.
TEST_F(JournalFaultTest, TheJournalFileTakesWritesAgainAfterAFullDisk) {
    Start("abcdefgh|");
    const std::string original = Image();
    data.SelStart = 2;
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const auto set = [&](int writes) {
        rlimit limit = saved;
        if (writes != kUnlimited) {
            std::error_code ec;
            const auto size = std::filesystem::file_size(undo->JournalName(), ec);
            limit.rlim_cur = static_cast<rlim_t>(size) + static_cast<rlim_t>(writes) * 100;
        }
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    Play({{'1', kUnlimited},
          {'2', kUnlimited},
          {'3', 0},
          {'4', 0},
          {0, 0},
          {'5', 3},
          {'6', kUnlimited},
          {'7', kUnlimited},
          {0, kUnlimited},
          {'8', kUnlimited}},
         set);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(1u, view.Messages.size());              // the full disk was met, and told
    EXPECT_NE(std::string::npos, Text().find("68"));  // typing went on once the disk had room
    UndoAndRedoAll(original);
}

// The same on a real small file system, when one is named (a tmpfs of a megabyte, for instance
// unshare -rm sh -c 'mount -t tmpfs -o size=1m tmpfs DIR && JP_SMALL_FS=DIR model_edit_tests'):
// a filler file takes all its room, then all but a little, then is deleted.
TEST_F(JournalFaultTest, TheJournalFileOnAFullFileSystem) {
    const char* smallFs = std::getenv("JP_SMALL_FS");
    if (!smallFs) GTEST_SKIP() << "JP_SMALL_FS names no small file system";
    folder = std::filesystem::path(smallFs) / "jp_journal_fault";
    std::filesystem::remove_all(folder);
    const auto filler = std::filesystem::path(smallFs) / "filler";
    Start("abcdefgh|");
    const std::string original = Image();
    data.SelStart = 2;
    const auto set = [&](int writes) {
        std::error_code ec;
        std::filesystem::remove(filler, ec);
        if (writes == kUnlimited) return;
        std::FILE* f = std::fopen(filler.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::setvbuf(f, nullptr, _IONBF, 0);
        const std::vector<char> block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        std::fclose(f);
        const auto size = std::filesystem::file_size(filler, ec);
        const auto room = static_cast<uintmax_t>(writes) * 4096;
        std::filesystem::resize_file(filler, size > room ? size - room : 0, ec);
    };
    Play({{'1', kUnlimited},
          {'2', kUnlimited},
          {'3', 0},
          {'4', 0},
          {0, 0},
          {'5', 1},
          {'6', kUnlimited},
          {'7', kUnlimited},
          {0, kUnlimited},
          {'8', kUnlimited}},
         set);
    EXPECT_FALSE(view.Messages.empty());
    EXPECT_NE(std::string::npos, Text().find("68"));
    UndoAndRedoAll(original);
}
#endif

}  // namespace
}  // namespace notaline
