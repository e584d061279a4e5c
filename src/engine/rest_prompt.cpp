// What happens when the working time is reached: the warning dialog, or the
// countdown balloon that the K key cancels.
#include "engine/text_rules.h"
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr unsigned kCountdownDisplayMs = 5000;
constexpr int kIdCancel = 2;

}  // namespace

bool Program::waitProcessingMessages(std::int32_t milliseconds) {
    if (milliseconds <= 0) return true;
    const auto wanted = static_cast<std::uint32_t>(milliseconds);
    const std::uint32_t start = ports_.input.tickCount();
    for (;;) {
        // A WM_QUIT stays queued for the message loop; the wait gives up.
        if (ports_.messages.dispatchPending() || destroying_) return false;
        // Elapsed time as an unsigned difference survives the tick-count wrap.
        const std::uint32_t elapsed = ports_.input.tickCount() - start;
        if (elapsed >= wanted) return true;
        ports_.messages.waitForMessage(wanted - elapsed);
    }
}

void Program::restPrompt() {
    if (ports_.window.checked(Control::选择框3)) {
        state_.countdownActive = 1;
        while (state_.sleepDelaySeconds > 0 && (state_.countdownActive & 1) != 0) {
            const Point pointer = ports_.input.cursorPos();
            const std::string text = "已长时间工作,还不休息吗?铁子!!!\r\n将在" +
                                     decimal(state_.sleepDelaySeconds) +
                                     "秒之后自动休眠,可以按K键取消.";
            ports_.window.hideBalloon(Balloon::气球提示框1);
            ports_.window.showBalloon(Balloon::气球提示框1, pointer, text, kCountdownDisplayMs);
            const int step = truncToInt(kCountdownDisplayMs / 1000.0);
            bool carryOn = true;
            if (state_.sleepDelaySeconds < step) {
                carryOn = waitProcessingMessages(state_.sleepDelaySeconds * 1000);
                state_.sleepDelaySeconds = 0;
            } else {
                state_.sleepDelaySeconds -= step;
                carryOn = waitProcessingMessages(static_cast<std::int32_t>(kCountdownDisplayMs));
            }
            if (!carryOn) break;
        }
        reloadSleepDelay();
        // Once the window is being destroyed the user has asked to quit:
        // darkening now would leave nothing to bring the picture back.
        if (state_.countdownActive != 0 && !destroying_) enterSleep();
        return;
    }

    // MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL; a failed box counts as OK.
    const int answer = ports_.dialogs.messageBox("已长时间工作,还不休息吗?铁子!!!", "警告", 0x2031);
    if (!destroying_) {
        if (answer == kIdCancel) {
            startCounting();
        } else {
            enterSleep();
        }
    }
    state_.countdownActive = 0;
}

}  // namespace vorlane
