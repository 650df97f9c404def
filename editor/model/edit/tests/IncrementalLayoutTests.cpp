#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <tuple>
#include <type_traits>
#include <vector>

#include "FakeLayout.h"
#include "LayoutFixture.h"
#include "model/document/GraceNotes.h"
#include "model/document/PlayMarks.h"
#include "model/document/StoreSink.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/SourceLines.h"

namespace notaline::test {
namespace {

using tessaly::aWordInfo;

// Array changes as the editing members make them: lengths change, the spare record stays.
void Insert(EditorData& data, int32_t at, const std::vector<aWordInfo>& words) {
    data.WordInfo.insert(data.WordInfo.begin() + at, words.begin(), words.end());
    data.AboutFileInfo.WordCount += static_cast<int32_t>(words.size());
}

void Erase(EditorData& data, int32_t at, int32_t n) {
    data.WordInfo.erase(data.WordInfo.begin() + at, data.WordInfo.begin() + at + n);
    data.AboutFileInfo.WordCount -= n;
}

using IncrementalLayout = LayoutTest;

TEST_F(IncrementalLayout, TypingInsideAParagraphThatStillFitsMovesNoLine) {
    Doc("12|34|56|");
    Layout();
    SetInputDat(data, 1, 0, 1);
    Insert(data, 1, {W(0).Expand()});
    EXPECT_TRUE(FormatInputLines(data, data.InputDat));
    EXPECT_FALSE(data.LineCountChanged);
    ASSERT_EQ(data.LineCount(), 3);
    EXPECT_EQ(L(0).Length, 4);
    EXPECT_EQ(L(1).Start, 4);
    EXPECT_EQ(L(2).Start, 7);
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

TEST_F(IncrementalLayout, DeletingAParagraphEndJoinsTheParagraphs) {
    Doc("12|34|56|");
    Para(2, tessaly::AlignmentFar);
    Para(5, tessaly::AlignmentCenter);
    Layout();
    SetInputDat(data, 2, 1, 0);
    Erase(data, 2, 1);
    EXPECT_TRUE(FormatInputLines(data, data.InputDat));
    EXPECT_TRUE(data.LineCountChanged);
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(L(0).Length, 5);
    EXPECT_EQ(L(1).Start, 5);
    ASSERT_EQ(data.PartCount(), 2);
    EXPECT_EQ(data.PartInfo[0].AlignmentMethod, tessaly::AlignmentCenter);
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

// A join gives the merged paragraph the first one's attributes, its space after among them:
// the paragraph after it moves.
TEST_F(IncrementalLayout, AJoinGivesTheNextParagraphTheMergedSpaceAfter) {
    Doc("12|34|56|");
    Para(2, tessaly::AlignmentFar, 0, 0, 0, 0, 0, 30);
    Para(5, tessaly::AlignmentCenter, 0, 0, 0, 0, 0, 10);
    Layout();
    SetInputDat(data, 2, 1, 0);
    CopySlotCodes(data, 2, 5);
    Erase(data, 2, 1);
    EXPECT_TRUE(FormatInputLines(data, data.InputDat));
    EXPECT_EQ(L(1).LineUpSpace, 30);
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

// The control lays out after every command, also after one that was refused and so left the
// previous edit's record in place.
TEST_F(IncrementalLayout, TheEditorsRecordIsLaidOutOnce) {
    Doc("12|34|5678|90|");
    Layout();
    SetInputDat(data, 3, 2, 0);
    Erase(data, 3, 2);
    EXPECT_TRUE(FormatInputLines(data, data.InputDat));
    EXPECT_TRUE(FormatInputLines(data, data.InputDat));
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

TEST_F(IncrementalLayout, ARecordThatDoesNotMatchTheLinesLaysOutEverything) {
    Doc("12|34|56|");
    RecordingView view;
    Layout();
    data.InputDat = {.iLine1 = 1, .iLine2 = 1, .iWord1 = 2, .iWord2 = 5};
    data.InputDatLaidOut = false;
    EXPECT_FALSE(LayOutEdit(data, view));
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
    ASSERT_EQ(view.ScrollInfo.size(), 1u);
    EXPECT_EQ(view.ScrollInfo[0], (std::vector<int32_t>{-1, -1, 1, 1}));
}

TEST_F(IncrementalLayout, FromALineToTheEnd) {
    Doc("12|345678901234|56|");
    Layout();
    Para(15, tessaly::AlignmentDisperse, 0, 30);
    SetInputDat(data, 3, 1, 1);
    FormatFromLine(data, data.InputDat);
    EXPECT_TRUE(data.LineCountChanged);
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

// A key that moves every later break of a paragraph of many pages breaks it only through the page
// after the key's, or the one after that when the screen shows it, and cuts the last new line
// where an old one ends: the lines before are a full layout's, those behind the old ones. Broken
// again from the cut, the paragraph is as a full layout breaks it.
TEST_F(IncrementalLayout, AKeyInALongParagraphBreaksItThroughThePagesInViewAndCutsALine) {
    struct Row {
        int32_t Shown;    // the last page the screen showed
        int32_t CutPage;  // where the cut line begins
    };
    for (const Row row : {Row{-1, 1}, Row{0, 1}, Row{1, 2}, Row{5, 2}}) {
        std::string text;
        for (int i = 0; i < 100; ++i) text += "1234567890";
        Doc(text + "|");
        data.WriteHeight = 200;
        Layout();
        ASSERT_GT(data.PageCount(), 5);
        data.LastPageShown = row.Shown;
        SetInputDat(data, 0, 0, 1, true);
        Insert(data, 0, {W(5).Expand()});
        ASSERT_TRUE(FormatInputLines(data, data.InputDat));
        ASSERT_TRUE(data.LineInfo.HasCutLine()) << row.Shown;
        const auto cut = static_cast<int32_t>(data.LineInfo.CutLine());
        EXPECT_EQ(GetPageOfWord(data, L(cut).Start), row.CutPage) << row.Shown;
        EXPECT_EQ(L(cut).Length, 1) << row.Shown;  // what is left of the old line the key pushed on
        EXPECT_EQ(L(cut + 1).Start % 10, 1) << row.Shown;
        EXPECT_EQ(SettledLayoutDifference(data, false), "") << row.Shown;
        // Joined up a few lines at a time, as when idle, or at once.
        int32_t steps = 0;
        for (; row.Shown < 1 && data.LineInfo.HasCutLine(); ++steps) {
            ASSERT_TRUE(RebreakFromCutLine(data, 7));
            ASSERT_EQ(SettledLayoutDifference(data, false), "") << steps;
        }
        if (row.Shown >= 1) {
            NoPageView view;
            EXPECT_EQ(JoinUp(data, view).PageCount(), FullLayoutOf(data).PageCount()) << row.Shown;
        } else {
            EXPECT_GT(steps, 5);
        }
        EXPECT_FALSE(data.LineInfo.HasCutLine());
        EXPECT_EQ(DifferenceFromFullLayout(), "") << row.Shown;
    }
}

// Keys one after another at the start of a paragraph of many pages each push a character through
// every line up to the cut: the cut stays on its line, growing, rather than moving down a line (and
// each key breaking one line more) with every key.
TEST_F(IncrementalLayout, KeysInARowKeepTheCutOnItsLine) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "1234567890";
    Doc(text + "|");
    data.WriteHeight = 200;
    Layout();
    std::vector<size_t> cuts;
    for (int32_t k = 0; k < 8; ++k) {
        SetInputDat(data, k, 0, 1, true);
        Insert(data, k, {W(5).Expand()});
        ASSERT_TRUE(FormatInputLines(data, data.InputDat));
        ASSERT_TRUE(data.LineInfo.HasCutLine()) << k;
        cuts.push_back(data.LineInfo.CutLine());
    }
    EXPECT_EQ(cuts, std::vector<size_t>(8, cuts[0]));
    EXPECT_EQ(SettledLayoutDifference(data, false), "");
    RebreakFromCutLine(data);
    EXPECT_EQ(DifferenceFromFullLayout(), "");
}

// Only JoinUp makes the word that the layout is whole: a reader cannot be handed one made up.
static_assert(!std::is_default_constructible_v<WholeLayout>);
static_assert(!std::is_constructible_v<WholeLayout, const EditorData&>);

// Random documents of notes, dashes, stacks, grace notes and paragraphs of every alignment.
class RandomDocuments {
public:
    explicit RandomDocuments(uint32_t seed) : rng_(seed) {}

    bool PlayMarks = false;  // characters may carry key, tempo and metre marks

    int32_t Below(int32_t n) { return n <= 1 ? 0 : static_cast<int32_t>(rng_() % static_cast<uint32_t>(n)); }

    aWordInfo ParaEnd() {
        aWordInfo w = Base();
        w.WdAsc = 45;
        w.IsJpGcCtl = 3;
        const int32_t values[] = {Below(21), Below(21), Below(61) - 30, Below(21), Below(21), Below(11), Below(7), 0};
        for (int32_t s = 0; s < 8; ++s) w.ExtralWordInfo[s] = {kMarkLeftIndent + s, values[s], 0, {}};
        return w;
    }

    aWordInfo Word(bool mayEndParagraph) {
        const int32_t kind = Below(100);
        if (mayEndParagraph && kind < 7) return ParaEnd();
        aWordInfo w = Base();
        w.IsJpGcCtl = 1;
        w.WdAsc = static_cast<int16_t>('1' + Below(7));
        if (kind < 22) {
            w.WdAsc = 45;
        } else if (kind < 28) {
            w.ShuPai.Number = Below(2) ? 1 : -1;
        } else if (kind < 34) {
            w.ShuPai = {2, static_cast<int16_t>(Below(2) ? 2 + Below(2) : -2 - Below(2))};
            w.WdSize.cx = 6;
        } else if (kind < 38) {
            w.ExtralWordInfo[0] = {kMarkGraceNote, Below(4), 1, {}};
        }
        if (PlayMarks && Below(10) == 0) {
            constexpr int32_t kCodes[] = {kMarkKeySetting, kMarkEquals, kMarkSharp,         kMarkFlat,     kMarkKeyC,
                                          kMarkKeyC + 4,   kMarkTempoJ, kMarkTimeSignature, kMarkSharp + 2};
            w.ExtralWordInfo[1] = {kCodes[Below(9)], 3 + Below(2) * 3, 4 + Below(2) * 4, {}};
            w.WdAsc = static_cast<int16_t>('0' + Below(10));
        }
        return w;
    }

    std::vector<aWordInfo> Words(int32_t n) {
        std::vector<aWordInfo> out;
        for (int32_t i = 0; i < n; ++i) out.push_back(Word(true));
        return out;
    }

    void Document(EditorData& data) {
        tessaly::JpData doc;
        const int32_t n = 1 + Below(160);
        for (int32_t i = 0; i < n; ++i) doc.WordInfo.push_back(Word(true));
        doc.WordInfo.push_back(ParaEnd());
        LoadDocument(data, std::move(doc));
    }

private:
    aWordInfo Base() {
        aWordInfo w;
        w.WdSize = {static_cast<float>(5 + Below(16)), static_cast<float>(15 + Below(10))};
        w.WdSpace = static_cast<float>(Below(4)) / 2;
        w.nLogFont.lfHeight = -(12 + Below(10));
        return w;
    }

    std::mt19937 rng_;
};

// One random edit as the editing members make it: the record first, confined to the characters
// it replaces, then the arrays. The document keeps its final paragraph end.
void RandomEdit(EditorData& data, RandomDocuments& random) {
    const int32_t count = data.WordCount();
    const int32_t at = random.Below(count);  // before the final paragraph end
    int32_t kind = random.Below(4);
    if (count < 2 && kind == 1) kind = 0;
    switch (kind) {
        case 0: {  // typing or pasting
            const int32_t n = 1 + random.Below(6);
            SetInputDat(data, at, 0, n, true);
            Insert(data, at, random.Words(n));
            break;
        }
        case 1: {  // deleting
            const int32_t from = random.Below(count - 1);
            const int32_t n = 1 + random.Below(std::min(6, count - 1 - from));
            SetInputDat(data, from, n, 0, true);
            Erase(data, from, n);
            break;
        }
        case 2: {  // a change in place: attributes, marks, paragraph attributes
            SetInputDat(data, at, 1, 1, true);
            auto& w = data.WordInfo[static_cast<size_t>(at)];
            w = w.IsJpGcCtl == 3 ? random.ParaEnd() : random.Word(false);
            break;
        }
        default: {  // typing over a selection
            const int32_t n = std::min(1 + random.Below(8), count - 1 - at);
            const int32_t add = random.Below(5);
            SetInputDat(data, at, n, add, true);
            Erase(data, at, n);
            Insert(data, at, random.Words(add));
            break;
        }
    }
}

// A dispersed line with nothing to spread over (grace notes only) is placed from its start, not
// left where an earlier layout put it.
TEST_F(IncrementalLayout, ADispersedLineWithoutSpacesIsStillPlaced) {
    Doc("12|5|6|");
    SetMark(data, 3, 0, kMarkGraceNote, 1, 1);  // joined to the paragraph end
    SetMark(data, 4, 7, kMarkGraceNote, 1, 1);  // a damaged group: the paragraph end joined too
    Para(4, tessaly::AlignmentDisperse);
    for (auto& w : data.WordInfo) w.Left = w.Right = 4321;
    Layout();
    EXPECT_EQ(-1, L(1).NormalSpaceNum);
    EXPECT_EQ(L(1).Left, W(3).Left);
    EXPECT_EQ(W(3).Right, W(4).Left);
    EXPECT_LT(W(4).Right, 1000);
}

// The next paragraph's first character (a grace note after its main note) does not join this
// paragraph's end: a paragraph's lines depend on the paragraph alone.
TEST_F(IncrementalLayout, AParagraphEndIsNotJoinedToTheNextParagraph) {
    Doc("12|5|6|");
    SetMark(data, 5, 0, kMarkGraceNote, 4, 1);
    Para(4, tessaly::AlignmentDisperse);
    Layout();
    EXPECT_EQ(1, L(1).NormalSpaceNum);  // the note and the paragraph end, less the end
    SetInputDat(data, 5, 1, 1);
    data.WordInfo[5].SetMark(0, {});
    FormatInputLines(data, data.InputDat);
    EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "");
}

// Every known alignment places every character of its lines: boxes left by an earlier layout
// make no difference.
TEST(IncrementalLayoutProperty, BoxesDoNotDependOnAnEarlierLayout) {
    RandomDocuments random(909);
    for (int32_t doc = 0; doc < 300; ++doc) {
        EditorData data;
        data.WriteLeft = 20;
        data.WriteWidth = 60 + static_cast<float>(random.Below(200));
        data.WriteTop = 15;
        data.WriteHeight = 400;
        data.PxPerTenthMm = 96.0f / 254;
        random.Document(data);
        for (auto& w : data.WordInfo)
            if (w.IsJpGcCtl == 3 && w.ExtralWordInfo[6].ExtralWordVal1 > tessaly::AlignmentxjDq)
                w.EditMark(6, [](tessaly::aExtralWordInfo& s) {
                    s.ExtralWordVal1 = tessaly::AlignmentDisperse;  // left alone on purpose
                });
        EditorData stale = data;
        for (auto& w : stale.WordInfo) w.Left = w.Right = 4321;
        for (EditorData* d : {&data, &stale}) {
            GetAllPartInfo(*d);
            FormatAllLines(*d);
            FormatPages(*d);
        }
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            const auto& a = data.WordInfo[static_cast<size_t>(i)];
            const auto& b = stale.WordInfo[static_cast<size_t>(i)];
            ASSERT_EQ(a.Left, b.Left) << "document " << doc << " character " << i;
            ASSERT_EQ(a.Right, b.Right) << "document " << doc << " character " << i;
        }
    }
}

// A random document on a random page at least `height` high, laid out in full.
void LaidOutDocument(EditorData& data, RandomDocuments& random, int32_t height, int32_t heightRange) {
    data.WriteLeft = 20;
    data.WriteWidth = 150 + static_cast<float>(random.Below(100));
    data.WriteTop = 15;
    data.WriteHeight = static_cast<float>(height + random.Below(heightRange));
    data.PxPerTenthMm = 96.0f / 254;
    random.Document(data);
    GetAllPartInfo(data);
    FormatAllLines(data);
    FormatPages(data);
}

// Character i has the same box in both documents, read as the painters read it.
bool SameBox(const EditorData& a, const EditorData& b, size_t i) {
    const auto& x = a.WordInfo[i];
    const auto& y = b.WordInfo[i];
    return x.Top == y.Top && x.Bottom == y.Bottom && x.Left == y.Left && x.Right == y.Right;
}

TEST(IncrementalLayoutProperty, AfterAnyEditsTheLayoutIsThatOfAFullLayout) {
    RandomDocuments random(20261209);
    int32_t edits = 0, cuts = 0;
    for (int32_t doc = 0; doc < 120; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        for (int32_t step = 0; step < 40; ++step, ++edits) {
            RandomEdit(data, random);
            ASSERT_TRUE(FormatInputLines(data, data.InputDat)) << "document " << doc << " edit " << step;
            cuts += data.LineInfo.HasCutLine() ? 1 : 0;
            // Every other edit comes on top of a line the one before left cut short.
            ASSERT_EQ(SettledLayoutDifference(data, step % 2 == 1), "") << "document " << doc << " edit " << step;
        }
    }
    EXPECT_EQ(edits, 4800);
    EXPECT_GT(cuts, 10);
}

// Edits in documents of many pages leave the characters of later lines to be placed when read.
// Piled-up edits with reads of single characters and of runs in between give every character the
// box a full layout from scratch gives it, on the same edits made to a twin.
TEST(IncrementalLayoutProperty, CharactersPlacedWhenReadStandWhereAFullLayoutPutsThem) {
    RandomDocuments random(7171), twinRandom(7171);
    int32_t deferred = 0;
    for (int32_t doc = 0; doc < 60; ++doc) {
        EditorData data, twin;
        LaidOutDocument(data, random, 60, 100);
        LaidOutDocument(twin, twinRandom, 60, 100);
        const auto same = [&](size_t i) { return SameBox(data, twin, i); };
        for (int32_t step = 0; step < 60; ++step) {
            RandomEdit(data, random);
            RandomEdit(twin, twinRandom);
            // Between an edit and its re-layout a character reads as the last layout placed it.
            const auto before = static_cast<size_t>(random.Below(data.WordCount()));
            twinRandom.Below(data.WordCount());
            if (step % 2 == 1) {
                ASSERT_TRUE(same(before)) << "document " << doc << " edit " << step;
            }
            ASSERT_TRUE(FormatInputLines(data, data.InputDat));
            RebreakFromCutLine(data);
            GetAllPartInfo(twin);
            FormatAllLines(twin);
            FormatPages(twin);
            deferred += data.WordInfo.HasDeferred() ? 1 : 0;
            const auto at = static_cast<size_t>(random.Below(data.WordCount()));
            twinRandom.Below(data.WordCount());
            switch (step % 3) {
                case 0: break;  // nothing read: the next edit comes on top
                case 1: ASSERT_TRUE(same(at)) << "document " << doc << " edit " << step << " character " << at; break;
                default: {
                    const size_t n = std::min<size_t>(12, static_cast<size_t>(data.WordCount()) - at);
                    std::vector<aWordInfo> out(n);
                    data.WordInfo.CopyOut(at, n, Expanding(out.begin()));
                    for (size_t k = 0; k < n; ++k)
                        ASSERT_EQ(out[k].Top, twin.WordInfo[at + k].Top) << "document " << doc << " edit " << step;
                    break;
                }
            }
        }
        ASSERT_EQ(LayoutDifference(data, twin), "") << "document " << doc;
    }
    EXPECT_GT(deferred, 500);  // the lazy path was the one taken
}

// A snapshot taken for a writer beside the window leaves the deferred characters unplaced in the
// editor; what the writer reads of it, whole or a run at a time, is the document fully placed.
TEST(IncrementalLayoutProperty, ASnapshotAsStoredReadsAsTheDocumentPlaced) {
    RandomDocuments random(4242);
    int32_t unsettled = 0;
    for (int32_t doc = 0; doc < 20; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 60, 100);
        for (int32_t step = 0; step < 20; ++step) {
            RandomEdit(data, random);
            ASSERT_TRUE(FormatInputLines(data, data.InputDat));
            const bool deferred = data.WordInfo.HasDeferred();
            DocumentSnapshot snapshot = DaDurSnapshotAsStored(data);
            ASSERT_EQ(deferred, data.WordInfo.HasDeferred()) << "document " << doc << " edit " << step;
            unsettled += deferred ? 1 : 0;
            const tessaly::JpData placed = DocumentOf(data);
            std::vector<aWordInfo> runs(snapshot.WordCount);
            const SnapshotWords words(snapshot.Words, snapshot.WordCount, snapshot.Settle);
            for (size_t at = 0; at < runs.size(); at += 37) {
                const size_t n = std::min<size_t>(37, runs.size() - at);
                std::copy_n(words.Run(at, n, runs.data() + at), n, runs.begin() + static_cast<ptrdiff_t>(at));
            }
            const tessaly::JpData whole = DocumentOf(std::move(snapshot));
            ASSERT_EQ(placed.WordInfo.size(), whole.WordInfo.size());
            for (size_t i = 0; i < placed.WordInfo.size(); ++i) {
                const aWordInfo &x = placed.WordInfo[i], &y = whole.WordInfo[i], &z = runs[i];
                ASSERT_TRUE(x.Top == y.Top && x.Bottom == y.Bottom && x.Left == y.Left && x.WdAsc == y.WdAsc)
                    << "document " << doc << " edit " << step << " character " << i;
                ASSERT_TRUE(x.Top == z.Top && x.Bottom == z.Bottom) << "document " << doc << " character " << i;
            }
        }
    }
    EXPECT_GT(unsettled, 100);  // most snapshots were taken with characters still to place
}

// Keys at the two ends of a document of many pages in turn, each followed by the read of its own
// line as the redraw of its band makes it: what waits at the other end keeps waiting, and every
// character, read afterwards in any order, stands where a twin laid out from scratch puts it.
TEST(IncrementalLayoutProperty, KeysAtBothEndsSettleOnlyTheEndRead) {
    RandomDocuments random(6060), twinRandom(6060);
    int32_t stillWaiting = 0;
    for (int32_t doc = 0; doc < 30; ++doc) {
        EditorData data, twin;
        LaidOutDocument(data, random, 60, 80);
        LaidOutDocument(twin, twinRandom, 60, 80);
        for (int32_t step = 0; step < 30; ++step) {
            const int32_t at = step % 2 ? data.WordCount() - 1 : 0;
            const aWordInfo key = random.Word(false);
            twinRandom.Word(false);
            for (EditorData* d : {&data, &twin}) {
                SetInputDat(*d, at, 0, 1, true);
                Insert(*d, at, {key});
            }
            ASSERT_TRUE(FormatInputLines(data, data.InputDat));
            twin = FullLayoutOf(twin);
            // The lines before a cut are those of a full layout, the key's among them.
            const auto& line = data.LineInfo[static_cast<size_t>(GetLineOfWord(data, at))];
            for (int32_t i = line.Start; i < line.Start + line.Length; ++i)
                ASSERT_TRUE(SameBox(data, twin, static_cast<size_t>(i))) << "document " << doc << " key " << step;
            stillWaiting += step % 2 && data.WordInfo.HasDeferred() ? 1 : 0;
        }
        RebreakFromCutLine(data);
        for (int32_t i = data.WordCount() - 1; i >= 0; --i)
            ASSERT_TRUE(SameBox(data, twin, static_cast<size_t>(i))) << "document " << doc << " character " << i;
        ASSERT_EQ(LayoutDifference(data, twin), "") << "document " << doc;
    }
    EXPECT_GT(stillWaiting, 100);  // the keys at the start were not placed by the reads at the end
}

// A random document of many pages with a run of characters at its top, and its twin, both laid
// out in full.
void ManyPagesWithTwin(EditorData& data, EditorData& twin, RandomDocuments& random) {
    LaidOutDocument(data, random, 60, 80);
    Insert(data, 0, random.Words(500));
    twin = FullLayoutOf(data);
    data = twin;
}

// The same edit, `erase` characters at `at` giving way to `words`, in the document, laid out again
// from the edit, and in its twin, laid out from scratch; false when the edit's record did not match.
bool EditBoth(EditorData& data, EditorData& twin, int32_t at, int32_t erase, const std::vector<aWordInfo>& words) {
    for (EditorData* d : {&data, &twin}) {
        SetInputDat(*d, at, erase, static_cast<int32_t>(words.size()), true);
        Erase(*d, at, erase);
        Insert(*d, at, words);
    }
    if (!FormatInputLines(data, data.InputDat)) return false;
    RebreakFromCutLine(data);
    twin = FullLayoutOf(twin);
    return true;
}

// Random lines and characters, the last ones first when `late`, read with the boxes the twin
// gives them.
bool ReadsAsTwin(const EditorData& data, const EditorData& twin, RandomDocuments& random, bool late) {
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t line = random.Below(data.LineCount()), word = random.Below(data.WordCount());
        const auto& x = data.LineInfo[static_cast<size_t>(late ? data.LineCount() - 1 - line : line)];
        const auto& y = twin.LineInfo[static_cast<size_t>(late ? data.LineCount() - 1 - line : line)];
        if (x.Top != y.Top || x.Bottom != y.Bottom || !SameBox(data, twin, static_cast<size_t>(word))) return false;
    }
    return true;
}

// Pastes near the top of documents of many pages, each followed by `edits` edits in turn that
// take it out and put it back, with now and then a key or a deletion behind it between two of
// them when `between`. Lines and characters are read after each paste's edits, late ones first
// on odd steps; counts the edits that left line boxes to settle when read.
void PastesTakenOutAndBack(uint32_t seed, int32_t steps, int32_t edits, bool between, int32_t& lazy) {
    RandomDocuments random(seed);
    for (int32_t doc = 0; doc < 30; ++doc) {
        EditorData data, twin;
        ManyPagesWithTwin(data, twin, random);
        const auto both = [&](int32_t at, int32_t erase, const std::vector<aWordInfo>& words) {
            ASSERT_TRUE(EditBoth(data, twin, at, erase, words));
            lazy += data.LineInfo.HasDeferredBoxes() ? 1 : 0;
        };
        for (int32_t step = 0; step < steps; ++step) {
            const int32_t at = random.Below(std::min(40, data.WordCount() - 1));
            const auto words = random.Words(1 + random.Below(15));
            const auto n = static_cast<int32_t>(words.size());
            both(at, 0, words);
            for (int32_t k = 1; k < edits; ++k) {
                if (between && random.Below(3) == 0) {
                    const int32_t behind = at + n + random.Below(data.WordCount() - 1 - at - n);
                    const bool key = random.Below(2) == 0;
                    both(behind, key ? 0 : 1, random.Words(key ? 1 : 0));
                }
                both(at, k % 2 ? n : 0, k % 2 ? std::vector<aWordInfo>{} : words);
            }
            ASSERT_TRUE(ReadsAsTwin(data, twin, random, step % 2)) << doc << " " << step;
        }
        ASSERT_EQ(LayoutDifference(data, twin), "") << "document " << doc;
    }
}

// Characters added near the top and taken out again, as a paste and its undo, move every later
// page break; pages whose length is known are taken whole and their lines' boxes settled when
// read. Every read of a line or a character, in any order, gives what a twin laid out from
// scratch after the same edits gives.
TEST(IncrementalLayoutProperty, PagesTakenWholeReadAsAFullLayout) {
    int32_t lazy = 0;
    PastesTakenOutAndBack(5151, 30, 2, false, lazy);
    EXPECT_GT(lazy, 500);  // pages were taken whole
}

// A paste's undo and redo bring every later page break back to where the layout before had it,
// also when a key or a deletion behind the paste came between, which leaves that layout's pages
// standing only from its own line on: the pages and boxes are a full layout's.
TEST(IncrementalLayoutProperty, PagesBroughtBackByAnUndoReadAsAFullLayout) {
    int32_t lazy = 0;
    PastesTakenOutAndBack(6262, 20, 4, true, lazy);
    EXPECT_GT(lazy, 1000);
}

// Keys typed and removed anywhere in paragraphs of many lines break them again only from the
// line before the edit's: the layout stays that of a full one. Half the edits fall on a
// paragraph's first characters, which set the indents of all its lines. In the last documents
// every character is of one width and few are dashes, so that a key moves a character onto every
// later line of its paragraph; some of them are broken while a snapshot holds the records, which
// keeps what it held.
TEST(IncrementalLayoutProperty, LongParagraphsBrokenFromTheEditedLineAreAsAFullLayout) {
    RandomDocuments random(8080);
    int32_t snapped = 0, cuts = 0;
    for (int32_t doc = 0; doc < 30; ++doc) {
        const bool even = doc >= 20;
        const auto word = [&] {
            aWordInfo w = random.Word(false);
            if (!even) return w;
            if (w.WdAsc == 45 && random.Below(5) > 0) w.WdAsc = '1';
            if (w.ShuPai.Number == 0 || w.ShuPai.Number == 1 || w.ShuPai.Number == -1) w.WdSize.cx = 10;
            w.WdSpace = 1;
            w.nLogFont.lfHeight = -16;
            return w;
        };
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        std::vector<aWordInfo> words;
        for (int32_t i = 0; i < 600; ++i) words.push_back(i % 300 == 299 ? random.ParaEnd() : word());
        Insert(data, 0, words);
        data = FullLayoutOf(data);
        for (int32_t step = 0; step < 60; ++step) {
            int32_t at = random.Below(data.WordCount() - 1);
            if (step % 2) {
                while (at > 0 && data.WordInfo[static_cast<size_t>(at - 1)].IsJpGcCtl != 3) --at;
                at = std::min(at + random.Below(3), data.WordCount() - 2);
            }
            const bool typing = random.Below(2) == 0 || data.WordInfo[static_cast<size_t>(at)].IsJpGcCtl == 3;
            SetInputDat(data, at, typing ? 0 : 1, typing ? 1 : 0, true);
            if (typing) {
                Insert(data, at, {word()});
            } else {
                Erase(data, at, 1);
            }
            PieceArray<StoredWord>::Snapshot snap;
            std::vector<StoredWord> held;
            if (even && step % 3 == 0) {
                snap = data.WordInfo.Snap();
                held.resize(snap.size());
                snap.CopyOut(0, held.size(), held.begin());
            }
            ASSERT_TRUE(FormatInputLines(data, data.InputDat));
            cuts += data.LineInfo.HasCutLine() ? 1 : 0;
            if (step % 4 == 1) RebreakFromCutLine(data, 1 + random.Below(3));  // a step of the idle work
            ASSERT_EQ(SettledLayoutDifference(data, step % 4 == 3), "") << "document " << doc << " edit " << step;
            if (held.empty()) continue;
            std::vector<StoredWord> now(held.size());
            snap.CopyOut(0, now.size(), now.begin());
            ASSERT_EQ(std::memcmp(now.data(), held.data(), held.size() * sizeof(StoredWord)), 0) << doc << " " << step;
            ++snapped;
        }
    }
    EXPECT_EQ(snapped, 200);
    EXPECT_GT(cuts, 200);
}

// Lines placed from their left end while they are broken stand as PlaceLineNear places them, and
// a character joined to the next by a grace-note group, its own or the next one's after its main
// note, takes no spacing on its line; every other one takes its own.
TEST(IncrementalLayoutProperty, NearLinesStandAsPlacingThemAgainPutsThem) {
    RandomDocuments random(4343);
    int32_t joined = 0;
    for (int32_t doc = 0; doc < 300; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        for (auto& w : data.WordInfo) {
            if (w.IsJpGcCtl == 3)
                w.EditMark(6, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = random.Below(2) ? 0 : 4; });
            if (w.ExtralWordInfo[0].IndexType == kMarkGraceNote && random.Below(2))  // a group after its note
                w.EditMark(0, [&](tessaly::aExtralWordInfo& s) { s.ExtralWordVal1 = 4 + random.Below(3); });
        }
        data = FullLayoutOf(data);
        for (int32_t l = 0; l < data.LineCount(); ++l) {
            const auto line = data.LineInfo[static_cast<size_t>(l)];
            std::vector<StoredWord> before(static_cast<size_t>(line.Length));
            data.WordInfo.CopyOut(static_cast<size_t>(line.Start), before.size(), before.begin());
            data.LineScratch = {line};
            PlaceLineNear(data, 0);
            for (int32_t i = 0; i < line.Length; ++i) {
                const auto& w = data.WordInfo[static_cast<size_t>(line.Start + i)];
                ASSERT_EQ(std::make_pair(w.Left, w.Right), std::make_pair(before[i].Left, before[i].Right))
                    << doc << " " << l << " " << i;
                if (i == line.Length - 1 || (w.ShuPai.Number != 0 && w.ShuPai.Number != 1 && w.ShuPai.Number != -1))
                    continue;
                const bool join = IsGraceNoteJoined(data, line.Start + i);
                joined += join && w.WdSpace > 0 ? 1 : 0;
                ASSERT_NEAR(w.Right - w.Left, w.WdSize.cx + (join ? 0 : w.WdSpace), 1e-3) << doc << " " << i;
            }
        }
    }
    EXPECT_GT(joined, 100);
}

// Once the last edit is laid out, an edit's record is read off the lines: it is the one the
// characters give.
TEST(IncrementalLayoutProperty, EditRecordsFromTheLinesAreThoseFromTheCharacters) {
    RandomDocuments random(6262);
    for (int32_t doc = 0; doc < 60; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        for (int32_t k = 0; k < 40; ++k) {
            const int32_t at = random.Below(data.WordCount() + 1);
            const int32_t del = random.Below(std::min(5, data.WordCount() - at) + 1);
            tessaly::aInputDat records[2];
            for (bool laidOut : {true, false}) {
                data.InputDatLaidOut = laidOut;
                SetInputDat(data, at, del, 1);
                records[laidOut] = data.InputDat;
            }
            ASSERT_EQ(std::memcmp(&records[0], &records[1], sizeof records[0]), 0) << doc << " " << at << " " << del;
        }
    }
}

// Deletes the characters of a line, the document's final paragraph end kept, or a paragraph end
// that joins two paragraphs; false when there is none to delete.
bool DeleteLine(EditorData& data, int32_t line) {
    if (line < 0 || line >= data.LineCount()) return false;
    const auto& l = data.LineInfo[static_cast<size_t>(line)];
    const int32_t n = std::min(l.Length, data.WordCount() - 1 - l.Start);
    if (n < 1) return false;
    SetInputDat(data, l.Start, n, 0);
    Erase(data, l.Start, n);
    return true;
}

bool JoinParagraphs(EditorData& data, RandomDocuments& random) {
    std::vector<int32_t> ends;
    for (int32_t i = 0; i + 1 < data.WordCount(); ++i)
        if (data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl == 3) ends.push_back(i);
    if (ends.empty()) return false;
    const int32_t at = ends[static_cast<size_t>(random.Below(static_cast<int32_t>(ends.size())))];
    SetInputDat(data, at, 1, 0);
    Erase(data, at, 1);
    return true;
}

// Paragraphs aligned to a source line are placed as near ones, the editor aligning them through
// spacing. With source lines set, and edited, joined to the next paragraph or deleted, the layout
// stays that of a full one, and each source line is gone or names the line of its own characters.
TEST(IncrementalLayoutProperty, SourceLinesFollowTheirCharactersOrAreDropped) {
    RandomDocuments random(3535);
    NoPageView page;
    int32_t kept = 0, dropped = 0;
    for (int32_t doc = 0; doc < 80; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        for (int32_t step = 0; step < 40; ++step) {
            const int32_t pick = random.Below(data.LineCount());
            if (data.CPdqLine == -1 && ApplyCPdqLine(data, pick)) data.CPdqLine = pick;
            if (data.XjdqLine == -1 && ApplyXjdqLine(data, pick)) data.XjdqLine = pick;
            const int32_t sourcesBefore = (data.CPdqLine != -1) + (data.XjdqLine != -1);
            switch (random.Below(5)) {
                case 0:
                    if (!DeleteLine(data, data.CPdqLine != -1 ? data.CPdqLine : data.XjdqLine))
                        RandomEdit(data, random);
                    break;
                case 1:
                    if (!JoinParagraphs(data, random)) RandomEdit(data, random);
                    break;
                default: RandomEdit(data, random); break;
            }
            LayOutEdit(data, page);
            if (step % 2) JoinUp(data, page);
            ASSERT_EQ(SettledLayoutDifference(data, false), "") << "document " << doc << " edit " << step;
            for (auto [line, anchor] :
                 {std::pair{data.CPdqLine, data.CPdqAnchor}, std::pair{data.XjdqLine, data.XjdqAnchor}}) {
                if (line == -1) continue;
                ASSERT_LT(line, data.LineCount()) << "document " << doc << " edit " << step;
                const auto& l = data.LineInfo[static_cast<size_t>(line)];
                ASSERT_EQ(std::make_tuple(line, l.Start, l.Length),
                          std::make_tuple(anchor.Line, anchor.Start, anchor.Length))
                    << "document " << doc << " edit " << step;
            }
            const int32_t sourcesAfter = (data.CPdqLine != -1) + (data.XjdqLine != -1);
            kept += sourcesAfter;
            dropped += sourcesBefore - sourcesAfter;
        }
    }
    EXPECT_GT(kept, 1000);
    EXPECT_GT(dropped, 300);
}

// The key, tempo and metre are read again only when an edit comes near their marks: after any
// edits laid out as the control lays them out, a full scan finds nothing to change.
TEST(IncrementalLayoutProperty, PlayMarksReadAfterAnEditAreThoseOfAFullScan) {
    RandomDocuments random(4242);
    random.PlayMarks = true;
    NoPageView page;
    int32_t quiet = 0, changed = 0;
    for (int32_t doc = 0; doc < 80; ++doc) {
        EditorData data;
        LaidOutDocument(data, random, 120, 300);
        data.PlayInfo.Track.resize(1);
        data.PlayInfo.MainTrack = 1;
        ScanPlayMarks(data);
        for (int32_t step = 0; step < 40; ++step) {
            const auto before = std::make_tuple(data.PlayInfo.Track[0].Yd, data.PlayInfo.Bpm, data.PlayInfo.JiePai);
            RandomEdit(data, random);
            quiet += data.InputDatPlayMarks ? 0 : 1;
            LayOutEdit(data, page);
            EditorData full = data;
            ScanPlayMarks(full);
            const auto after = std::make_tuple(data.PlayInfo.Track[0].Yd, data.PlayInfo.Bpm, data.PlayInfo.JiePai);
            changed += after != before ? 1 : 0;
            ASSERT_EQ(after, std::make_tuple(full.PlayInfo.Track[0].Yd, full.PlayInfo.Bpm, full.PlayInfo.JiePai))
                << "document " << doc << " edit " << step;
        }
    }
    EXPECT_GT(quiet, 300);  // edits far from any play mark
    EXPECT_GT(changed, 40);
}

}  // namespace
}  // namespace notaline::test
