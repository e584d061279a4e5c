// Blacking the screen out before a sleep, bringing it back, and the three
// screen and power commands.
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr std::uintptr_t kScMonitorPower = 0xF170;
constexpr std::intptr_t kPowerOff = 2;

}  // namespace

void Program::enterSleep() {
    const GammaRamp zero{};
    if (darkenedDC_ == 0) {
        // Saved only on the first darkening: a second one would save black.
        darkenedDC_ = ports_.display.desktopDC();
        // Without a saved ramp there would be nothing to write back, so the
        // ramp is only touched when it could be read.
        rampSaved_ = ports_.display.getGammaRamp(darkenedDC_, savedRamp_);
        if (rampSaved_) ports_.display.setGammaRamp(darkenedDC_, zero);
        // The display may refuse a flat ramp and still report success; only
        // reading it back tells. Then black windows do the darkening.
        GammaRamp now{};
        const bool dark = rampSaved_ && ports_.display.getGammaRamp(darkenedDC_, now) && now == zero;
        if (!dark) {
            ports_.display.showCovers();
            covered_ = true;
        }
        ports_.display.armCrashRestore(darkenedDC_, rampSaved_ ? &savedRamp_ : nullptr);
    }
    suspend();
}

void Program::suspend() {
    ports_.display.setSuspendState(false, false, true);
    // The system drops a low-level hook whose thread stops answering, and
    // this thread was blocked in the suspend request; without the hook no
    // key could bring the picture back.
    if (keyboardHook_ != 0 && !destroying_) {
        ports_.hook.remove(keyboardHook_);
        keyboardHook_ = ports_.hook.install();
    }
}

void Program::restoreDisplay() {
    if (darkenedDC_ == 0) return;
    if (rampSaved_) ports_.display.setGammaRamp(darkenedDC_, savedRamp_);
    if (covered_) {
        ports_.display.hideCovers();
        covered_ = false;
    }
    ports_.display.armCrashRestore(0, nullptr);
    ports_.display.releaseDesktopDC(darkenedDC_);
    darkenedDC_ = 0;
}

void Program::onMonitorOffCommand() { ports_.window.sendSysCommand(kScMonitorPower, kPowerOff); }

bool Program::pauseForSleepCommand() {
    if (isAboutToSleep()) {
        refuseWhileAboutToSleep();
        return false;
    }
    // A counting state is paused first, so that after waking the user
    // resumes by hand.
    if (pauseCaptionIsPause()) {
        ports_.window.setText(Control::按钮1, "开始");
        timer_.setPeriod(0);
    }
    return true;
}

void Program::onSleepNowCommand() {
    if (pauseForSleepCommand()) enterSleep();
}

void Program::onSleepNoDimCommand() {
    if (pauseForSleepCommand()) suspend();
}

}  // namespace vorlane
