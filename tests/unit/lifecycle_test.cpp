// Start-up and shut-down order, the single-instance guard, the end of the
// session, and the menu bar's rebuild.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

const std::string kIni = "C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(Lifecycle, CreationRunsItsStepsInOrder) {
    App app;
    app.program.menuBar().build();
    app.os.log.clear();
    ASSERT_TRUE(app.program.onCreate());
    EXPECT_EQ(app.os.log, (std::vector<std::string>{
                              "openMutex 2031617 tavolu_Single",
                              "createMutex owned tavolu_Single",
                              "wait mutex 100",
                              "subclass",
                              "installHook",
                              "hint 气球提示框2 标签1 持续亮屏多久提醒一次. 300 3000",
                              "hint 气球提示框3 标签2 多久时间内无操作计时重置. 300 3000",
                              "readProfile kov dateM " + kIni,
                              "setText 编辑框2 10",
                              "writeProfile dateM=10",
                              "readProfile kov workingM " + kIni,
                              "setText 编辑框1 90",
                              "writeProfile workingM=90",
                              "readProfile kov xzyctimeS " + kIni,
                              "regOpen read " + kRun,
                              "readProfile kov yctimeS " + kIni,
                              "setTimer 1000",
                          }));
    EXPECT_EQ(app.program.state().countdownActive, 0);
    EXPECT_EQ(app.program.state().elapsedSeconds, 0);
}

TEST(Lifecycle, DestructionReleasesUnhooksRestoresAndRemovesTheIcon) {
    App app;
    app.start();
    const GammaRamp picture = app.os.ramp;
    app.program.hideToTray();
    app.program.enterSleep();
    app.os.log.clear();
    app.destroy();
    EXPECT_EQ(app.os.log, (std::vector<std::string>{"releaseMutex 1", "removeHook", "setGammaRamp picture",
                                                    "releaseDC", "tray delete 100 32868"}));
    EXPECT_EQ(app.os.ramp, picture);
    EXPECT_TRUE(app.os.hooks.empty());
    EXPECT_TRUE(app.os.liveIcons.empty());
}

TEST(Lifecycle, DestructionOfAPlainWindowTouchesNoDisplay) {
    App app;
    app.start();
    app.os.log.clear();
    app.destroy();
    EXPECT_EQ(app.os.log, (std::vector<std::string>{"releaseMutex 1", "removeHook"}));
}

TEST(SingleInstance, DecisionForEachWaitResult) {
    const struct {
        bool otherCopy;
        std::uint32_t waitResult;
        bool runs;
        bool destroyPosted;
    } cases[] = {
        {false, 0x0, true, false},         // WAIT_OBJECT_0: the first copy
        {true, 0x102, false, true},        // WAIT_TIMEOUT: another copy owns it
        {false, 0x102, false, false},
        {true, 0x80, true, true},          // WAIT_ABANDONED: go on
        {false, 0xFFFFFFFF, true, false},  // WAIT_FAILED: go on
    };
    for (const auto& c : cases) {
        App app;
        app.os.otherCopyRunning = c.otherCopy;
        app.os.waitResult = c.waitResult;
        EXPECT_EQ(app.start(), c.runs) << c.waitResult;
        EXPECT_EQ(!app.os.logOf("postDestroy").empty(), c.destroyPosted) << c.waitResult;
        if (c.runs) {
            EXPECT_FALSE(app.os.exitCode.has_value());
            EXPECT_EQ(app.os.hooks.size(), 1u);
        } else {
            // Ended before the hook, the settings or the tick.
            EXPECT_EQ(app.os.exitCode, 0);
            EXPECT_TRUE(app.os.hooks.empty());
            EXPECT_TRUE(app.os.logOf("readProfile").empty());
            EXPECT_TRUE(app.os.logOf("setTimer").empty());
            EXPECT_TRUE(app.os.logOf("tray").empty());
            EXPECT_EQ(app.os.logOf("closeHandle").size(), c.otherCopy ? 2u : 1u);
        }
    }
}

TEST(Session, EndingIsAlwaysAllowedAndRestoresTheScreen) {
    App app;
    app.start();
    const GammaRamp picture = app.os.ramp;
    app.os.checks[Control::选择框1] = true;  // close to tray
    EXPECT_TRUE(app.program.onQueryEndSession());
    EXPECT_TRUE(app.os.windowVisible);  // not hidden: the session simply ends
    app.program.hideToTray();
    app.program.enterSleep();
    app.program.onEndSession(false);  // cancelled by someone else: nothing
    EXPECT_TRUE(app.program.isDark());
    app.program.onEndSession(true);
    EXPECT_FALSE(app.program.isDark());
    EXPECT_EQ(app.os.ramp, picture);
    EXPECT_FALSE(app.os.trayIconShown);
}

TEST(MenuBar, BuildsScreenAndOptionsMenus) {
    App app;
    app.start();
    const Handle bar = app.os.bar;
    EXPECT_EQ(app.os.menuTexts(bar), (std::vector<std::string>{"屏幕", "选项"}));
    EXPECT_EQ(app.os.menuTexts(app.os.subMenu(bar, 0)),
              (std::vector<std::string>{"关闭屏幕(仅仅是关闭显示器)", "立即休眠(不操作亮度)", "立即休眠"}));
    EXPECT_EQ(app.os.menuTexts(app.os.subMenu(bar, 1)), (std::vector<std::string>{"开机自启"}));
}

TEST(MenuBar, CaptionWriteRebuildsOnlyWhenItDiffers) {
    App app;
    app.start();
    const Handle oldBar = app.os.bar;
    const Handle oldOptions = app.os.subMenu(oldBar, 1);
    app.os.log.clear();
    EXPECT_FALSE(app.program.menuBar().setCaption(kAutostart, "开机自启"));
    EXPECT_TRUE(app.os.log.empty());

    EXPECT_TRUE(app.program.menuBar().setCaption(kAutostart, "已添加开机自启"));
    EXPECT_NE(app.os.bar, oldBar);
    EXPECT_EQ(app.os.menus.count(oldBar), 0u);  // the old bar is destroyed
    EXPECT_EQ(app.os.menus.count(oldOptions), 0u);
    EXPECT_EQ(app.os.menuTexts(app.os.subMenu(app.os.bar, 1)), (std::vector<std::string>{"已添加开机自启"}));
    EXPECT_EQ(app.program.menuBar().caption(kAutostart), "已添加开机自启");
    // The new bar is set before the old one goes.
    const auto setAt = std::find(app.os.log.begin(), app.os.log.end(), "setMenu");
    const auto destroyAt = std::find(app.os.log.begin(), app.os.log.end(), "destroyMenu");
    EXPECT_LT(setAt, destroyAt);
}

}  // namespace
}  // namespace vorlane::testing
