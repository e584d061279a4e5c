// Drives Vorlane.exe from a test program running in the same Wine prefix: starts it, finds its windows and
// controls, reads and writes them through window messages, reads and writes its settings file and injects
// input. Every wait polls a condition against a deadline; nothing sleeps for a fixed long time.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace vorlane::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// Owns a kernel handle.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }

    HANDLE get() const { return handle_; }
    void reset(HANDLE handle = nullptr)
    {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// Polls `condition` every `step` until it holds or `timeout` has passed; true when it held.
bool waitFor(const std::function<bool()>& condition, Millis timeout, Millis step = 20ms);

// A duration in seconds, for timing checks.
inline double seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Texts are UTF-8 in the tests; UTF-16 only where they cross into the Windows API.
std::string utf8(std::wstring_view text);
std::wstring utf16(std::string_view text);

// ---- Windows of another process -------------------------------------------------------------------------

// The text through WM_GETTEXT, so that edit boxes give their live text (Chinese included).
std::string windowText(HWND window);
// WM_SETTEXT; returns once the target has handled it, including the text-changed notification it raises.
void setWindowText(HWND window, std::string_view text);
std::string className(HWND window);
// Top-level windows of a process, in z-order.
std::vector<HWND> topLevelWindows(DWORD processId);
// Outer rectangle in screen coordinates.
RECT screenRect(HWND window);
// Outer rectangle of a child in its parent's client coordinates.
RECT placeInParent(HWND child);
bool isChecked(HWND checkBox);
// BM_CLICK sent: returns once the click's handler has run.
void click(HWND button);
// BM_CLICK posted: for a handler that opens a modal box and so would not return.
void postClick(HWND button);

// A message box (dialog class "#32770") with this title owned by the process, or null.
HWND findMessageBox(DWORD processId, std::string_view title);
// The message text of a message box: its static control with id 65535.
std::string messageBoxText(HWND box);

// ---- Input ----------------------------------------------------------------------------------------------

// One injected input event: the wineserver's last-input time jumps to now. On a fresh display it reads 0,
// which makes the idle time as long as the machine's uptime, so every test starts with one of these.
// The pointer moves to the top-left corner, away from the program's window and its hover hints.
void injectInput();
void pressKey(WORD virtualKey);

// ---- The settings file ----------------------------------------------------------------------------------

std::filesystem::path settingsFilePath();   // CSIDL_APPDATA\tavolu.ini
bool settingsFileExists();
// A value of the settings file; nullopt when the file, the section or the key is missing.
using Setting = std::optional<std::string>;
// A key of section [kov].
Setting readSetting(std::string_view key);
void writeSetting(std::string_view key, std::string_view value);

// ---- The program ----------------------------------------------------------------------------------------

// The program under test: its Windows path from VORLANE_EXE (environment), else the build's own.
std::string vorlaneExePath();

// A running Vorlane.exe; terminated at destruction if it is still running.
class VorlaneProcess {
public:
    // Starts the program; check started() afterwards.
    VorlaneProcess();
    VorlaneProcess(const VorlaneProcess&) = delete;
    VorlaneProcess& operator=(const VorlaneProcess&) = delete;
    ~VorlaneProcess();

    bool started() const { return process_.get() != nullptr; }
    DWORD id() const { return processId_; }
    Clock::time_point startTime() const { return startTime_; }
    bool running() const;
    // Its visible top-level window whose caption starts with "Vorlane", or null after the timeout.
    HWND waitForMainWindow(Millis timeout = 10s) const;
    // Its exit code once it has ended, or nullopt if it is still running after the timeout.
    std::optional<DWORD> waitForExit(Millis timeout) const;

private:
    Handle process_;
    DWORD processId_ = 0;
    Clock::time_point startTime_{};
};

// What a child of the main window is, from its class and button style.
enum class ControlKind { PushButton, CheckBox, Edit, Label, Other };
const char* toString(ControlKind kind);

struct Control {
    HWND window = nullptr;
    ControlKind kind = ControlKind::Other;
    std::string text;
    RECT place{};   // in the main window's client coordinates
    bool visible = false;
};

// The direct children of a window, in z-order.
std::vector<Control> controlsOf(HWND parent);

// The main window and its controls, told apart by kind and place, never by text, since the texts are what
// the tests look at: the work box is the upper edit box, the pause button the left push button, the
// check boxes are "关闭到托盘", "修改时间计时清零", "休眠延迟" from top to bottom.
struct MainWindow {
    HWND window = nullptr;
    HWND workBox = nullptr;
    HWND idleBox = nullptr;
    HWND pauseButton = nullptr;
    HWND resetButton = nullptr;
    HWND closeToTray = nullptr;
    HWND resetOnChange = nullptr;
    HWND sleepDelay = nullptr;

    // Empty text on success, else what was found instead.
    static std::pair<MainWindow, std::string> find(HWND window);
    std::string caption() const { return windowText(window); }
};

// ---- The status caption ---------------------------------------------------------------------------------

// The elapsed seconds shown by a caption of the form "Vorlane  总时长:<total>  已过:<elapsed>", with
// <elapsed> as the program writes it ("5秒", "1分0秒", "1时2分5秒"); nullopt for any other text.
std::optional<int> elapsedInCaption(std::string_view caption, std::string_view totalPart);

// A change of the shown count, and when it was first seen.
struct CountSample {
    int seconds;
    Clock::time_point seen;
};

// ---- The fixture ----------------------------------------------------------------------------------------

// Each test runs in a Wine profile of its own (scripts/wine-run.sh); the fixture checks that the profile is
// clean, gives the idle time a defined zero, and starts the program on demand.
class VorlaneTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Starts the program and finds its window and controls; fails the test (fatally) when it cannot.
    void startVorlane();

    // The count shown in the caption now, with the given total part; nullopt if it shows something else.
    std::optional<int> shownCount(std::string_view totalPart = "1时30分") const;
    // Waits for the caption to show a count different from `previous` (any count when nullopt).
    std::optional<CountSample> nextCount(std::optional<int> previous, Millis timeout,
                                         std::string_view totalPart = "1时30分") const;
    // Waits for the next tick and gives the count it shows: an action taken right then is a second away
    // from the tick after, so no tick slips in between the action and the reading of its effect.
    std::optional<int> justAfterATick() const;
    // Waits until the caption shows a count of at least `count`.
    bool waitForCount(int count, Millis timeout) const;
    // Every change of the shown count during `duration`, starting with the count shown at the call.
    std::vector<CountSample> watchCount(Millis duration, std::string_view totalPart = "1时30分") const;

    std::optional<VorlaneProcess> app_;
    MainWindow ui_;
};

}  // namespace vorlane::e2e
