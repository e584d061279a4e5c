// The seam between the program's logic and the operating system.
//
// Each interface is a handful of operating-system calls and nothing else: no
// rules, no state of the program's own. Texts cross it as UTF-8; the Windows
// implementation converts to UTF-16 at its side. Handles are opaque numbers;
// 0 means "none" everywhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

using Handle = std::uintptr_t;

// The controls of the main window, in the order the window stores them.
enum class Control {
    按钮2,   // reset
    按钮1,   // pause / resume; its caption is the pause state
    选择框3, // sleep delay
    选择框2, // reset on change
    选择框1, // close to tray
    编辑框2, // idle minutes
    编辑框1, // work minutes
    标签2,
    标签1,
};

enum class Balloon { 气球提示框1, 气球提示框2, 气球提示框3 };

enum class WindowShow { Show, Hide, Minimize, Restore };

struct Point {
    int x = 0;
    int y = 0;
};

// 3 x 256 unsigned 16-bit values: red, then green, then blue.
using GammaRamp = std::array<std::uint16_t, 3 * 256>;

// The main window, its controls, its timer and its balloons.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual Handle handle() = 0;
    // Puts the tray window procedure in front of the window's own.
    virtual void subclass() = 0;
    // Edit boxes: a write raises the box's text-changed event synchronously,
    // inside the write, even when the text does not change.
    virtual std::string text(Control) = 0;
    virtual void setText(Control, const std::string&) = 0;
    // Check boxes: a write raises no click event.
    virtual bool checked(Control) = 0;
    virtual void setChecked(Control, bool) = 0;
    virtual std::string caption() = 0;
    virtual void setCaption(const std::string&) = 0;
    virtual bool visible() = 0;
    virtual void show(WindowShow) = 0;
    // SetTimer / KillTimer of the tick timer.
    virtual void setTimer(unsigned milliseconds) = 0;
    virtual void killTimer() = 0;
    // Posted to the window's own queue; carried out by the message loop.
    virtual void postDestroy() = 0;
    virtual void sendSysCommand(std::uintptr_t command, std::intptr_t parameter) = 0;
    // Hover hint of a label: shows after `delay` ms, for `display` ms.
    virtual void attachHint(Balloon, Control label, const std::string& text, unsigned delay,
                            unsigned display) = 0;
    // Shows the balloon at once with its anchor at a screen point; it hides
    // itself after `display` ms.
    virtual void showBalloon(Balloon, Point anchor, const std::string& text, unsigned display) = 0;
    virtual void hideBalloon(Balloon) = 0;
};

// Modal boxes. Neither has an owner window.
class DialogPort {
public:
    virtual ~DialogPort() = default;
    // MessageBox; returns its result (0 when it failed).
    virtual int messageBox(const std::string& text, const std::string& title, unsigned style) = 0;
    // The integer input box; the field's text when confirmed, nothing when
    // cancelled. The main window is disabled while it is open.
    virtual std::optional<std::string> inputInteger(const std::string& prompt,
                                                    const std::string& title,
                                                    const std::string& initial) = 0;
};

// GetTickCount, GetLastInputInfo, GetCursorPos.
class InputPort {
public:
    virtual ~InputPort() = default;
    virtual std::uint32_t tickCount() = 0;
    virtual std::uint32_t lastInputTick() = 0;
    virtual Point cursorPos() = 0;
};

// The calling thread's message queue.
class MessagePort {
public:
    virtual ~MessagePort() = default;
    // Peeks, translates and dispatches every pending message; stops when the
    // queue is empty or WM_QUIT is next, which stays queued. True when a
    // WM_QUIT is waiting.
    virtual bool dispatchPending() = 0;
    // Blocks until input is in the queue or `milliseconds` have passed
    // (MsgWaitForMultipleObjectsEx, QS_ALLINPUT, MWMO_INPUTAVAILABLE).
    virtual void waitForMessage(std::uint32_t milliseconds) = 0;
};

// The application-data folder and the private profile functions.
class ProfilePort {
public:
    virtual ~ProfilePort() = default;
    virtual std::optional<std::string> appDataFolder() = 0;
    // GetPrivateProfileString; a missing default is passed as NULL.
    virtual std::string readString(const std::string& section, const std::string& key,
                                   const std::optional<std::string>& fallback,
                                   const std::string& path) = 0;
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& path) = 0;
};

// Gamma ramp, suspend and the black cover windows.
class DisplayPort {
public:
    virtual ~DisplayPort() = default;
    virtual Handle desktopDC() = 0;  // GetDC(GetDesktopWindow())
    virtual void releaseDesktopDC(Handle dc) = 0;
    virtual bool getGammaRamp(Handle dc, GammaRamp& ramp) = 0;
    virtual bool setGammaRamp(Handle dc, const GammaRamp& ramp) = 0;
    virtual bool setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) = 0;
    // Black, top-most, borderless, never-activated windows over every monitor.
    virtual void showCovers() = 0;
    virtual void hideCovers() = 0;
    // Crash guard: the unhandled-exception filter restores `ramp` on `dc`
    // and removes the covers. dc 0 disarms it.
    virtual void armCrashRestore(Handle dc, const GammaRamp* ramp) = 0;
};

