#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "control/Editor_win.h"
#include "win/OwnThread.h"

namespace notaline {

// The editor's window procedure goes in front of the control's own one while the control runs.
void InstallEditWndProc(Editor& ed);
void UninstallEditWndProc(Editor& ed);

LRESULT CALLBACK EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window messages of the editor; false passes the message on to the control's procedure
// (result untouched), true answers it with result.
bool EditWindowMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The host's command messages (1026 to 1108), likewise.
bool HostCommand(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

using win::AddressFromOwnThread;
// A text argument: lParam is the address of the sender's BSTR (a pointer: 8 bytes in the 64-bit
// build), copied as code page 936 bytes. Nothing for a refused address or text with characters
// outside code page 936.
std::optional<std::string> HostText(UINT msg, LPARAM lParam);

}  // namespace notaline
