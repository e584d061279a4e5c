// Popup menu items from arbitrary texts: trimmed ends, ids by position.
#include <cstdlib>

#include "desktop/popup_menu.h"
#include "fake_os.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorlane::fuzz::Input in(data, size);
    std::vector<std::string> texts;
    while (!in.empty() && texts.size() < 16) texts.push_back(in.text());
    for (const auto& text : texts) {
        const std::string trimmed = vorlane::trimMenuText(text);
        if (text.find(trimmed) == std::string::npos) std::abort();
        if (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.back() == ' ')) std::abort();
        if (trimmed.rfind("\xE3\x80\x80", 0) == 0) std::abort();
        if (trimmed.size() >= 3 && trimmed.compare(trimmed.size() - 3, 3, "\xE3\x80\x80") == 0) std::abort();
    }
    vorlane::testing::FakeOs os;
    vorlane::PopupMenu menu(os, os);
    if (menu.addItems(texts) != texts.size()) std::abort();
    const int choice = texts.empty() ? 0 : static_cast<int>(size % (texts.size() + 1));
    os.popupChoices = {choice};
    menu.popup(0, false, 0, false, 1, true);
    if (menu.chosenIdOf() != choice) std::abort();
    const std::string expected = choice == 0 ? "" : vorlane::trimMenuText(texts[choice - 1]);
    const std::string shown = vorlane::trimMenuText(texts.empty() || choice == 0 ? "" : texts[choice - 1]);
    if (menu.chosenTextOf() != (shown == "-" ? "" : expected)) std::abort();
    return 0;
}
