// The one-second tick, the pause and reset buttons, and the status text.
#include "engine/status_text.h"
#include "engine/text_rules.h"
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr double kTolerance = -0.0000001;
const std::string kTraySuffix = "\r\n(双击显示面板)";

}  // namespace

void TickTimer::setPeriod(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    // Rewriting the same period keeps a running timer's phase.
    if (milliseconds == period_) return;
    if (period_ > 0) window_.killTimer();
    period_ = milliseconds;
    if (period_ > 0) window_.setTimer(static_cast<unsigned>(period_));
}

std::string Program::formatStatus(const std::string& prefix, const std::string& suffix) {
    return statusText(prefix, ports_.window.text(Control::编辑框1), state_.elapsedSeconds, suffix);
}

void Program::showProgress(const std::string& statusCaption, const std::string& statusTip) {
    if (ports_.window.visible()) {
        ports_.window.setCaption(statusCaption);
    } else {
        setTrayIcon(statusTip);
    }
}

void Program::onTick() {
    state_.elapsedSeconds = truncToInt(state_.elapsedSeconds + timer_.period() / 1000.0);
    if (ports_.window.visible()) {
        ports_.window.setCaption(formatStatus("", ""));
    } else {
        setTrayIcon(formatStatus("", kTraySuffix));
    }

    // The idle check runs before the working-time check, so a tick that meets
    // both only resets. The unsigned difference stays right across the wrap
    // of the 32-bit tick count.
    const std::uint32_t idleMs = ports_.input.tickCount() - ports_.input.lastInputTick();
    const int idleSeconds = floorRule(idleMs / 1000.0);
    if (idleSeconds - idleMinutes() * 60.0 >= kTolerance) state_.elapsedSeconds = 0;

    if (state_.elapsedSeconds - workMinutes() * 60.0 >= kTolerance) {
        timer_.setPeriod(0);
        state_.elapsedSeconds = 0;
        showProgress("Vorlane", "Vorlane" + kTraySuffix);
        restPrompt();
    }
}

bool Program::pauseCaptionIsPause() { return ports_.window.text(Control::按钮1) == "暂停"; }

bool Program::isAboutToSleep() {
    return timer_.period() == 0 && state_.elapsedSeconds == 0 && pauseCaptionIsPause();
}

void Program::refuseWhileAboutToSleep() {
    // MB_OK | MB_ICONERROR | MB_TASKMODAL
    ports_.dialogs.messageBox("已将要进入休眠,请稍候再试.", "错误", 0x2010);
}

void Program::onPauseClicked() {
    if (isAboutToSleep()) {
        refuseWhileAboutToSleep();
        return;
    }
    if (pauseCaptionIsPause()) {
        ports_.window.setText(Control::按钮1, "开始");
        timer_.setPeriod(0);
    } else {
        ports_.window.setText(Control::按钮1, "暂停");
        timer_.setPeriod(1000);
    }
}

void Program::onResetClicked() { state_.elapsedSeconds = 0; }

void Program::startCounting() { timer_.setPeriod(1000); }

}  // namespace vorlane
