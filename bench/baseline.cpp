// The yardstick for the benchmark: the least a window that shows a count in its caption can cost. It has
// the main window's size and frame and rewrites its caption on a one-second timer, and does nothing else,
// so any CPU, memory or start-up time that Vorlane spends beyond it is Vorlane's own.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"VorlaneBaseline";
constexpr UINT_PTR kTickTimer = 1;
constexpr int kWidth = 630;
constexpr int kHeight = 150;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

unsigned ticks = 0;

void showCount(HWND window) {
    SetWindowTextW(window, (L"baseline " + std::to_wstring(ticks)).c_str());
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam != kTickTimer) break;
            ++ticks;
            showCount(window);
            return 0;
        case WM_DESTROY:
            KillTimer(window, kTickTimer);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) return 1;

    // The bottom right corner of the work area: Vorlane sits in the middle of the screen and the injected
    // pointer moves stay in the top left corner, so neither window covers the other or gets the pointer.
    RECT workArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const HWND window = CreateWindowExW(0, kClassName, L"baseline 0", kStyle, workArea.right - kWidth - 10,
                                        workArea.bottom - kHeight - 10, kWidth, kHeight, nullptr, nullptr,
                                        instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    SetTimer(window, kTickTimer, 1000, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
