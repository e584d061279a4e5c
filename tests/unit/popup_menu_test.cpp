// The popup menu class: ids, trimming, the chosen text, copies.
#include <gtest/gtest.h>

#include "desktop/popup_menu.h"
#include "fake_os.h"

namespace vorlane::testing {
namespace {

TEST(TrimMenuText, RemovesSpacesAndIdeographicSpacesKeepsTabs) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"  退出  ", "退出"},
        {"\xE3\x80\x80显示面板\xE3\x80\x80", "显示面板"},
        {" \xE3\x80\x80 - \xE3\x80\x80", "-"},
        {"\t退出\t", "\t退出\t"},
        {" a b ", "a b"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(trimMenuText(c.in), c.out) << c.in;
}

TEST(PopupMenu, ItemsAreNumberedByPositionSeparatorsIncluded) {
    FakeOs os;
    PopupMenu menu(os, os);
    EXPECT_EQ(menu.addItems({"显示面板", " - ", "  退出 "}), 3u);
    EXPECT_EQ(menu.addItems({"again"}), 1u);  // a second set starts from 1 again
    EXPECT_EQ(os.logOf("createPopupMenu").size(), 1u);
    EXPECT_EQ(os.logOf("appendMenu"), (std::vector<std::string>{"appendMenu 0 1 显示面板", "appendMenu 2048 2 ",
                                                                "appendMenu 0 3 退出", "appendMenu 0 1 again"}));
}

TEST(PopupMenu, PopupReturnsTheChoiceAndItsText) {
    const struct {
        int choice;
        std::string text;
    } cases[] = {{3, "退出"}, {1, "显示面板"}, {2, ""}, {0, ""}};
    for (const auto& c : cases) {
        FakeOs os;
        PopupMenu menu(os, os);
        menu.addItems({"显示面板", "-", "退出"});
        os.popupChoices = {c.choice};
        menu.popup(0, false, 0, false, 0x1000, true);
        EXPECT_EQ(menu.chosenIdOf(), c.choice);
        EXPECT_EQ(menu.chosenTextOf(), c.text);
    }
}

TEST(PopupMenu, PointAndOwnerChoice) {
    FakeOs os;
    os.foreground = 0x4242;
    PopupMenu menu(os, os);
    menu.addItems({"a"});
    menu.popup(10, true, 20, true, 0, false);  // a given point, the foreground window as owner
    EXPECT_EQ(os.logOf("trackPopupMenu"), (std::vector<std::string>{"trackPopupMenu 386 10,20 16962"}));
    EXPECT_TRUE(os.logOf("setForeground").empty());
    menu.popup(0, false, 0, false, 0x1000, true);  // the pointer, given owner brought forward
    EXPECT_EQ(os.logOf("setForeground"), (std::vector<std::string>{"setForeground 4096"}));
    EXPECT_EQ(os.logOf("trackPopupMenu").back(), "trackPopupMenu 386 400,300 4096");
}

TEST(PopupMenu, CopySharesTheMenuAndOwnsItsText) {
    FakeOs os;
    PopupMenu menu(os, os);
    menu.addItems({"显示面板", "-", "退出"});
    os.popupChoices = {3};
    menu.popup(0, false, 0, false, 0x1000, true);
    PopupMenu copy = menu;
    EXPECT_EQ(copy.menuHandle(), menu.menuHandle());
    EXPECT_EQ(copy.chosenTextOf(), "退出");
    os.popupChoices = {1};
    menu.popup(0, false, 0, false, 0x1000, true);
    EXPECT_EQ(copy.chosenTextOf(), "退出");
    EXPECT_EQ(menu.chosenTextOf(), "显示面板");
    menu.destroyMenu();
    menu.destroyMenu();
    EXPECT_EQ(os.logOf("destroyMenu").size(), 1u);
    EXPECT_EQ(menu.menuHandle(), 0u);
}

}  // namespace
}  // namespace vorlane::testing