// The low-level keyboard hook.
class HookPort {
public:
    virtual ~HookPort() = default;
    virtual Handle install() = 0;  // SetWindowsHookEx(WH_KEYBOARD_LL, ..., 0)
    virtual void remove(Handle hook) = 0;
    virtual std::intptr_t callNext(Handle hook, int code, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
};

// Kernel objects and the process.
class KernelPort {
public:
    virtual ~KernelPort() = default;
    virtual Handle openMutex(std::uint32_t access, const std::string& name) = 0;
    virtual Handle createMutex(bool initialOwner, const std::string& name) = 0;
    virtual std::uint32_t waitForSingleObject(Handle, std::uint32_t milliseconds) = 0;
    virtual void releaseMutex(Handle) = 0;
    virtual void closeHandle(Handle) = 0;
    // Ends the process the normal way: the exit actions run. Does not return
    // on Windows.
    virtual void endProgram(int exitCode) = 0;
    virtual std::string currentDirectory() = 0;
    virtual std::string moduleFileName() = 0;
    virtual std::string expandEnvironmentStrings(const std::string&) = 0;
};

// The notification-area icon.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    enum class Op { Add, Modify, Delete };
    virtual bool notify(Op, unsigned id, unsigned callbackMessage, Handle icon,
                        const std::string& tip) = 0;
    virtual Handle smallWindowIcon() = 0;  // a new small-icon copy of the window's icon
    virtual void destroyIcon(Handle) = 0;
};

// Menus and menu item bitmaps.
class MenuPort {
public:
    virtual ~MenuPort() = default;
    virtual Handle createMenu() = 0;
    virtual Handle createPopupMenu() = 0;
    virtual bool appendMenu(Handle menu, unsigned flags, std::uintptr_t idOrSubmenu,
                            const std::string& text) = 0;
    virtual void destroyMenu(Handle) = 0;
    virtual Handle windowMenu() = 0;  // GetMenu(main window)
    virtual void setWindowMenu(Handle) = 0;
    virtual Handle subMenu(Handle menu, int position) = 0;
    virtual void setItemBitmaps(Handle menu, unsigned position, unsigned flags, Handle unchecked,
                                Handle checked) = 0;
    virtual int trackPopupMenu(Handle menu, unsigned flags, Point, Handle owner) = 0;
    virtual std::optional<std::string> menuString(Handle menu, int position, unsigned flags) = 0;
    virtual void setForegroundWindow(Handle) = 0;
    virtual Handle foregroundWindow() = 0;
};

// The registry, under HKEY_CURRENT_USER.
class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    enum class Access { Read, Write };
    struct Value {
        std::uint32_t type = 0;
        std::string text;  // REG_SZ / REG_EXPAND_SZ data; empty for other types
    };
    virtual Handle openKey(const std::string& path, Access) = 0;
    virtual Handle createKey(const std::string& path) = 0;
    virtual std::optional<Value> queryValue(Handle key, const std::string& name) = 0;
    virtual bool setStringValue(Handle key, const std::string& name, const std::string& text) = 0;
    virtual bool deleteValue(Handle key, const std::string& name) = 0;
    virtual bool deleteKey(const std::string& path) = 0;
    virtual void closeKey(Handle) = 0;
};

// The GDI and icon calls that turn an icon into a menu bitmap.
class GdiPort {
public:
    virtual ~GdiPort() = default;
    virtual Handle createIconFromResource(const std::uint8_t* bits, std::uint32_t size) = 0;
    virtual void destroyIcon(Handle) = 0;
    virtual int smallIconWidth() = 0;   // SM_CXSMICON
    virtual int smallIconHeight() = 0;  // SM_CYSMICON
    virtual Handle createCompatibleDC() = 0;
    virtual Handle createDibSection32(Handle dc, int width, int height) = 0;
    virtual Handle selectObject(Handle dc, Handle object) = 0;
    virtual void drawIcon(Handle dc, Handle icon, int width, int height) = 0;
    virtual void deleteDC(Handle) = 0;
    virtual void deleteObject(Handle) = 0;
};

struct Ports {
    WindowPort& window;
    DialogPort& dialogs;
    InputPort& input;
    MessagePort& messages;
    ProfilePort& profile;
    DisplayPort& display;
    HookPort& hook;
    KernelPort& kernel;
    TrayPort& tray;
    MenuPort& menus;
    RegistryPort& registry;
    GdiPort& gdi;
};

}  // namespace vorlane
