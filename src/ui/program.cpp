// Start-up, shut-down and the main window's event table.
#include "ui/program.h"

#include "engine/text_rules.h"

namespace vorlane {

Program::Program(const Ports& ports, GammaRamp& savedRamp)
    : ports_(ports),
      savedRamp_(savedRamp),
      timer_(ports.window),
      menuBar_(ports.menus, MenuBar::mainDefinition()) {}

Program::~Program() { dropMarkBitmap(); }

bool Program::onCreate() {
    if (!guardSingleInstance()) return false;
    ports_.window.subclass();
    keyboardHook_ = ports_.hook.install();
    ports_.window.attachHint(Balloon::气球提示框2, Control::标签1, "持续亮屏多久提醒一次.", 300, 3000);
    ports_.window.attachHint(Balloon::气球提示框3, Control::标签2, "多久时间内无操作计时重置.", 300, 3000);
    loadSettings();
    showAutostartState();
    state_.elapsedSeconds = 0;
    reloadSleepDelay();
    state_.countdownActive = 0;
    timer_.setPeriod(1000);
    return true;
}

void Program::onDestroy() {
    // From here on a rest prompt that is still running must not darken the
    // screen or suspend: the user has asked to quit.
    destroying_ = true;
    ports_.kernel.releaseMutex(instanceMutex_);
    ports_.hook.remove(keyboardHook_);
    keyboardHook_ = 0;
    restoreDisplay();
    removeTrayIcon();
}

void Program::onCommand(unsigned id) {
    switch (id) {
        case kMonitorOff: onMonitorOffCommand(); break;
        case kSleepNoDim: onSleepNoDimCommand(); break;
        case kSleepNow: onSleepNowCommand(); break;
        case kAutostart: onAutostartCommand(); break;
        default: break;
    }
}

void Program::onClicked(Control control) {
    switch (control) {
        case Control::按钮1: onPauseClicked(); break;
        case Control::按钮2: onResetClicked(); break;
        case Control::选择框3: onSleepDelayToggled(); break;
        default: break;
    }
}

void Program::onTextChanged(Control control) {
    if (control == Control::编辑框1) onWorkBoxChanged();
    if (control == Control::编辑框2) onIdleBoxChanged();
}

}  // namespace vorlane
