// A popup menu built from a list of item texts, shown at the pointer or at a
// point, remembering which item was chosen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "seam/ports.h"

namespace vorlane {

inline constexpr unsigned kMfString = 0x0000;
inline constexpr unsigned kMfPopup = 0x0010;
inline constexpr unsigned kMfByPosition = 0x0400;
inline constexpr unsigned kMfSeparator = 0x0800;
// TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, left and top aligned.
inline constexpr unsigned kPopupFlags = 0x0182;

// ASCII spaces and ideographic spaces (U+3000) removed at both ends; tabs stay.
std::string trimMenuText(const std::string& text);

class PopupMenu {
public:
    PopupMenu(MenuPort& menus, InputPort& input) : menus_(&menus), input_(&input) {}
    // A copy shares the menu handle and owns its own chosen text.
    PopupMenu(const PopupMenu&) = default;
    PopupMenu& operator=(const PopupMenu&) = default;
    ~PopupMenu() = default;  // the menu itself is left alone: destroyMenu does that

    std::int32_t chosenIdOf() const { return chosenId_; }
    std::optional<std::string> chosenTextOf() const { return chosenText_; }
    Handle menuHandle() const { return menu_; }
    // Appends the texts with ids 1..n (separators, "-", take an id too).
    std::size_t addItems(const std::vector<std::string>& texts);
    void popup(int x, bool hasX, int y, bool hasY, Handle window, bool hasWindow);
    void destroyMenu();

private:
    MenuPort* menus_;
    InputPort* input_;
    Handle menu_ = 0;
    std::int32_t chosenId_ = 0;
    std::optional<std::string> chosenText_;
};

}  // namespace vorlane
