// A balloon: a small pale-yellow tip window that is never activated, shown
// with its top-left corner at a screen point and hidden by its own timer.
#pragma once

#include <windows.h>

#include <string>

#include "seam/ports.h"
#include "win32/handles.h"

namespace vorlane::win32 {

inline constexpr wchar_t kBalloonClass[] = L"VorlaneBalloon";

class BalloonWindow {
public:
    static void registerClass(HINSTANCE instance);

    explicit BalloonWindow(HINSTANCE instance);
    BalloonWindow(const BalloonWindow&) = delete;
    BalloonWindow& operator=(const BalloonWindow&) = delete;

    // Shows `text` at once, breaking lines at "\n", and hides it again after
    // `displayMs` milliseconds.
    void show(Point anchor, const std::string& text, unsigned displayMs);
    void hide();

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT onMessage(UINT, WPARAM, LPARAM);
    void paint();
    SIZE measure() const;

    OwnedWindow window_;
    OwnedFont font_;
    OwnedBrush background_;
    std::wstring layout_;  // the shown text as drawn: line breaks at "\n" only
};

}  // namespace vorlane::win32
