#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/program.h"
#include "win32/bound_call.h"
#include "win32/integer_edit.h"
#include "win32/program_link.h"
#include "win32/wide.h"

namespace vorlane::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"Vorlane";
constexpr int kWindowWidth = 630;
constexpr int kWindowHeight = 150;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kTickTimer = 1;
// Posted by the program's own destruction request, carried out by the loop.
constexpr UINT kDestroyRequest = WM_APP + 1;
// Clear of IDOK/IDCANCEL and of the menu command ids.
constexpr int kFirstControlId = 1000;
constexpr int kHintOffsetY = 20;  // the hint shows below the pointer, not under it
constexpr UINT_PTR kHintSubclassId = 2;

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_CENTER | ES_AUTOHSCROLL;
// SS_NOTIFY: a label takes the mouse, so its hover hint can track it.
constexpr DWORD kLabel = SS_RIGHT | SS_CENTERIMAGE | SS_NOTIFY;

struct ControlSpec {
    Control control;
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
};

// In the window's stored order, which is also the tab order.
constexpr ControlSpec kControlSpecs[] = {
    {Control::按钮2, L"BUTTON", L"重置", kButton, 520, 17, 72, 64},
    {Control::按钮1, L"BUTTON", L"暂停", kButton, 431, 17, 72, 64},
    {Control::选择框3, L"BUTTON", L"休眠延迟", kCheckBox, 297, 65, 90, 15},
    {Control::选择框2, L"BUTTON", L"修改时间计时清零", kCheckBox, 297, 42, 128, 15},
    {Control::选择框1, L"BUTTON", L"关闭到托盘", kCheckBox, 297, 19, 90, 15},
    {Control::编辑框2, L"EDIT", L"10", kEdit, 152, 56, 120, 32},
    {Control::编辑框1, L"EDIT", L"90", kEdit, 152, 11, 120, 32},
    {Control::标签2, L"STATIC", L"未操作检测时长(分)", kLabel, 31, 59, 110, 25},
    {Control::标签1, L"STATIC", L"工作时长(分)", kLabel, 31, 14, 110, 25},
};

bool isEditBox(Control c) { return c == Control::编辑框1 || c == Control::编辑框2; }

bool raisesClick(Control c) { return c == Control::按钮1 || c == Control::按钮2 || c == Control::选择框3; }

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return narrow(text);
}

HICON loadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         VORLANE_CALL(user32, GetSystemMetrics)(widthMetric),
                                         VORLANE_CALL(user32, GetSystemMetrics)(heightMetric), 0));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
    // Normally gone already: its destruction ends the message loop.
    if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::create() {
    bigIcon_.reset(loadProgramIcon(instance_, SM_CXICON, SM_CYICON));
    smallIcon_.reset(loadProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0) return false;
    BalloonWindow::registerClass(instance_);

    const int x = (VORLANE_CALL(user32, GetSystemMetrics)(SM_CXSCREEN) - kWindowWidth) / 2;
    const int y = (VORLANE_CALL(user32, GetSystemMetrics)(SM_CYSCREEN) - kWindowHeight) / 2;
    const HWND created = CreateWindowExW(0, kWindowClass, L"Vorlane", kWindowStyle, x, y, kWindowWidth,
                                         kWindowHeight, nullptr, nullptr, instance_, this);
    return created != nullptr;
}

