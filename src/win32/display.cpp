#include "win32/display.h"

#include <powrprof.h>

#include "win32/bound_call.h"

namespace vorlane::win32 {
namespace {

// What the unhandled-exception filter needs; it runs with no context of its own.
struct CrashRestore {
    HDC dc = nullptr;
    const GammaRamp* ramp = nullptr;
    std::vector<HWND> covers;
    bool filterInstalled = false;
};

CrashRestore& crashRestore() {
    static CrashRestore state;
    return state;
}

LONG WINAPI restoreOnCrash(EXCEPTION_POINTERS*) {
    CrashRestore& state = crashRestore();
    if (state.dc == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    // The process is about to die: a dark display would outlive it.
    if (state.ramp != nullptr)
        VORLANE_CALL(gdi32, SetDeviceGammaRamp)(state.dc, const_cast<GammaRamp*>(state.ramp)->data());
    for (HWND cover : state.covers) VORLANE_CALL(user32, ShowWindow)(cover, SW_HIDE);
    return EXCEPTION_CONTINUE_SEARCH;
}

LRESULT CALLBACK coverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A cover never takes the activation or the focus from anyone.
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(window, message, wParam, lParam);
}

HDC toDC(Handle dc) { return reinterpret_cast<HDC>(dc); }

}  // namespace

Display::~Display() { hideCovers(); }

Handle Display::desktopDC() {
    const HWND desktop = VORLANE_CALL(user32, GetDesktopWindow)();
    return reinterpret_cast<Handle>(VORLANE_CALL(user32, GetDC)(desktop));
}

void Display::releaseDesktopDC(Handle dc) {
    VORLANE_CALL(user32, ReleaseDC)(VORLANE_CALL(user32, GetDesktopWindow)(), toDC(dc));
}

bool Display::getGammaRamp(Handle dc, GammaRamp& ramp) {
    return VORLANE_CALL(gdi32, GetDeviceGammaRamp)(toDC(dc), ramp.data()) != FALSE;
}

bool Display::setGammaRamp(Handle dc, const GammaRamp& ramp) {
    // The call only reads the ramp; its declaration takes a plain pointer.
    auto* values = const_cast<std::uint16_t*>(ramp.data());
    return VORLANE_CALL(gdi32, SetDeviceGammaRamp)(toDC(dc), values) != FALSE;
}

bool Display::setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) {
    return VORLANE_CALL(Powrprof, SetSuspendState)(hibernate, force, wakeupEventsDisabled) != FALSE;
}

void Display::registerCoverClass() {
    if (coverClassRegistered_) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = coverProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCoverClass;
    coverClassRegistered_ = RegisterClassExW(&windowClass) != 0;
}

BOOL CALLBACK Display::addCover(HMONITOR, HDC, LPRECT area, LPARAM self) {
    auto& display = *reinterpret_cast<Display*>(self);
    const HWND cover =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, L"", WS_POPUP,
                        area->left, area->top, area->right - area->left, area->bottom - area->top, nullptr,
                        nullptr, display.instance_, nullptr);
    if (cover == nullptr) return TRUE;
    display.covers_.emplace_back(cover);
    crashRestore().covers.push_back(cover);
    VORLANE_CALL(user32, ShowWindow)(cover, SW_SHOWNOACTIVATE);
    return TRUE;
}

void Display::showCovers() {
    if (!covers_.empty()) return;
    registerCoverClass();
    EnumDisplayMonitors(nullptr, nullptr, addCover, reinterpret_cast<LPARAM>(this));
}

void Display::hideCovers() {
    crashRestore().covers.clear();
    covers_.clear();
}

void Display::armCrashRestore(Handle dc, const GammaRamp* ramp) {
    CrashRestore& state = crashRestore();
    state.dc = toDC(dc);
    state.ramp = dc != 0 ? ramp : nullptr;
    if (dc != 0 && !state.filterInstalled) {
        SetUnhandledExceptionFilter(restoreOnCrash);
        state.filterInstalled = true;
    }
}

}  // namespace vorlane::win32
