// A fake of the operating system behind the seam. It behaves the way the
// program relies on the real controls behaving: an edit box's text write
// raises its change event at once, inside the write, even when unchanged; a
// check-box write raises nothing; the timer ticks on a virtual clock. What the
// program does is recorded in `log`, one line per operation, for tests that
// care about order.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "seam/ports.h"

namespace vorlane::testing {

class FakeOs : public WindowPort,
               public DialogPort,
               public InputPort,
               public MessagePort,
               public ProfilePort,
               public DisplayPort,
               public HookPort,
               public KernelPort,
               public TrayPort,
               public MenuPort,
               public RegistryPort,
               public GdiPort {
public:
    FakeOs();
    Ports ports() {
        return Ports{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this};
    }

    // --- what the program is wired to ---
    std::function<void(Control)> textChanged;
    std::function<void()> timerFired;
    std::function<void(Handle)> destroyPosted;

    // --- the virtual clock: `time` in ms since the fake started ---
    std::uint64_t time = 0;
    std::uint32_t tickBase = 0;        // tick count at time 0
    std::uint64_t lastInputTime = 0;   // time of the last user input
    void input() { lastInputTime = time; }
    // Runs every timer tick and scheduled action due up to `time + ms`.
    void advance(std::uint64_t ms);
    void at(std::uint64_t when, std::function<void()> action) { scheduled.emplace(when, std::move(action)); }
    std::multimap<std::uint64_t, std::function<void()>> scheduled;
    std::optional<std::uint64_t> nextTick;  // time of the timer's next tick
    unsigned timerPeriod = 0;
    bool quitPosted = false;

    // --- the window ---
    std::map<Control, std::string> texts;
    std::map<Control, bool> checks;
    std::string windowCaption = "Vorlane";
    bool windowVisible = true;
    bool minimized = false;
    Point pointer{400, 300};

    // --- canned answers ---
    std::deque<int> messageBoxAnswers;                          // default 1 (OK)
    std::deque<std::optional<std::string>> inputAnswers;        // default: cancelled
    std::function<void()> duringMessageBox;                     // runs while a box is up
    std::deque<int> popupChoices;                               // default 0 (dismissed)

    // --- profile ---
    std::optional<std::string> appData = std::string("C:\\Users\\u\\AppData\\Roaming");
    std::map<std::string, std::map<std::string, std::string>> ini;  // "section/key" by path
    std::string iniValue(const std::string& key, const std::string& path = "") const;

    // --- display ---
    GammaRamp ramp{};               // the display's current ramp
    bool gammaWorks = true;         // false: Get/Set fail (a display without gamma)
    bool refusesFlatRamp = false;   // true: Set of an all-zero ramp returns TRUE but changes nothing
    bool coversShown = false;
    int suspends = 0;
    std::function<void()> duringSuspend;
    const GammaRamp* crashRamp = nullptr;
    Handle crashDC = 0;

    // --- hook / kernel ---
    std::set<Handle> hooks;
    bool otherCopyRunning = false;
    std::uint32_t waitResult = 0;   // WaitForSingleObject answer for our mutex
    std::optional<int> exitCode;
    std::string directory = "C:\\Program Files\\Vorlane";
    std::string module = "C:\\Program Files\\Vorlane\\Vorlane.exe";
    std::map<std::string, std::string> environment{{"APPDIR", "C:\\Apps"}};

    // --- tray ---
    bool trayIconShown = false;
    std::string trayTipText;
    std::set<Handle> liveIcons;

    // --- menus ---
    struct MenuItem {
        unsigned flags;
        std::uintptr_t id;
        std::string text;
        Handle bitmap = 0;
    };
    std::map<Handle, std::vector<MenuItem>> menus;
    Handle bar = 0;
    Handle foreground = 0;
    std::vector<std::string> menuTexts(Handle menu) const;

    // --- registry ---
    std::map<std::string, std::map<std::string, RegistryPort::Value>> registryKeys;
    bool registryWritesFail = false;
    std::map<Handle, std::string> openKeys;

    // --- gdi ---
    std::set<Handle> liveGdiObjects;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> iconsCreatedFrom;  // offset of bits, size
    const std::uint8_t* icoBase = nullptr;

    std::vector<std::string> log;
    // Log lines starting with `prefix`, in order.
    std::vector<std::string> logOf(const std::string& prefix) const;

    // WindowPort
    Handle handle() override { return 0x1000; }
    void subclass() override { note("subclass"); }
    std::string text(Control c) override { return texts[c]; }
    void setText(Control, const std::string&) override;
    bool checked(Control c) override { return checks[c]; }
    void setChecked(Control c, bool on) override;
    std::string caption() override { return windowCaption; }
    void setCaption(const std::string& text) override;
    bool visible() override { return windowVisible; }
    void show(WindowShow) override;
    void setTimer(unsigned milliseconds) override;
    void killTimer() override;
    void postDestroy() override;
    void sendSysCommand(std::uintptr_t command, std::intptr_t parameter) override;
    void attachHint(Balloon, Control, const std::string& text, unsigned, unsigned) override;
    void showBalloon(Balloon, Point, const std::string& text, unsigned display) override;
    void hideBalloon(Balloon) override;
    // DialogPort
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    std::optional<std::string> inputInteger(const std::string& prompt, const std::string& title,
                                            const std::string& initial) override;
    // InputPort
    std::uint32_t tickCount() override { return tickBase + static_cast<std::uint32_t>(time); }
    std::uint32_t lastInputTick() override { return tickBase + static_cast<std::uint32_t>(lastInputTime); }
    Point cursorPos() override { return pointer; }
    // MessagePort
    bool dispatchPending() override;
    void waitForMessage(std::uint32_t milliseconds) override;
    // ProfilePort
    std::optional<std::string> appDataFolder() override { return appData; }
    std::string readString(const std::string& section, const std::string& key,
                           const std::optional<std::string>& fallback, const std::string& path) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& path) override;
    // DisplayPort
    Handle desktopDC() override;
    void releaseDesktopDC(Handle dc) override;
    bool getGammaRamp(Handle dc, GammaRamp& out) override;
    bool setGammaRamp(Handle dc, const GammaRamp& in) override;
    bool setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override;
    void showCovers() override;
    void hideCovers() override;
    void armCrashRestore(Handle dc, const GammaRamp* ramp) override;
    // HookPort
    Handle install() override;
    void remove(Handle hook) override;
    std::intptr_t callNext(Handle hook, int code, std::uintptr_t wParam, std::intptr_t lParam) override;
    // KernelPort
    Handle openMutex(std::uint32_t access, const std::string& name) override;
    Handle createMutex(bool initialOwner, const std::string& name) override;
    std::uint32_t waitForSingleObject(Handle, std::uint32_t milliseconds) override;
    void releaseMutex(Handle) override;
    void closeHandle(Handle) override;
    void endProgram(int code) override;
    std::string currentDirectory() override { return directory; }
    std::string moduleFileName() override { return module; }
    std::string expandEnvironmentStrings(const std::string&) override;
    // TrayPort
    bool notify(Op, unsigned id, unsigned callbackMessage, Handle icon, const std::string& tip) override;
    Handle smallWindowIcon() override;
    void destroyIcon(Handle) override;
    // MenuPort
    Handle createMenu() override;
    Handle createPopupMenu() override;
    bool appendMenu(Handle menu, unsigned flags, std::uintptr_t id, const std::string& text) override;
    void destroyMenu(Handle) override;
    Handle windowMenu() override { return bar; }
    void setWindowMenu(Handle menu) override;
    Handle subMenu(Handle menu, int position) override;
    void setItemBitmaps(Handle menu, unsigned position, unsigned flags, Handle unchecked,
                        Handle checkedBitmap) override;
    int trackPopupMenu(Handle menu, unsigned flags, Point, Handle owner) override;
    std::optional<std::string> menuString(Handle menu, int position, unsigned flags) override;
    void setForegroundWindow(Handle window) override;
    Handle foregroundWindow() override { return foreground; }
    // RegistryPort
    Handle openKey(const std::string& path, Access) override;
    Handle createKey(const std::string& path) override;
    std::optional<Value> queryValue(Handle key, const std::string& name) override;
    bool setStringValue(Handle key, const std::string& name, const std::string& text) override;
    bool deleteValue(Handle key, const std::string& name) override;
    bool deleteKey(const std::string& path) override;
    void closeKey(Handle) override;
    // GdiPort
    Handle createIconFromResource(const std::uint8_t* bits, std::uint32_t size) override;
    int smallIconWidth() override { return 16; }
    int smallIconHeight() override { return 16; }
    Handle createCompatibleDC() override;
    Handle createDibSection32(Handle dc, int width, int height) override;
    Handle selectObject(Handle dc, Handle object) override;
    void drawIcon(Handle dc, Handle icon, int width, int height) override;
    void deleteDC(Handle) override;
    void deleteObject(Handle) override;

private:
    void note(std::string line) { log.push_back(std::move(line)); }
    Handle newHandle() { return ++lastHandle_; }
    void runDue(std::uint64_t until);
    Handle lastHandle_ = 0x2000;
    std::map<Handle, Handle> selected_;
};

}  // namespace vorlane::testing
