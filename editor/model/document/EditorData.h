#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/document/LineArray.h"
#include "model/document/PageArray.h"
#include "model/document/PieceArray.h"
#include "model/document/StoredWord.h"
#include "model/document/TableIndex.h"
#include "model/document/TextMeasurer.h"
#include "records/JpData.h"
#include "records/Records.h"

namespace notaline {

// Where a source line stood when it was set: a re-layout finds it again by its characters.
struct SourceLineAnchor {
    int32_t Line = -1;
    int32_t Start = 0;
    int32_t Length = 0;
    int32_t WordCount = 0;
};

// The editor's document and layout: one set per user-interface thread, shared
// by every part of the editor and handed around by reference. Plain data; the
// modules beside it hold the behaviour.
struct EditorData {
    // The document, in the order the readers and writers exchange it.
    tessaly::AboutFileInfo AboutFileInfo;  // its counts follow the arrays below
    tessaly::AboutPageInfo AboutPageInfo;
    tessaly::aPlayInfo PlayInfo;
    std::vector<tessaly::aFontTbl> FontTbl;
    std::vector<uint32_t> ColorTbl;
    TableIndex<std::string> FontLookup;                           // where each face of FontTbl first stands
    TableIndex<uint32_t> ColorLookup;                             // where each colour of ColorTbl first stands
    PieceArray<StoredWord> WordInfo = PieceArray<StoredWord>(1);  // 0 to WordCount: one spare past the last
    std::vector<tessaly::aHwWordInfo> HwWordInfo;
    std::vector<tessaly::XjDrumData> XjDrum;

    // Layout values, set by the layout set-up.
    bool DocLoaded = false;
    std::string NotationFontName;  // code page 936 face name of the base font-table entry
    double WindowsZoom = 1;
    int32_t ScreenDpi = 96;
    float PxPerTenthMm = 96.0f / 254;
    int32_t PageWidthPx = 0;
    int32_t PageHeightPx = 0;
    int32_t WriteLeft = 0;
    int32_t WriteTop = 0;
    int32_t WriteRight = 0;
    int32_t WriteBottom = 0;
    float WriteWidth = 0;
    float WriteHeight = 0;

    // Layout arrays, kept by the re-layout; their sizes are the counts.
    LineArray LineInfo;
    PageArray PageInfo;
    std::vector<tessaly::aPartInfo> PartInfo;  // one per paragraph end, in document order
    bool LineCountChanged = false;
    // The last page the screen showed, -1 none: a key's breaking goes on at least through it.
    int32_t LastPageShown = -1;
    // The paragraph the last layout broke again alone, by its first character and its paragraph
    // end, so that the next key in it need not look for its end; -1 after any other layout.
    int32_t LaidOutParaStart = -1;
    int32_t LaidOutParaEnd = -1;

    // The line breaker's working lines and the limits of the paragraph it broke last.
    std::vector<tessaly::aLineInfo> LineScratch = std::vector<tessaly::aLineInfo>(1);
    int16_t FirstLineLeft = 0;
    int16_t OtherLinesLeft = 0;
    int16_t LineRightLimit = 0;

    tessaly::aInputDat InputDat;     // range of the last edit, before the edit
    bool InputDatLaidOut = false;    // InputDat's edit is in the layout already
    int32_t InputStart = -1;         // where InputDat's confined edit begins; -1 for none
    bool InputDatPlayMarks = false;  // what an edit since the last layout replaced held play marks
    int32_t AreaPairNumber = 0;      // running pair number of new paired marks
    bool IsPrinting = false;
    bool BlankParagraphEnds = false;  // pictures, as paper: a paragraph end is no "-" to a reader

    // Editor control values.
    int32_t SelStart = 0;
    int32_t SelLength = 0;  // negative for a selection made leftwards
    tessaly::InputState InputState = tessaly::JpState;
    int32_t PropertiesDpi = 96;   // host window's DPI; point sizes convert with it
    int32_t CurLine = 0;          // the caret's line
    int16_t CaretColumnX = 0;     // the x a vertical caret move aims at
    bool CaretAtLineEnd = false;  // the caret stands after the last character of a wrapped line

