#pragma once
// What the control's events and window procedure call in the modules of typed text, keys, mouse,
// clipboard, context menu, status record, the position dialog and playback. Each module defines
// its own; the Pending*_win.cpp files hold the ones whose module is not written yet.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "com/Control.h"

namespace notaline {

class Editor;
struct InputAttributes;

// Keys, by the shift mask of the key event.
void KeyDownNoShift(Editor& ed, int16_t& KeyCode);
void KeyDownShift(Editor& ed, int16_t& KeyCode);
void KeyDownCtrl(Editor& ed, int16_t& KeyCode);
void KeyDownCtrlShift(Editor& ed, int16_t& KeyCode);
void KeyPressInput(Editor& ed, int16_t& KeyAscii);
void KeyUpCtrl(Editor& ed, int16_t& KeyCode);

// The mouse, with no key held; positions in twips. They set ed.MousePointer.
void MouseDownText(Editor& ed, com::MouseEvent& e);
void MouseMoveText(Editor& ed, com::MouseEvent& e);
void MouseUpText(Editor& ed, com::MouseEvent& e);
void MouseDownLpx(Editor& ed, com::MouseEvent& e);
void MouseMoveLpx(Editor& ed, com::MouseEvent& e);
void MouseUpLpx(Editor& ed, com::MouseEvent& e);

// The status record to the host (EM_SendMsg): the input mode decided by the characters around
// the caret, or kept as the caller set it.
void NotifySelChange(Editor& ed, int32_t SelStart, int32_t SelLength);
void NotifySelChangeByState(Editor& ed, int32_t SelStart, int32_t SelLength);
// The last status record sent again: the host's status bar drops what a long operation showed.
void ResendStatus(Editor& ed);
// One property of the status record's input font (name in code page 936, size in points).
void SetStdFontName(Editor& ed, const std::string& name);
void SetStdFontSize(Editor& ed, float size);
void SetStdFontBold(Editor& ed, bool on);
void SetStdFontItalic(Editor& ed, bool on);
void SetStdFontUnderline(Editor& ed, bool on);
void SetStdFontStrikeOut(Editor& ed, bool on);
// The attributes new characters take, from the status record.
InputAttributes InputAttributesOf(Editor& ed);

// Typed text (code page 936 bytes) and host symbols into the input buffer, Data.InputWords.
void TextToWordsByState(Editor& ed, std::string_view text);
void MakeSymbolWord(Editor& ed, int32_t markCode, int32_t value);

// The clipboard formats: the range onto the clipboard; what can be pasted into the input
// buffer, naming the format found in ed.PasteFormatName. A damaged block beeps only when
// pasting, not each time a menu or the host asks whether there is something to paste.
bool CopyWordsToClipboard(Editor& ed, int32_t Start, int32_t Length);
bool ReadClipboardWords(Editor& ed, bool pasting);
// The block of the characters this window put on the clipboard, made when someone asks for it
// (WM_RENDERFORMAT), or before the window goes (WM_RENDERALLFORMATS).
void RenderClipboard(Editor& ed, UINT format);
void RenderAllClipboard(Editor& ed);

// The context menu.
void CreateContextMenu(Editor& ed);
void DestroyContextMenu(Editor& ed);
void ShowContextMenu(Editor& ed);
void ContextMenuCommand(Editor& ed, int32_t id);

// Printing every page on a printer the user picks (the member PrintDoc); false when nothing was
// printed, after telling the user why (a cancelled dialog is told nothing).
bool PrintDocument(Editor& ed, const std::wstring& jobName);
// Every page as a picture, the format by the name's extension (the member SavePic); false when
// nothing was written, after telling the user why. A name too short to hold an extension throws
// com::Error with E_INVALIDARG, for the caller.
bool SavePagePictures(Editor& ed, const std::wstring& fileName);

// The octave-dot and duration-line position dialog.
void ShowFormSetYcYgPos(Editor& ed);

// Playback of the document (the members 播放音乐, 暂停, 关闭音乐, 正在播放) and the
// drum-pattern editor: the played bar's row (or -1, -2: its playing state).
void BeginPlayMusic(Editor& ed);
void SetPlayPause(Editor& ed, bool pause);
void StopPlayMusic(Editor& ed);
bool IsPlayingMusic(const Editor& ed);
void PlayDrumFrmInfo(Editor& ed, int32_t row);
// On kReleaseStoppedPlayers.
void ReleaseStoppedPlayers(Editor& ed);
// The editor window's timer that joins up a line a key cut short once the keys pause, a few
// thousand lines a tick, so that a key typed meanwhile waits for a step at most.
inline constexpr UINT_PTR kSettleTimer = 1;
inline constexpr UINT kSettleAfterMs = 150;
inline constexpr int32_t kSettleStepLines = 2000;
// The play settings' metre into the document's first time signature: one undo step, redrawn.
void ApplyPlayTimeSignature(Editor& ed);

}  // namespace notaline
