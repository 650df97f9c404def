#pragma once
// The command modules of the main window. Each fills its own app/<Module>_win.cpp: router rows
// for its menu items and controls, and the form's hooks it serves. All are registered once,
// before the window loads.
namespace tavolin {

class MainWindow;

void RegisterFileCommands(MainWindow& form);   // file menu, recent files, backup copy
void RegisterPanelSetup(MainWindow& form);     // panel set-up, settings file, dragging, picture
void RegisterEditFormat(MainWindow& form);     // edit menu, input modes, toolbar, format bar
void RegisterMarkPanel(MainWindow& form);      // mark names, attached-mark panel, help texts
void RegisterNotationMenus(MainWindow& form);  // mark menus
void RegisterMenuStates(MainWindow& form);     // the menus' states as they open
void RegisterPlaySettings(MainWindow& form);   // playback menu
void RegisterDialogs(MainWindow& form);        // tempo, page, paragraph, spacing, palette

// Every module above, in this order.
void RegisterModules(MainWindow& form);

// DLLs load from the system and program folders only, never from the current folder (which may
// hold a document someone left a DLL beside). Called first at start.
void LimitDllSearch();

// The format bar's font boxes filled afresh: every screen font, then the 25 sizes.
void FillFontBoxes(MainWindow& form);

}  // namespace tavolin
