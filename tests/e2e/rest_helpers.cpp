#include "rest_helpers.h"

#include <cstdio>

namespace vorlane::e2e {

namespace {

// Often enough that a one-minute idle time never runs out, rarely enough to leave the program alone.
constexpr auto kBusyEvery = 5s;
// The working time of these tests, and how long before it the moves stop.
constexpr auto kWorkingTime = 60s;
constexpr auto kStillBeforePrompt = 5s;
// The 60th tick comes about 60 s after the window appears; a loaded machine may take a while longer.
constexpr auto kPromptTimeout = 75s;

std::vector<HWND> coverWindows(bool visibleOnly)
{
    struct Search {
        bool visibleOnly;
        std::vector<HWND> found;
    } search{visibleOnly, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            if (className(window) == "VorlaneCover" && (!s.visibleOnly || IsWindowVisible(window))) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Owns a device context from GetDC.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC()
    {
        if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

std::string countdownText(int secondsLeft)
{
    return std::string(kRestQuestion) + "\r\n将在" + std::to_string(secondsLeft) + "秒之后自动休眠,可以按K键取消.";
}

void movePointer(POINT to)
{
    const RECT screen = virtualScreen();
    const LONG width = screen.right - screen.left;
    const LONG height = screen.bottom - screen.top;
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Normalised 0..65535 over the virtual screen; rounded up so the pixel is reached, not the one before.
    input.mi.dx = ((to.x - screen.left) * 65536 + width - 1) / width;
    input.mi.dy = ((to.y - screen.top) * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
}

POINT pointerPosition()
{
    POINT at{};
    GetCursorPos(&at);
    return at;
}

HWND visibleBalloon(DWORD processId)
{
    for (HWND window : topLevelWindows(processId)) {
        if (className(window) == "VorlaneBalloon" && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

std::vector<HWND> visibleCovers() { return coverWindows(true); }
std::vector<HWND> allCovers() { return coverWindows(false); }

RECT virtualScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::string checkCoversScreen(const std::vector<HWND>& covers)
{
    if (covers.empty()) return "no visible cover";
    const RECT screen = virtualScreen();
    RECT all{};
    long long area = 0;
    std::string found;
    for (HWND cover : covers) {
        const RECT r = screenRect(cover);
        found += " " + describe(r);
        if ((GetWindowLongW(cover, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) return "a cover is not top-most:" + found;
        UnionRect(&all, &all, &r);
        area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    }
    const long long screenArea = static_cast<long long>(screen.right - screen.left) * (screen.bottom - screen.top);
    // Covers side by side, one a monitor: their union is the screen and their areas add up to it, so no
    // part of it is left uncovered.
    if (!EqualRect(&all, &screen) || area < screenArea) {
        return "screen " + describe(screen) + ", covers:" + found;
    }
    return {};
}

std::optional<std::vector<std::string>> nonBlackPoints()
{
    const ScreenDC screen;
    if (screen.get() == nullptr) return std::nullopt;
    const RECT r = virtualScreen();
    std::vector<std::string> bright;
    // A grid of 9 x 9 points, the corners and the middle of the screen among them.
    for (int i = 0; i <= 8; ++i) {
        for (int j = 0; j <= 8; ++j) {
            const int x = r.left + (r.right - 1 - r.left) * i / 8;
            const int y = r.top + (r.bottom - 1 - r.top) * j / 8;
            const COLORREF colour = GetPixel(screen.get(), x, y);
            if (colour == CLR_INVALID) return std::nullopt;
            if (colour != RGB(0, 0, 0)) {
                char text[48];
                std::snprintf(text, sizeof text, "(%d,%d)=#%02x%02x%02x", x, y, GetRValue(colour), GetGValue(colour),
                              GetBValue(colour));
                bright.emplace_back(text);
            }
        }
    }
    return bright;
}

void answer(HWND box, int buttonId) { PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(buttonId), 0); }

// ---- The fixture ----------------------------------------------------------------------------------------

void RestTest::startWithOneMinute(bool sleepDelay, int delaySeconds)
{
    writeSetting("workingM", "1");
    writeSetting("dateM", "1");
    writeSetting("xzyctimeS", sleepDelay ? "1" : "0");
    writeSetting("yctimeS", std::to_string(delaySeconds));
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_EQ(isChecked(ui_.sleepDelay), sleepDelay) << "休眠延迟 as loaded from the settings file";
    ASSERT_TRUE(nextCount(std::nullopt, 3s, "1分")) << "caption: " << ui_.caption();
}

bool RestTest::keepWorkingUntil(const std::function<bool()>& condition, Millis timeout)
{
    const auto quietFrom = app_->startTime() + kWorkingTime - kStillBeforePrompt;
    auto nextMove = Clock::now();
    bool alternate = false;
    return waitFor(
        [&] {
            if (condition()) return true;
            const auto now = Clock::now();
            if (now >= nextMove && now < quietFrom) {
                alternate = !alternate;
                movePointer(alternate ? POINT{kBusyPointer.x + 10, kBusyPointer.y + 5} : kBusyPointer);
                nextMove = now + kBusyEvery;
            }
            return false;
        },
        timeout);
}

HWND RestTest::waitForWarning()
{
    HWND box = nullptr;
    keepWorkingUntil([&] { return (box = findMessageBox(app_->id(), "警告")) != nullptr; }, kPromptTimeout);
    return box;
}

HWND RestTest::waitForCountdown()
{
    HWND balloon = nullptr;
    keepWorkingUntil([&] { return (balloon = visibleBalloon(app_->id())) != nullptr; }, kPromptTimeout);
    return balloon;
}

}  // namespace vorlane::e2e