    // What the keyboard, IME, symbol and clipboard code hand to the editing members.
    std::vector<tessaly::aWordInfo> InputWords;  // InputWord inserts them all
    int32_t PasteWordCount = 0;                  // PasteWord inserts this many of InputWords
    // Characters read from the clipboard in the store's own form: when it holds any, PasteWord
    // puts them in as they are instead of InputWords.
    PieceArray<StoredWord> PasteStore;
    tessaly::aHwWordInfo ClipHwWordInfo;  // the free item read from the clipboard
    tessaly::aHwWordInfo EditHwWordInfo;  // the focused item as the mouse moved or sized it
    tessaly::aFontTbl EditFontTbl;        // the font-table row the octave/duration dialog edits
    int32_t EditFontTblIndex = 0;
    int32_t CPdqLine = -1;  // lyric-alignment source line, -1 none
    int32_t XjdqLine = -1;  // bar-alignment source line, -1 none
    // The source lines' alignment positions (page pixels), each with one spare element at the end.
    std::vector<float> CpDqPositions = std::vector<float>(1);
    std::vector<float> XjDqPositions = std::vector<float>(1);
    SourceLineAnchor CPdqAnchor;
    SourceLineAnchor XjdqAnchor;
    // Edits made, one more with each edit's range (SetInputDat): whoever made an edit, the host's
    // list and status bar hear of it, even under a caret that stayed.
    uint32_t Edits = 0;
    // Caret index of the last mode-deciding status record; a loaded document is reported anew.
    int32_t StatusSentStart = 0;
    int32_t StatusSentLength = 0;
    std::array<int16_t, 8> StatusSentMarks{};
    uint32_t StatusSentEdits = 0;

    // Set by the play settings dialog and the drum-pattern editor; part of Modified.
    bool ModifiedPlay = false;
    bool ModifiedDrum = false;

    // Platform services; the stand-ins measure nothing, beep silently, see no keys.
    std::reference_wrapper<TextMeasurer> Measurer = NoMeasurer();
    std::reference_wrapper<SystemServices> System = NoSystem();

    int32_t WordCount() const { return AboutFileInfo.WordCount; }
    int32_t LineCount() const { return static_cast<int32_t>(LineInfo.size()); }
    int32_t PageCount() const { return static_cast<int32_t>(PageInfo.size()); }
    int32_t PartCount() const { return static_cast<int32_t>(PartInfo.size()); }

    // True for an index of a character of the document (0 to WordCount - 1).
    bool IsWord(int32_t i) const { return i >= 0 && i < WordCount() && i < static_cast<int32_t>(WordInfo.size()); }
};

// The editor data of the calling thread. Every editor control on a thread shows this one
// document; it lives as long as the thread.
EditorData& ThreadEditorData();

// Takes a document from a reader: the eight items replace the current ones, the
// header's counts are set from the arrays and the spare record is added. The characters are
// `words` when the reader filled a store, else those of doc.WordInfo.
void LoadDocument(EditorData& data, tessaly::JpData doc, PieceArray<StoredWord> words = {});

// The document for a writer, without the spare record.
tessaly::JpData DocumentOf(const EditorData& data);

// The document as it is now, to be written on another thread while editing goes on: the
// characters are shared with the editor's array, not copied.
struct DocumentSnapshot {
    tessaly::JpData Rest;  // everything but the characters
    PieceArray<StoredWord>::Snapshot Words;
    size_t WordCount = 0;
    // Brings the n whole records of characters first on up to date, where Words holds some out of
    // date (a snapshot taken as stored); empty when every record is.
    std::function<void(size_t first, tessaly::aWordInfo* words, size_t n)> Settle;
};
DocumentSnapshot SnapshotOf(const EditorData& data);
// The same with the characters as stored, runs of them out of date left so: outOfDate(from,
// end, moved) is told each run (PieceArray::SnapAsStored) and the caller sets Settle.
DocumentSnapshot SnapshotOf(const EditorData& data,
                            const std::function<void(size_t from, size_t end, ptrdiff_t moved)>& outOfDate);
// The writer's document from a snapshot, on any thread.
tessaly::JpData DocumentOf(DocumentSnapshot snapshot);

}  // namespace notaline
