// For tests: acting as the user on windows and dialogs (typing, clicking, choosing, pressing
// keys) through the same path real input takes, and reading what the window layer did. Plain
// C++, so tests of any folder can drive a dialog of their part. Every call here works without a
// screen (QT_QPA_PLATFORM=offscreen).
#pragma once

#include <string>

#include "platform/user.h"

// Called once each time a dialog has been made from a template and initialised (after
// WM_INITDIALOG), with the dialog and the template's number. For a modal dialog it runs inside
// the dialog's own loop, so a test can drive the dialog and end it; if the hook returns with the
// dialog still open and nothing left to do, the dialog is ended with -1 so that a test never
// hangs. Null removes the hook.
using DialogHook = void (*)(HWND dialog, int templateId, void* context);
void SetDialogHook(DialogHook hook, void* context);

// Called instead of showing a popup menu; returns the command chosen (0: none). Null removes it
// (then the popup is really shown).
using PopupMenuHook = UINT (*)(HMENU menu, int x, int y, void* context);
void SetPopupMenuHook(PopupMenuHook hook, void* context);

// The user's actions on controls. Each gives the control the focus first, as a click or a typed
// key would, so the focus notifications come before the others.
void UserTypeText(HWND control, const char* text);  // Windows-1251, one key per character
void UserClearText(HWND control);                   // selects all and deletes it
void UserClick(HWND control);                       // press and release inside it
void UserClickListLine(HWND list, int index, bool ctrlHeld = false, bool shiftHeld = false);
void UserDoubleClickListLine(HWND list, int index);
void UserChooseComboLine(HWND combo, int index);  // from the drop-down or the simple list
void UserPressKey(HWND window, int virtualKey);   // to the control or dialog, as the focus holder
void UserCloseBox(HWND window);                   // the close box of a dialog or the main window
void UserChooseMenuItem(HWND window, UINT id);    // from the window's menu bar

// The main window's input, as the desktop would deliver it (queued, as the messages are).
void UserKeyDown(HWND window, int virtualKey, const char* typed = nullptr, bool autoRepeat = false);
void UserKeyUp(HWND window, int virtualKey);
void UserMouse(HWND window, UINT message, int x, int y, WPARAM keys);

// Dispatches what is queued and what the toolkit has pending until nothing is left or a
// WM_QUIT comes (left in the queue). Returns the number of messages dispatched.
int PumpPendingMessages();
// Goes on dispatching until milliseconds have passed (timers fire meanwhile).
int PumpMessagesFor(int milliseconds);

// What the window layer did.
int BeepCount();
std::string WindowTextUtf8(HWND hwnd);      // what the user sees, in Unicode
std::string MenuItemTextUtf8(HMENU menu, UINT id);
bool MenuItemShownChecked(HMENU menu, UINT id);  // the check mark the menu bar shows
bool MenuItemShowsBox(HMENU menu, UINT id);      // a check box, empty or not, beside the item
// Opens the popup at `position` of the window's menu bar, as a click on its title does, and
// closes it again with Escape.
void UserEscapeFromMenu(HWND window, int position);
// True while the keys go to the window's client area (the plan), not to its menu bar.
bool ClientHasKeyboard(HWND window);
bool IsHelpWindowOpen();
std::string HelpWindowTitleUtf8();
HCURSOR GetShownCursor(HWND hwnd);          // the cursor the window shows now
int LiveWindowCount();                      // windows and controls not yet destroyed
int LiveMenuCount();
