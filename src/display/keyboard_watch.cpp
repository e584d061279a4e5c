// The system-wide keyboard watch: the first key after a darkening brings the
// picture back, and K cancels the sleep countdown. It never swallows a key.
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr std::uint32_t kVkK = 0x4B;

}  // namespace

std::intptr_t Program::onKeyboardEvent(int code, std::uintptr_t wParam, std::intptr_t lParam,
                                       std::uint32_t vkCode) {
    if (darkenedDC_ != 0) {
        restoreDisplay();
        if (state_.elapsedSeconds == 0 && pauseCaptionIsPause()) timer_.setPeriod(1000);
    }
    if (state_.countdownActive == 1 && vkCode == kVkK && state_.elapsedSeconds == 0 &&
        pauseCaptionIsPause()) {
        state_.countdownActive = 0;
        timer_.setPeriod(1000);
    }
    return ports_.hook.callNext(keyboardHook_, code, wParam, lParam);
}

}  // namespace vorlane
