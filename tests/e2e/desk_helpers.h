// What the menu, tray, single-instance and autostart tests need beyond the driver: windows of a class in
// any process, real pointer and keyboard input at a place, the menu bar's place, the focus of another
// process's thread, and the Run value of the autostart entry.
#pragma once

#include "vorlane_driver.h"

#include <initializer_list>

// In a namespace of their own, clear of the other tests' helpers in the same program.
namespace vorlane::e2e::desk {

// ---- Windows of any process -----------------------------------------------------------------------------

// Visible top-level windows of a window class; of one process when `processId` is not 0.
std::vector<HWND> visibleWindowsOfClass(std::string_view windowClass, DWORD processId = 0);

// Without a virtual desktop Wine shows the notification area as a top-level window of this class, visible
// only while at least one icon is in it; no other program of the test prefix adds icons.
bool trayIconShown();
// The black windows that stand in for the dark gamma ramp where the display refuses it.
std::vector<HWND> coverWindows();
// An open popup menu (the system class "#32768") of the process, or null.
HWND openPopupMenu(DWORD processId);
// The visible balloon of the process (class "VorlaneBalloon"), or null.
HWND visibleBalloon(DWORD processId);

// ---- Places ---------------------------------------------------------------------------------------------

POINT clientToScreen(HWND window, POINT point);
POINT centreOf(const RECT& rect);
// The screen rectangle of the menu bar: the strip between the window's caption and its client area.
RECT menuBarRect(HWND window);

// ---- Real input -----------------------------------------------------------------------------------------

// An absolute pointer move (a real input event, unlike SetCursorPos); true once the pointer is there.
bool movePointerTo(POINT screen);
// Moves there and presses and releases the left button.
void leftClickAt(POINT screen);
// Each key pressed and released in turn, with a pause after each for the target to act on it.
void pressKeys(std::initializer_list<WORD> virtualKeys, Millis pause = 150ms);

// Makes the window the foreground window and waits until it is; clicking its client area at `spot`
// (client coordinates) as well gives it the focus the way a user would.
bool bringToFront(HWND window);
bool clickIntoWindow(HWND window, POINT clientSpot);
// The window with the keyboard focus in the thread that owns `window`, or null.
HWND focusedWindowOf(HWND window);

// ---- Commands -------------------------------------------------------------------------------------------

// A menu command as the system sends it: WM_COMMAND with the item's id, notification 0 and no control.
void postMenuCommand(HWND window, WORD id);
// The callback message of the tray icon (0x8064, icon 100) with one mouse message in lParam.
void postTrayMouse(HWND window, UINT mouseMessage);

// ---- The autostart entry --------------------------------------------------------------------------------

// HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, value "tavolu".
struct RunValue {
    DWORD type = REG_NONE;
    std::string text;   // REG_SZ and REG_EXPAND_SZ data as UTF-8, without the terminating zero
    DWORD size = 0;     // bytes as stored
};
std::optional<RunValue> readRunValue();
bool writeRunValue(std::string_view text);
bool writeRunValue(DWORD number);
bool deleteRunValue();

// What the program should store: the program's directory and file name, in double quotes.
std::string expectedRunText();
// Paths compared the way Windows compares them: without regard to case.
bool samePathText(std::string_view a, std::string_view b);

}  // namespace vorlane::e2e::desk
