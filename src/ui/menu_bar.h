// The menu bar, kept as a definition it can be rebuilt from: changing an
// item's caption builds a new bar, sets it on the window and destroys the old
// one, so menu handles must be fetched afresh after a caption write.
#pragma once

#include <string>
#include <vector>

#include "seam/ports.h"

namespace vorlane {

class MenuBar {
public:
    struct Item {
        unsigned id;
        std::string caption;
    };
    struct Popup {
        std::string caption;
        std::vector<Item> items;
    };

    MenuBar(MenuPort& menus, std::vector<Popup> definition)
        : menus_(menus), definition_(std::move(definition)) {}

    // The main window's menu bar of "屏幕" and "选项".
    static std::vector<Popup> mainDefinition();

    void build();
    // Stores and rebuilds only when the caption differs; true when rebuilt.
    bool setCaption(unsigned id, const std::string& caption);
    std::string caption(unsigned id) const;
    const std::vector<Popup>& definition() const { return definition_; }

private:
    MenuPort& menus_;
    std::vector<Popup> definition_;
};

}  // namespace vorlane