bool MainWindow::ownsWindow(HWND window) const {
    return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

void MainWindow::process(MSG& message) {
    // Esc closes the window from any of its controls, an edit box included,
    // so it is taken before the dialog navigation sees it.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && ownsWindow(message.hwnd)) {
        VORLANE_CALL(user32, SendMessageW)(window_, WM_CLOSE, 0, 0);
        return;
    }
    if (window_ != nullptr && IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MainWindow::createControls() {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControlSpecs) {
        const auto index = static_cast<std::size_t>(spec.control);
        const auto id = static_cast<INT_PTR>(kFirstControlId + static_cast<int>(index));
        const HWND child = CreateWindowExW(0, spec.windowClass, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
                                           spec.x, spec.y, spec.width, spec.height, window_,
                                           reinterpret_cast<HMENU>(id), instance_, nullptr);
        VORLANE_CALL(user32, SendMessageW)(child, WM_SETFONT, font, FALSE);
        if (isEditBox(spec.control)) acceptOnlyIntegerTyping(child);
        controls_[index] = child;
    }
    lastFocus_ = control(Control::编辑框1);
}

LRESULT MainWindow::onCreateMessage() {
    createControls();
    for (auto& b : balloons_) b = std::make_unique<BalloonWindow>(instance_);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    Program* const program = runningProgram();
    if (program == nullptr) return 0;
    program->menuBar().build();
    eventsEnabled_ = true;
    return program->onCreate() ? 0 : -1;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        VORLANE_CALL(user32, SetWindowLongPtrW)(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self =
        reinterpret_cast<MainWindow*>(VORLANE_CALL(user32, GetWindowLongPtrW)(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self =
        reinterpret_cast<MainWindow*>(VORLANE_CALL(user32, GetWindowLongPtrW)(window, GWLP_USERDATA));
    Program* const program = runningProgram();
    if (program != nullptr && program->filterMessage(message, wParam, lParam)) return -1;
    const WNDPROC previous = self != nullptr ? self->previousWndProc_ : nullptr;
    if (previous == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return VORLANE_CALL(user32, CallWindowProcW)(previous, window, message, wParam, lParam);
}

void MainWindow::subclass() {
    const LONG_PTR previous = VORLANE_CALL(user32, SetWindowLongPtrW)(
        window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&trayWindowProc));
    previousWndProc_ = reinterpret_cast<WNDPROC>(previous);
}

LRESULT MainWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Program* const program = runningProgram();
    if (program != nullptr && eventsEnabled_) {
        if (message == kTrayCallbackMessage) {
            program->onTrayMessage(LOWORD(lParam));
            return 0;
        }
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            program->onTaskbarCreated();
            return 0;
        }
    }
    switch (message) {
        case WM_CREATE: return onCreateMessage();
        case WM_COMMAND:
            if (lParam != 0) {
                onControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            } else if (HIWORD(wParam) == 0 && program != nullptr && eventsEnabled_) {
                program->onCommand(LOWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTickTimer && program != nullptr) program->onTick();
            return 0;
        case WM_CLOSE:
            if (program == nullptr || program->onCloseRequested()) DestroyWindow(window);
            return 0;
        case kDestroyRequest: DestroyWindow(window); return 0;
        case WM_QUERYENDSESSION: return program == nullptr || program->onQueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (program != nullptr) program->onEndSession(wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window, focus)) lastFocus_ = focus;
            }
            break;
        case WM_SETFOCUS:
            if (lastFocus_ != nullptr && IsWindowEnabled(lastFocus_)) SetFocus(lastFocus_);
            return 0;
        case WM_DESTROY:
            if (program != nullptr) program->onDestroy();
            eventsEnabled_ = false;
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            controls_.fill(nullptr);
            lastFocus_ = nullptr;
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::onControlCommand(HWND child, unsigned notification) {
    Program* const program = runningProgram();
    if (program == nullptr || !eventsEnabled_) return;
    const auto found = std::find(controls_.begin(), controls_.end(), child);
    if (found == controls_.end()) return;
    const auto c = static_cast<Control>(found - controls_.begin());
    if (isEditBox(c) && notification == EN_CHANGE) program->onTextChanged(c);
    if (raisesClick(c) && notification == BN_CLICKED) program->onClicked(c);
}

std::string MainWindow::text(Control c) { return windowText(control(c)); }

void MainWindow::setText(Control c, const std::string& text) {
    // An edit box answers the write with one EN_CHANGE, sent inside the call
    // and also when the text is unchanged; that is the box's change event.
    SetWindowTextW(control(c), widen(text).c_str());
}

bool MainWindow::checked(Control c) { return SendMessageW(control(c), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::setChecked(Control c, bool on) {
    // BM_SETCHECK raises no BN_CLICKED.
    VORLANE_CALL(user32, SendMessageW)(control(c), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string MainWindow::caption() { return windowText(window_); }

void MainWindow::setCaption(const std::string& text) { SetWindowTextW(window_, widen(text).c_str()); }

bool MainWindow::visible() { return window_ != nullptr && VORLANE_CALL(user32, IsWindowVisible)(window_); }

void MainWindow::show(WindowShow how) {
    int command = SW_SHOW;
    switch (how) {
        case WindowShow::Show: command = SW_SHOW; break;
        case WindowShow::Hide: command = SW_HIDE; break;
        case WindowShow::Minimize: command = SW_MINIMIZE; break;
        case WindowShow::Restore: command = SW_SHOWNORMAL; break;
    }
    // Minimising or restoring a hidden window would show it.
    const bool needsVisible = how == WindowShow::Minimize || how == WindowShow::Restore;
    if (needsVisible && !visible()) return;
    VORLANE_CALL(user32, ShowWindow)(window_, command);
}

void MainWindow::setTimer(unsigned milliseconds) {
    VORLANE_CALL(user32, SetTimer)(window_, kTickTimer, milliseconds, nullptr);
}

void MainWindow::killTimer() { VORLANE_CALL(user32, KillTimer)(window_, kTickTimer); }

void MainWindow::postDestroy() { PostMessageW(window_, kDestroyRequest, 0, 0); }

void MainWindow::sendSysCommand(std::uintptr_t command, std::intptr_t parameter) {
    VORLANE_CALL(user32, SendMessageW)(window_, WM_SYSCOMMAND, command, parameter);
}

void MainWindow::attachHint(Balloon b, Control label, const std::string& text, unsigned delay,
                            unsigned display) {
    Hint& hint = hints_[static_cast<std::size_t>(b)];
    hint = Hint{&balloon(b), text, delay, display, false};
    SetWindowSubclass(control(label), hintLabelProc, kHintSubclassId, reinterpret_cast<DWORD_PTR>(&hint));
}

LRESULT CALLBACK MainWindow::hintLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    auto& hint = *reinterpret_cast<Hint*>(data);
    switch (message) {
        case WM_MOUSEMOVE:
            if (!hint.tracking) {
                TRACKMOUSEEVENT track{};
                track.cbSize = sizeof(track);
                track.dwFlags = TME_HOVER | TME_LEAVE;
                track.hwndTrack = label;
                track.dwHoverTime = hint.delay;
                hint.tracking = TrackMouseEvent(&track) != FALSE;
            }
            break;
        case WM_MOUSEHOVER: {
            POINT pointer{};
            VORLANE_CALL(user32, GetCursorPos)(&pointer);
            hint.balloon->show(Point{pointer.x, pointer.y + kHintOffsetY}, hint.text, hint.display);
            break;
        }
        case WM_MOUSELEAVE:
            hint.tracking = false;
            hint.balloon->hide();
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(label, hintLabelProc, kHintSubclassId); break;
        default: break;
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

void MainWindow::showBalloon(Balloon b, Point anchor, const std::string& text, unsigned display) {
    balloon(b).show(anchor, text, display);
}

void MainWindow::hideBalloon(Balloon b) { balloon(b).hide(); }

}  // namespace vorlane::win32
