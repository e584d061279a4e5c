// Hiding to the tray and back, the tray icon, its menu, the close question and
// the notification area's restart.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

const std::string kSuffix = "\r\n(双击显示面板)";

struct Tray : ::testing::Test {
    App app;
    void SetUp() override {
        app.start();
        app.os.log.clear();
    }
    void makeHalted() {
        app.program.setTickPeriod(0);
        app.program.mutableState().elapsedSeconds = 0;
    }
};

TEST_F(Tray, MouseMinimiseHidesToTheTrayKeyboardMinimiseDoesNot) {
    EXPECT_FALSE(app.program.filterMessage(0x0112, 0xF020, 0));           // keyboard: lParam 0
    EXPECT_FALSE(app.program.filterMessage(0x0112, 0xF060, 0x00640064));  // another command
    EXPECT_FALSE(app.program.filterMessage(0x0020, 0xF020, 0x02000001));  // WM_SETCURSOR over window 0xF020
    EXPECT_TRUE(app.os.log.empty());
    EXPECT_TRUE(app.program.filterMessage(0x0112, 0xF020, 0x00640064));
    EXPECT_EQ(app.os.log.at(0), "minimize");
    EXPECT_EQ(app.os.log.at(1), "hide");
    EXPECT_TRUE(app.os.trayIconShown);
}

TEST_F(Tray, TipsAndCaptionsInTheCountingAndHaltedStates) {
    app.program.mutableState().elapsedSeconds = 3725;
    app.program.hideToTray();
    EXPECT_EQ(app.os.logOf("tray"),
              (std::vector<std::string>{"tray add 100 32868 Vorlane  总时长:1时30分  已过:1时2分5秒" + kSuffix}));
    app.program.showPanel();
    EXPECT_EQ(app.caption(), "Vorlane  总时长:1时30分  已过:1时2分5秒");
    EXPECT_FALSE(app.os.trayIconShown);
    EXPECT_TRUE(app.os.windowVisible);
    EXPECT_FALSE(app.os.minimized);

    makeHalted();
    app.program.hideToTray();
    EXPECT_EQ(app.os.trayTipText, "Vorlane" + kSuffix);
    app.program.showPanel();
    EXPECT_EQ(app.caption(), "Vorlane");
    EXPECT_TRUE(app.os.liveIcons.empty());
}

TEST_F(Tray, TickWhileHiddenModifiesTheIconAndFreesTheOldIconHandle) {
    app.program.hideToTray();
    for (int i = 0; i < 5; ++i) {
        app.os.input();
        app.os.advance(1000);
    }
    EXPECT_EQ(app.os.logOf("tray add").size(), 1u);
    EXPECT_EQ(app.os.logOf("tray modify").size(), 5u);
    EXPECT_EQ(app.os.trayTipText, "Vorlane  总时长:1时30分  已过:5秒" + kSuffix);
    EXPECT_EQ(app.os.liveIcons.size(), 1u);
    EXPECT_TRUE(app.os.logOf("tray: dead").empty());
}

TEST_F(Tray, LongTipIsCutToTheFieldBetweenCharacters) {
    // A work box text below an hour is shown as typed, so it can be long.
    std::string work;
    for (int i = 0; i < 60; ++i) work += "时";
    app.os.texts[Control::编辑框1] = work;
    app.program.hideToTray();
    // "Vorlane  总时长:" is 13 UTF-16 units; 50 whole characters of the box fill the 63.
    std::string expected = "Vorlane  总时长:";
    for (int i = 0; i < 50; ++i) expected += "时";
    EXPECT_EQ(app.os.trayTipText, expected);
}

TEST_F(Tray, CloseQuestion) {
    EXPECT_TRUE(app.program.onCloseRequested());
    EXPECT_TRUE(app.os.windowVisible);
    app.os.checks[Control::选择框1] = true;
    EXPECT_FALSE(app.program.onCloseRequested());
    EXPECT_FALSE(app.os.windowVisible);
    EXPECT_TRUE(app.os.trayIconShown);
}

TEST_F(Tray, TrayEvents) {
    app.program.hideToTray();
    app.os.log.clear();
    app.program.onTrayMessage(0x0202);  // single click: nothing
    app.program.onTrayMessage(0x0201);
    EXPECT_TRUE(app.os.log.empty());
    app.program.onTrayMessage(0x0203);  // double click: the panel
    EXPECT_TRUE(app.os.windowVisible);
    EXPECT_FALSE(app.os.trayIconShown);
}

TEST_F(Tray, TrayMenuChoices) {
    const struct {
        int choice;
        bool panel;
        bool quits;
    } cases[] = {{0, false, false}, {1, true, false}, {3, false, true}};
    for (const auto& c : cases) {
        App fresh;
        fresh.start();
        fresh.os.checks[Control::选择框1] = true;  // "退出" quits all the same
        fresh.program.hideToTray();
        fresh.os.popupChoices = {c.choice};
        fresh.os.log.clear();
        fresh.program.onTrayMessage(0x0205);
        EXPECT_EQ(fresh.os.logOf("appendMenu"),
                  (std::vector<std::string>{"appendMenu 0 1 显示面板", "appendMenu 2048 2 ", "appendMenu 0 3 退出"}));
        EXPECT_EQ(fresh.os.logOf("trackPopupMenu"), (std::vector<std::string>{"trackPopupMenu 386 400,300 4096"}));
        EXPECT_EQ(fresh.os.logOf("destroyMenu").size(), 1u);
        EXPECT_EQ(fresh.os.windowVisible, c.panel) << c.choice;
        fresh.os.advance(0);
        EXPECT_EQ(fresh.destroyed, c.quits) << c.choice;
    }
}

TEST_F(Tray, ShellRestartAddsTheIconAgainOnlyWhileHidden) {
    app.program.onTaskbarCreated();
    EXPECT_TRUE(app.os.log.empty());
    app.program.hideToTray();
    const std::string tip = app.os.trayTipText;
    app.os.trayIconShown = false;  // the restarted shell knows no icon
    app.os.log.clear();
    app.program.onTaskbarCreated();
    EXPECT_EQ(app.os.log, (std::vector<std::string>{"tray add 100 32868 " + tip}));
    EXPECT_TRUE(app.os.trayIconShown);
}

}  // namespace
}  // namespace vorlane::testing
