#include "desktop/popup_menu.h"

#include <string_view>

namespace vorlane {

std::string trimMenuText(const std::string& text) {
    static constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    std::string_view view = text;
    for (bool changed = true; changed;) {
        changed = false;
        if (view.starts_with(' ')) {
            view.remove_prefix(1);
            changed = true;
        } else if (view.starts_with(kIdeographicSpace)) {
            view.remove_prefix(kIdeographicSpace.size());
            changed = true;
        }
        if (view.ends_with(' ')) {
            view.remove_suffix(1);
            changed = true;
        } else if (view.ends_with(kIdeographicSpace)) {
            view.remove_suffix(kIdeographicSpace.size());
            changed = true;
        }
    }
    return std::string(view);
}

std::size_t PopupMenu::addItems(const std::vector<std::string>& texts) {
    if (menu_ == 0) menu_ = menus_->createPopupMenu();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string item = trimMenuText(texts[i]);
        const auto id = static_cast<std::uintptr_t>(i + 1);
        if (item == "-") {
            menus_->appendMenu(menu_, kMfSeparator, id, "");
        } else {
            menus_->appendMenu(menu_, kMfString, id, item);
        }
    }
    return texts.size();
}

void PopupMenu::popup(int x, bool hasX, int y, bool hasY, Handle window, bool hasWindow) {
    const Point at = (!hasX && !hasY) ? input_->cursorPos() : Point{x, y};
    if (hasWindow) {
        menus_->setForegroundWindow(window);
    } else {
        window = menus_->foregroundWindow();
    }
    const int id = menus_->trackPopupMenu(menu_, kPopupFlags, at, window);
    chosenId_ = id;
    // A dismissed menu reads position -1, which fails and leaves the text empty.
    chosenText_ = trimMenuText(menus_->menuString(menu_, id - 1, kMfByPosition).value_or(""));
}

void PopupMenu::destroyMenu() {
    if (menu_ == 0) return;
    menus_->destroyMenu(menu_);
    menu_ = 0;
}

}  // namespace vorlane
