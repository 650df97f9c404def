#pragma once

// Words met in the names of the records and of the code around them:
//   Jp       numbered notation (简谱); Gc lyric (歌词); Ctl control (IsJpGcCtl: notation, lyric, paragraph end)
//   Wd, Word a character of the document; Extral a mark attached to it (IndexType = its mark code)
//   Yc       duration lines under a note (0 to 3)
//   YG       octave dots: 1 to 3 above, 4 to 6 below; hYg, hYc where the font places dots and lines
//   Yy       grace notes (倚音); Yd the key of a track (音调)
//   Xj       bar (小节); XiaoJieXuHao bar number
//   Hw       free-placed items on a page: brackets, braces, connecting lines; HwWordtype their kind
//   Lpx      the input mode that edits those items (LpxState)
//   ShuPai   characters stacked one above another (竖排)
//   Dq       alignment (对齐): CPdq to a lyric source line, Xjdq to a bar source line
//   Part     paragraph; Pro zoom; cf, cb foreground and background colour indexes
//   HuXian   arc; LinYing tuplet; TFZ volta, KFTFZ open volta; HuaYing slide; ZhuYing syllables
//   DaDur, ZoRiv the two document file formats

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "records/Geometry.h"
#include "records/Types.h"

namespace tessaly {

// Vertical stacking of a character among characters drawn one above another.
struct aShuPai {
    float Space = 0;     // gap between stacked characters, pixels at the screen zoom
    int16_t Number = 0;  // place in its stack; 0 = not stacked, runs count up from +1 or down from -1
};

// One attached-mark slot of a character; IndexType 0 = free.
struct aExtralWordInfo {
    int32_t IndexType = 0;
    int32_t ExtralWordVal1 = 0;
    int32_t ExtralWordVal2 = 0;       // pair number for paired marks
    uint8_t ExtralWordVal3[16] = {};  // code page 936 text, zero-filled
};

// A character's font: font-table index plus the LOGFONT settings that the table does not hold.
struct mLogFont {
    int16_t FontTblIndex = 0;
    int32_t lfHeight = 0;  // negative = character height
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;  // 700 bold, 400 normal
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
};

// The Windows logical font with a 33-byte code page 936 face name.
struct LogFont {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    uint8_t lfFaceName[33] = {};
};

// One character of the document: note, rest, bar line, lyric or text character, paragraph end.
struct aWordInfo {
    int16_t WdAsc = 0;  // code page 936 code; a double-byte character has its lead byte high (negative)
    SIZEF WdSize;
    float SelSize = 0;  // points
    float WdSpace = 0;
    float UpSpace = 0;
    aShuPai ShuPai;
    uint8_t Yc = 0;
    uint8_t YG = 0;
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    aExtralWordInfo ExtralWordInfo[8];
    int16_t cf = 0;
    int16_t cb = 0;  // -1 = no background
    mLogFont nLogFont;
    uint8_t IsJpGcCtl = 0;  // 0 lyric/text, 1 notation, 2 notation-font symbol, 3 paragraph end
};

// One entry of a document's font table.
struct aFontTbl {
    std::string FontName;  // code page 936 bytes, lower case as read from DaDur
    uint8_t fcharset = 0;  // 2 symbol (notation font), 134 GB2312
    float hYg = 0;         // octave-dot position
    float hYc = 0;         // duration-line position
};

// A free-placed item on a page: staff bracket, brace, connecting line.
struct aHwWordInfo {
    int32_t iPage = 0;
    int16_t HwWordtype = 0;
    int16_t cf = 0;
    float X = 0;
    float Y = 0;
    float Height = 0;
    float Width = 0;
};

struct AboutPageInfo {
    uint8_t BackGroundType = 0;  // 5 = page texture picture
    uint8_t PagePosIndexType = 0;
    int16_t PageNumberSize = 0;
    float nScale = 0;
    RECT PageMarginRect;
    uint8_t PaperType = 0;
    size PageSize;       // millimetres
    uint8_t PageFX = 0;  // 1 = landscape
};

struct AboutFileInfo {
    uint8_t DaDurVer = 0;
    int16_t deffFont = 0;
    int16_t CMScale = 0;
    int16_t BaseFontTblIndex = 0;
    int16_t m_cb = 0;
    int16_t FontTblCount = 0;
    int16_t ColorTblCount = 0;
    int32_t WordCount = 0;
    int32_t HwWordCount = 0;
    int32_t QiLuoBianHao = 0;  // paired-mark starts met while reading
    int16_t XjCount = 0;
};

// One control unit of a DaDur line.
struct aCtlUnit {
    std::string CtlWord;  // with its backslash, e.g. "\fs"; may be empty
    float CtlVal = 0;     // -1 when the word has no number
    std::string CtlObj;   // unescaped text after the word, code page 936 bytes
};

static_assert(sizeof(aShuPai) == 8);
static_assert(offsetof(aShuPai, Space) == 0 && offsetof(aShuPai, Number) == 4);

static_assert(sizeof(aExtralWordInfo) == 28);
static_assert(offsetof(aExtralWordInfo, IndexType) == 0);
static_assert(offsetof(aExtralWordInfo, ExtralWordVal1) == 4);
static_assert(offsetof(aExtralWordInfo, ExtralWordVal2) == 8);
static_assert(offsetof(aExtralWordInfo, ExtralWordVal3) == 12);

static_assert(sizeof(mLogFont) == 32);
static_assert(offsetof(mLogFont, FontTblIndex) == 0);
static_assert(offsetof(mLogFont, lfHeight) == 4);
static_assert(offsetof(mLogFont, lfWidth) == 8);
static_assert(offsetof(mLogFont, lfEscapement) == 12);
static_assert(offsetof(mLogFont, lfOrientation) == 16);
static_assert(offsetof(mLogFont, lfWeight) == 20);
static_assert(offsetof(mLogFont, lfItalic) == 24);
static_assert(offsetof(mLogFont, lfUnderline) == 25);
static_assert(offsetof(mLogFont, lfStrikeOut) == 26);
static_assert(offsetof(mLogFont, lfOutPrecision) == 27);
static_assert(offsetof(mLogFont, lfClipPrecision) == 28);
static_assert(offsetof(mLogFont, lfQuality) == 29);
static_assert(offsetof(mLogFont, lfPitchAndFamily) == 30);

static_assert(sizeof(LogFont) == 64);
static_assert(offsetof(LogFont, lfHeight) == 0);
static_assert(offsetof(LogFont, lfWidth) == 4);
static_assert(offsetof(LogFont, lfEscapement) == 8);
static_assert(offsetof(LogFont, lfOrientation) == 12);
static_assert(offsetof(LogFont, lfWeight) == 16);
static_assert(offsetof(LogFont, lfItalic) == 20);
static_assert(offsetof(LogFont, lfUnderline) == 21);
static_assert(offsetof(LogFont, lfStrikeOut) == 22);
static_assert(offsetof(LogFont, lfCharSet) == 23);
static_assert(offsetof(LogFont, lfOutPrecision) == 24);
static_assert(offsetof(LogFont, lfClipPrecision) == 25);
static_assert(offsetof(LogFont, lfQuality) == 26);
static_assert(offsetof(LogFont, lfPitchAndFamily) == 27);
static_assert(offsetof(LogFont, lfFaceName) == 28);

static_assert(sizeof(aWordInfo) == 316);
static_assert(offsetof(aWordInfo, WdAsc) == 0);
static_assert(offsetof(aWordInfo, WdSize) == 4);
static_assert(offsetof(aWordInfo, SelSize) == 12);
static_assert(offsetof(aWordInfo, WdSpace) == 16);
static_assert(offsetof(aWordInfo, UpSpace) == 20);
static_assert(offsetof(aWordInfo, ShuPai) == 24);
static_assert(offsetof(aWordInfo, Yc) == 32);
static_assert(offsetof(aWordInfo, YG) == 33);
static_assert(offsetof(aWordInfo, Left) == 36);
static_assert(offsetof(aWordInfo, Top) == 40);
static_assert(offsetof(aWordInfo, Right) == 44);
static_assert(offsetof(aWordInfo, Bottom) == 48);
static_assert(offsetof(aWordInfo, ExtralWordInfo) == 52);
static_assert(offsetof(aWordInfo, cf) == 276);
static_assert(offsetof(aWordInfo, cb) == 278);
static_assert(offsetof(aWordInfo, nLogFont) == 280);
static_assert(offsetof(aWordInfo, IsJpGcCtl) == 312);

static_assert(sizeof(aHwWordInfo) == 24);
static_assert(offsetof(aHwWordInfo, iPage) == 0);
static_assert(offsetof(aHwWordInfo, HwWordtype) == 4);
static_assert(offsetof(aHwWordInfo, cf) == 6);
static_assert(offsetof(aHwWordInfo, X) == 8);
static_assert(offsetof(aHwWordInfo, Y) == 12);
static_assert(offsetof(aHwWordInfo, Height) == 16);
static_assert(offsetof(aHwWordInfo, Width) == 20);

static_assert(sizeof(AboutPageInfo) == 40);
static_assert(offsetof(AboutPageInfo, BackGroundType) == 0);
static_assert(offsetof(AboutPageInfo, PagePosIndexType) == 1);
static_assert(offsetof(AboutPageInfo, PageNumberSize) == 2);
static_assert(offsetof(AboutPageInfo, nScale) == 4);
static_assert(offsetof(AboutPageInfo, PageMarginRect) == 8);
static_assert(offsetof(AboutPageInfo, PaperType) == 24);
static_assert(offsetof(AboutPageInfo, PageSize) == 28);
static_assert(offsetof(AboutPageInfo, PageFX) == 36);

static_assert(sizeof(AboutFileInfo) == 32);
static_assert(offsetof(AboutFileInfo, DaDurVer) == 0);
static_assert(offsetof(AboutFileInfo, deffFont) == 2);
static_assert(offsetof(AboutFileInfo, CMScale) == 4);
static_assert(offsetof(AboutFileInfo, BaseFontTblIndex) == 6);
static_assert(offsetof(AboutFileInfo, m_cb) == 8);
static_assert(offsetof(AboutFileInfo, FontTblCount) == 10);
static_assert(offsetof(AboutFileInfo, ColorTblCount) == 12);
static_assert(offsetof(AboutFileInfo, WordCount) == 16);
static_assert(offsetof(AboutFileInfo, HwWordCount) == 20);
static_assert(offsetof(AboutFileInfo, QiLuoBianHao) == 24);
static_assert(offsetof(AboutFileInfo, XjCount) == 28);

static_assert(std::is_trivially_copyable_v<aWordInfo> && std::is_standard_layout_v<aWordInfo>);
static_assert(std::is_trivially_copyable_v<aHwWordInfo> && std::is_standard_layout_v<aHwWordInfo>);
static_assert(std::is_trivially_copyable_v<AboutPageInfo> && std::is_standard_layout_v<AboutPageInfo>);
static_assert(std::is_trivially_copyable_v<AboutFileInfo> && std::is_standard_layout_v<AboutFileInfo>);
static_assert(std::is_trivially_copyable_v<LogFont> && std::is_standard_layout_v<LogFont>);

}  // namespace tessaly
