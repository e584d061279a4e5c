// Life in the notification area: hiding to the tray, the tray icon and its
// menu, and the close question.
#include "desktop/desktop_text.h"
#include "desktop/popup_menu.h"
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr unsigned kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScMinimize = 0xF020;
const std::string kTraySuffix = "\r\n(双击显示面板)";

}  // namespace

bool Program::filterMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    // A minimise given with the mouse carries the pointer position in lParam;
    // one from the keyboard has 0 and minimises to the taskbar as usual.
    // Only WM_SYSCOMMAND counts: other messages can carry 0xF020 as wParam
    // (a window handle in WM_SETCURSOR, say), and must not hide the window.
    if (message == kWmSysCommand && wParam == kScMinimize && lParam != 0) {
        hideToTray();
        return true;
    }
    return false;
}

void Program::setTrayIcon(const std::string& tip) {
    const Handle icon = ports_.tray.smallWindowIcon();
    trayTip_ = trayTip(tip);
    const auto op = trayIcon_ == 0 ? TrayPort::Op::Add : TrayPort::Op::Modify;
    ports_.tray.notify(op, kTrayIconId, kTrayCallbackMessage, icon, trayTip_);
    if (trayIcon_ != 0) ports_.tray.destroyIcon(trayIcon_);
    trayIcon_ = icon;
}

void Program::removeTrayIcon() {
    if (trayIcon_ == 0) return;
    ports_.tray.notify(TrayPort::Op::Delete, kTrayIconId, kTrayCallbackMessage, 0, "");
    ports_.tray.destroyIcon(trayIcon_);
    trayIcon_ = 0;
}

void Program::onTaskbarCreated() {
    // The notification area restarted and lost the icon: add it again.
    if (trayIcon_ == 0) return;
    ports_.tray.notify(TrayPort::Op::Add, kTrayIconId, kTrayCallbackMessage, trayIcon_, trayTip_);
}

void Program::hideToTray() {
    ports_.window.show(WindowShow::Minimize);
    ports_.window.show(WindowShow::Hide);
    const bool halted = timer_.period() == 0 && state_.elapsedSeconds == 0;
    setTrayIcon(halted ? "Vorlane" + kTraySuffix : formatStatus("", kTraySuffix));
}

void Program::showPanel() {
    ports_.window.show(WindowShow::Show);
    ports_.window.show(WindowShow::Restore);
    removeTrayIcon();
    const bool halted = timer_.period() == 0 && state_.elapsedSeconds == 0;
    ports_.window.setCaption(halted ? "Vorlane" : formatStatus("", ""));
}

bool Program::onCloseRequested() {
    if (ports_.window.checked(Control::选择框1)) {
        hideToTray();
        return false;
    }
    return true;
}

void Program::onTrayMessage(std::intptr_t mouseMessage) {
    const int kind = trayKind(static_cast<unsigned>(mouseMessage));
    if (kind != 0) onTrayEvent(kind);
}

void Program::onTrayEvent(int kind) {
    if (kind == 2) {
        showPanel();
    } else if (kind == 3) {
        PopupMenu menu(ports_.menus, ports_.input);
        menu.addItems({"显示面板", "-", "退出"});
        menu.popup(0, false, 0, false, ports_.window.handle(), true);
        menu.destroyMenu();
        // "退出" does not ask the close question: it quits even while
        // "关闭到托盘" is checked.
        if (menu.chosenIdOf() == 1) {
            showPanel();
        } else if (menu.chosenIdOf() == 3) {
            ports_.window.postDestroy();
        }
    }
}

bool Program::onQueryEndSession() {
    // Hiding to the tray is for the close box, Alt+F4 and Esc; the end of the
    // session is never refused.
    return true;
}

void Program::onEndSession(bool ending) {
    if (!ending) return;
    restoreDisplay();
    removeTrayIcon();
}

}  // namespace vorlane
