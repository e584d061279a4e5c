// The gamma ramp, the suspend request and the black cover windows, and the
// crash guard that gives the picture back if the program dies while dark.
#pragma once

#include <windows.h>

#include <vector>

#include "seam/ports.h"
#include "win32/handles.h"

namespace vorlane::win32 {

inline constexpr wchar_t kCoverClass[] = L"VorlaneCover";

class Display final : public DisplayPort {
public:
    explicit Display(HINSTANCE instance) : instance_(instance) {}
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    ~Display() override;

    Handle desktopDC() override;
    void releaseDesktopDC(Handle dc) override;
    bool getGammaRamp(Handle dc, GammaRamp& ramp) override;
    bool setGammaRamp(Handle dc, const GammaRamp& ramp) override;
    bool setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override;
    void showCovers() override;
    void hideCovers() override;
    void armCrashRestore(Handle dc, const GammaRamp* ramp) override;

private:
    static BOOL CALLBACK addCover(HMONITOR, HDC, LPRECT, LPARAM);
    void registerCoverClass();

    HINSTANCE instance_;
    bool coverClassRegistered_ = false;
    std::vector<OwnedWindow> covers_;
};

}  // namespace vorlane::win32
