#include "ui/menu_bar.h"

#include "desktop/popup_menu.h"
#include "ui/program.h"

namespace vorlane {

std::vector<MenuBar::Popup> MenuBar::mainDefinition() {
    return {
        {"屏幕",
         {{kMonitorOff, "关闭屏幕(仅仅是关闭显示器)"},
          {kSleepNoDim, "立即休眠(不操作亮度)"},
          {kSleepNow, "立即休眠"}}},
        {"选项", {{kAutostart, "开机自启"}}},
    };
}

void MenuBar::build() {
    const Handle old = menus_.windowMenu();
    const Handle bar = menus_.createMenu();
    for (const Popup& popup : definition_) {
        const Handle sub = menus_.createPopupMenu();
        for (const Item& item : popup.items) menus_.appendMenu(sub, kMfString, item.id, item.caption);
        menus_.appendMenu(bar, kMfPopup, sub, popup.caption);
    }
    menus_.setWindowMenu(bar);
    if (old != 0) menus_.destroyMenu(old);
}

bool MenuBar::setCaption(unsigned id, const std::string& caption) {
    for (Popup& popup : definition_) {
        for (Item& item : popup.items) {
            if (item.id != id) continue;
            if (item.caption == caption) return false;
            item.caption = caption;
            build();
            return true;
        }
    }
    return false;
}

std::string MenuBar::caption(unsigned id) const {
    for (const Popup& popup : definition_)
        for (const Item& item : popup.items)
            if (item.id == id) return item.caption;
    return {};
}

}  // namespace vorlane
