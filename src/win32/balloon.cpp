#include "win32/balloon.h"

#include <algorithm>

#include "win32/bound_call.h"
#include "win32/wide.h"

namespace vorlane::win32 {
namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr COLORREF kBackground = RGB(255, 255, 225);
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 4;
constexpr int kBorder = 1;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;

HFONT createBalloonFont() {
    const HDC screen = VORLANE_CALL(user32, GetDC)(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    VORLANE_CALL(user32, ReleaseDC)(nullptr, screen);
    return CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Microsoft YaHei");
}

// "\r" produces nothing in a balloon; DrawText would break the line at it.
std::wstring layoutOf(const std::string& text) {
    std::wstring wide = widen(text);
    std::erase(wide, L'\r');
    return wide;
}

// The balloon stays on the monitor of its anchor, inside the work area.
POINT keptOnScreen(Point anchor, SIZE size) {
    const POINT point{anchor.x, anchor.y};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const LONG x = std::max(area.left, std::min(point.x, area.right - size.cx));
    const LONG y = std::max(area.top, std::min(point.y, area.bottom - size.cy));
    return POINT{x, y};
}

}  // namespace

void BalloonWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_SAVEBITS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kBalloonClass;
    RegisterClassExW(&windowClass);
}

BalloonWindow::BalloonWindow(HINSTANCE instance)
    : font_(createBalloonFont()), background_(CreateSolidBrush(kBackground)) {
    window_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBalloonClass, L"",
                                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this));
}

void BalloonWindow::show(Point anchor, const std::string& text, unsigned displayMs) {
    if (!window_) return;
    const HWND window = window_.get();
    layout_ = layoutOf(text);
    // The window text is the text as given, for anyone who reads it with WM_GETTEXT.
    SetWindowTextW(window, widen(text).c_str());
    const SIZE size = measure();
    const POINT at = keptOnScreen(anchor, size);
    SetWindowPos(window, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    VORLANE_CALL(user32, ShowWindow)(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    VORLANE_CALL(user32, SetTimer)(window, kHideTimer, displayMs, nullptr);
}

void BalloonWindow::hide() {
    if (!window_) return;
    VORLANE_CALL(user32, KillTimer)(window_.get(), kHideTimer);
    VORLANE_CALL(user32, ShowWindow)(window_.get(), SW_HIDE);
}

SIZE BalloonWindow::measure() const {
    const HDC dc = VORLANE_CALL(user32, GetDC)(window_.get());
    const HGDIOBJ previous = VORLANE_CALL(gdi32, SelectObject)(dc, font_.get());
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, layout_.c_str(), -1, &text, kTextFormat | DT_CALCRECT);
    VORLANE_CALL(gdi32, SelectObject)(dc, previous);
    VORLANE_CALL(user32, ReleaseDC)(window_.get(), dc);
    return SIZE{text.right + 2 * (kPaddingX + kBorder), text.bottom + 2 * (kPaddingY + kBorder)};
}

void BalloonWindow::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_.get(), &ps);
    RECT area;
    GetClientRect(window_.get(), &area);
    FillRect(dc, &area, background_.get());
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    InflateRect(&area, -(kPaddingX + kBorder), -(kPaddingY + kBorder));
    const HGDIOBJ previous = VORLANE_CALL(gdi32, SelectObject)(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, layout_.c_str(), -1, &area, kTextFormat);
    VORLANE_CALL(gdi32, SelectObject)(dc, previous);
    EndPaint(window_.get(), &ps);
}

LRESULT CALLBACK BalloonWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        VORLANE_CALL(user32, SetWindowLongPtrW)
        (window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self =
        reinterpret_cast<BalloonWindow*>(VORLANE_CALL(user32, GetWindowLongPtrW)(window, GWLP_USERDATA));
    if (self == nullptr || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT BalloonWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_.get();
    switch (message) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST:
            // The pointer passes through: a balloon under the pointer must not
            // take a hover away from the label beneath it.
            return HTTRANSPARENT;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paint(); return 0;
        case WM_TIMER:
            if (wParam == kHideTimer) hide();
            return 0;
        case WM_NCDESTROY: VORLANE_CALL(user32, SetWindowLongPtrW)(window, GWLP_USERDATA, 0); break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vorlane::win32
