// The program: all of its state in one object, and a member function for
// every event of the main window. The member functions live in the folder of
// the subsystem they belong to (engine/, display/, desktop/, ui/).
#pragma once

#include <cstdint>
#include <string>

#include "desktop/popup_menu.h"
#include "seam/ports.h"
#include "ui/menu_bar.h"

namespace vorlane {

// The tick timer's period, with the window timer's rules: a negative period
// counts as 0, rewriting the current period does nothing (a running timer
// keeps its phase), any other write stops the timer and a positive period
// starts it again.
class TickTimer {
public:
    explicit TickTimer(WindowPort& window) : window_(window) {}
    int period() const { return period_; }
    void setPeriod(int milliseconds);

private:
    WindowPort& window_;
    int period_ = 0;
};

struct ReminderState {
    std::int32_t elapsedSeconds = 0;
    std::int32_t countdownActive = 0;
    std::int32_t sleepDelaySeconds = 0;
};

// Menu command ids of the menu bar.
enum Command : unsigned {
    kMonitorOff = 101,
    kSleepNoDim = 102,
    kSleepNow = 103,
    kAutostart = 201,
};

inline constexpr unsigned kTrayIconId = 100;
inline constexpr unsigned kTrayCallbackMessage = 0x8064;

class Program {
public:
    Program(const Ports& ports, GammaRamp& savedRamp);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // --- main window (ui/) ---
    // False when this is a second copy and the program has been ended.
    bool onCreate();
    void onDestroy();
    void onCommand(unsigned id);
    void onClicked(Control);
    void onTextChanged(Control);
    // WM_QUERYENDSESSION / WM_ENDSESSION.
    bool onQueryEndSession();
    void onEndSession(bool ending);
    bool destroying() const { return destroying_; }

    // --- settings (engine/settings.cpp) ---
    void loadSettings();
    void onIdleBoxChanged();
    void onWorkBoxChanged();
    void onSleepDelayToggled();
    void reloadSleepDelay();
    std::string settingsFilePath();
    std::string readSetting(const std::string& key, const std::string& fallback);
    void writeSetting(const std::string& key, const std::string& value);

    // --- counter and status (engine/counter.cpp) ---
    void onTick();
    void onPauseClicked();
    void onResetClicked();
    bool isAboutToSleep();
    void startCounting();
    std::string formatStatus(const std::string& prefix, const std::string& suffix);
    int workMinutes();
    int idleMinutes();

    // --- rest prompt (engine/rest_prompt.cpp) ---
    void restPrompt();
    // Waits while processing messages. False when the wait ended early
    // because the program is quitting.
    bool waitProcessingMessages(std::int32_t milliseconds);

    // --- display and power (display/) ---
    void enterSleep();
    void restoreDisplay();
    void onMonitorOffCommand();
    void onSleepNowCommand();
    void onSleepNoDimCommand();
    std::intptr_t onKeyboardEvent(int code, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t vkCode);
    bool isDark() const { return darkenedDC_ != 0; }
    bool covered() const { return covered_; }

    // --- desktop (desktop/) ---
    bool guardSingleInstance();
    // The subclassed window procedure's test; true when the message was
    // taken (the procedure then returns -1).
    bool filterMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void hideToTray();
    void showPanel();
    bool onCloseRequested();
    void onTrayMessage(std::intptr_t mouseMessage);
    void onTrayEvent(int kind);
    void onTaskbarCreated();
    void setTrayIcon(const std::string& tip);
    void removeTrayIcon();
    void showAutostartState();
    void onAutostartCommand();
    void setMenuMark(Handle menu, unsigned position);

    // Read access for tests and the window layer.
    const ReminderState& state() const { return state_; }
    ReminderState& mutableState() { return state_; }
    int tickPeriod() const { return timer_.period(); }
    void setTickPeriod(int milliseconds) { timer_.setPeriod(milliseconds); }
    Handle keyboardHook() const { return keyboardHook_; }
    Handle darkenedDC() const { return darkenedDC_; }
    MenuBar& menuBar() { return menuBar_; }
    bool trayIconShown() const { return trayIcon_ != 0; }
    Handle markBitmap() const { return markBitmap_; }

private:
    void showProgress(const std::string& statusCaption, const std::string& statusTip);
    bool pauseCaptionIsPause();
    void refuseWhileAboutToSleep();
    bool pauseForSleepCommand();
    void suspend();
    void dropMarkBitmap();
    void showAutostartCaption(const std::string& caption);

    Ports ports_;
    GammaRamp& savedRamp_;
    TickTimer timer_;
    ReminderState state_;
    MenuBar menuBar_;
    Handle darkenedDC_ = 0;
    bool rampSaved_ = false;  // savedRamp_ holds the picture from before the darkening
    bool covered_ = false;    // the black cover windows are up
    Handle keyboardHook_ = 0;
    Handle instanceMutex_ = 0;
    Handle trayIcon_ = 0;     // icon handle of the shown tray icon; 0 = no icon
    std::string trayTip_;     // current tip, to add the icon again after a shell restart
    Handle markBitmap_ = 0;   // the autostart item's mark, owned here
    bool destroying_ = false;
};

}  // namespace vorlane
