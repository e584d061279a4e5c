// The main window: its controls, its timer, its balloons and hover hints, and
// the translation of its messages into the program's events.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "seam/ports.h"
#include "win32/balloon.h"
#include "win32/handles.h"

namespace vorlane::win32 {

class MainWindow final : public WindowPort {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Registers the classes and creates the window, centred and hidden; its
    // creation handler starts the running program. False when it failed or
    // the program refused to start.
    bool create();
    HWND window() const { return window_; }
    HINSTANCE instance() const { return instance_; }

    // One message of the main loop or of a nested wait: Esc closes the main
    // window, Tab moves between its controls, the rest is dispatched.
    void process(MSG& message);

    // WindowPort
    Handle handle() override { return reinterpret_cast<Handle>(window_); }
    void subclass() override;
    std::string text(Control) override;
    void setText(Control, const std::string&) override;
    bool checked(Control) override;
    void setChecked(Control, bool) override;
    std::string caption() override;
    void setCaption(const std::string&) override;
    bool visible() override;
    void show(WindowShow) override;
    void setTimer(unsigned milliseconds) override;
    void killTimer() override;
    void postDestroy() override;
    void sendSysCommand(std::uintptr_t command, std::intptr_t parameter) override;
    void attachHint(Balloon, Control label, const std::string& text, unsigned delay,
                    unsigned display) override;
    void showBalloon(Balloon, Point anchor, const std::string& text, unsigned display) override;
    void hideBalloon(Balloon) override;

private:
    static constexpr std::size_t kControlCount = 9;
    static constexpr std::size_t kBalloonCount = 3;

    // A label's hover hint: the label is tracked while the pointer is on it.
    struct Hint {
        BalloonWindow* balloon = nullptr;
        std::string text;
        unsigned delay = 0;
        unsigned display = 0;
        bool tracking = false;
    };

    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK trayWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK hintLabelProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT onMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onCreateMessage();
    void onControlCommand(HWND control, unsigned notification);
    void createControls();
    HWND control(Control c) const { return controls_[static_cast<std::size_t>(c)]; }
    BalloonWindow& balloon(Balloon b) { return *balloons_[static_cast<std::size_t>(b)]; }
    bool ownsWindow(HWND) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;  // destroyed by its own close, or by the destructor
    WNDPROC previousWndProc_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    HWND lastFocus_ = nullptr;    // the control that gets the focus back on activation
    bool eventsEnabled_ = false;  // held back while the window is being built
    UINT taskbarCreated_ = 0;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    std::array<std::unique_ptr<BalloonWindow>, kBalloonCount> balloons_;
    std::array<Hint, kBalloonCount> hints_;
};

}  // namespace vorlane::win32
