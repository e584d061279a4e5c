// The rest prompt: the dialog road, the countdown road with the K key, the
// wait that keeps processing messages, and quitting while either is up.
#include <gtest/gtest.h>
#include <memory>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

const std::string kIni = "C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini";

std::string countdownText(int seconds) {
    return "已长时间工作,还不休息吗?铁子!!!\r\n将在" + std::to_string(seconds) + "秒之后自动休眠,可以按K键取消.";
}

struct RestPrompt : ::testing::Test {
    std::unique_ptr<App> fresh = std::make_unique<App>();
    App& app = *fresh;
    void start(bool countdown, const char* delay = "60") {
        app.os.ini[kIni]["kov/workingM"] = "1";
        app.os.ini[kIni]["kov/dateM"] = "1";
        app.os.ini[kIni]["kov/xzyctimeS"] = countdown ? "1" : "0";
        app.os.ini[kIni]["kov/yctimeS"] = delay;
        app.start();
        app.program.mutableState().elapsedSeconds = 59;
        app.os.input();
        app.os.log.clear();
    }
    // The tick that reaches the working time; the prompt runs inside it.
    void reachWorkingTime() {
        app.os.input();
        app.os.advance(1000);
    }
    void pressKey(std::uint32_t vk) {
        app.program.onKeyboardEvent(0, 0x100, 0, vk);
        app.program.onKeyboardEvent(0, 0x101, 0, vk);
    }
    std::vector<std::string> balloons() {
        std::vector<std::string> out;
        for (const auto& line : app.os.logOf("balloon ")) out.push_back(line.substr(line.find(' ', 28) + 1));
        return out;
    }
};

TEST_F(RestPrompt, CountdownOfSixtySecondsShowsTwelveBalloonsThenSleeps) {
    start(true, "60");
    const auto startedAt = app.os.time + 1000;
    reachWorkingTime();
    std::vector<std::string> expected;
    for (int s = 60; s > 0; s -= 5) expected.push_back("balloon 气球提示框1 400,300 5000 " + countdownText(s));
    EXPECT_EQ(app.os.logOf("balloon "), expected);
    EXPECT_EQ(app.os.logOf("hideBalloon").size(), 12u);  // a new show hides the old one first
    EXPECT_EQ(app.os.time - startedAt, 60'000u);
    EXPECT_EQ(app.os.suspends, 1);
    EXPECT_TRUE(app.program.isDark());
    EXPECT_EQ(app.program.state().countdownActive, 1);  // a countdown that ran out leaves it set
    EXPECT_EQ(app.program.state().sleepDelaySeconds, 60);
    EXPECT_TRUE(app.program.isAboutToSleep());
}

TEST_F(RestPrompt, ShortLastStepWaitsOnlyWhatIsLeft) {
    start(true, "7");
    const auto startedAt = app.os.time + 1000;
    reachWorkingTime();
    EXPECT_EQ(app.os.logOf("balloon "),
              (std::vector<std::string>{"balloon 气球提示框1 400,300 5000 " + countdownText(7),
                                        "balloon 气球提示框1 400,300 5000 " + countdownText(2)}));
    EXPECT_EQ(app.os.time - startedAt, 7000u);
    EXPECT_EQ(app.os.suspends, 1);
}

TEST_F(RestPrompt, SavedDelayOfZeroOrLessSleepsAtOnce) {
    start(true, "0");
    reachWorkingTime();
    EXPECT_TRUE(app.os.logOf("balloon ").empty());
    EXPECT_EQ(app.os.suspends, 1);
}

TEST_F(RestPrompt, NegativeSavedDelaySleepsAtOnce) {
    start(true, "-20");
    reachWorkingTime();
    EXPECT_TRUE(app.os.logOf("balloon ").empty());
    EXPECT_EQ(app.os.suspends, 1);
}

TEST_F(RestPrompt, KDuringAWaitCancelsAfterThatWaitAndCountsFromZero) {
    start(true, "60");
    app.os.at(app.os.time + 1000 + 7500, [&] { pressKey(0x4B); });
    const auto startedAt = app.os.time + 1000;
    reachWorkingTime();
    // K came during the second wait: the loop ends when that wait ends.
    EXPECT_EQ(app.os.logOf("balloon ").size(), 2u);
    EXPECT_EQ(app.os.suspends, 0);
    EXPECT_FALSE(app.program.isDark());
    EXPECT_EQ(app.program.state().countdownActive, 0);
    EXPECT_EQ(app.program.state().sleepDelaySeconds, 60);  // reloaded from the file
    EXPECT_EQ(app.program.tickPeriod(), 1000);
    // Ticks during the rest of that wait ran nested and counted from 0.
    EXPECT_EQ(app.os.time - startedAt, 10'000u);
    EXPECT_EQ(app.program.state().elapsedSeconds, 2);
}

TEST_F(RestPrompt, OtherKeysDoNotCancelTheCountdown) {
    start(true, "10");
    app.os.at(app.os.time + 3000, [&] { pressKey(0x4A); });
    reachWorkingTime();
    EXPECT_EQ(app.os.suspends, 1);
}

class DialogAnswer : public RestPrompt, public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(DialogAnswer, OkOrAFailedBoxSleepsCancelCountsAgain) {
    {
        const struct {
            int answer;
            bool sleeps;
        } c{GetParam().first, GetParam().second};
        start(false);
        app.program.mutableState().countdownActive = 1;
        app.os.messageBoxAnswers = {c.answer};
        reachWorkingTime();
        EXPECT_EQ(app.os.logOf("messageBox"),
                  (std::vector<std::string>{"messageBox 警告 已长时间工作,还不休息吗?铁子!!! 8241"}));
        EXPECT_EQ(app.os.suspends, c.sleeps ? 1 : 0) << c.answer;
        EXPECT_EQ(app.program.isDark(), c.sleeps) << c.answer;
        EXPECT_EQ(app.program.tickPeriod(), c.sleeps ? 0 : 1000) << c.answer;
        EXPECT_EQ(app.program.state().countdownActive, 0) << c.answer;
    }
}

// OK, Cancel, a failed box.
INSTANTIATE_TEST_SUITE_P(Answers, DialogAnswer,
                         ::testing::Values(std::pair{1, true}, std::pair{2, false}, std::pair{0, true}));

TEST_F(RestPrompt, WindowDestroyedDuringTheDialogNeitherDarkensNorSleeps) {
    start(false);
    app.os.messageBoxAnswers = {0};  // a box ended by WM_QUIT fails
    app.os.duringMessageBox = [&] { app.destroy(); };
    reachWorkingTime();
    EXPECT_EQ(app.os.suspends, 0);
    EXPECT_FALSE(app.program.isDark());
    EXPECT_TRUE(app.os.logOf("setGammaRamp").empty());
}

TEST_F(RestPrompt, WindowDestroyedDuringACountdownWaitEndsIt) {
    start(true, "60");
    app.os.at(app.os.time + 1000 + 2000, [&] { app.program.onTrayEvent(3); });
    app.os.popupChoices = {3};  // "退出" from the tray menu
    const auto startedAt = app.os.time + 1000;
    reachWorkingTime();
    EXPECT_EQ(app.os.suspends, 0);
    EXPECT_FALSE(app.program.isDark());
    EXPECT_TRUE(app.os.logOf("setGammaRamp").empty());
    EXPECT_EQ(app.os.logOf("balloon ").size(), 1u);
    EXPECT_LT(app.os.time - startedAt, 5000u);  // ended at its current wait
}

TEST(Wait, DeadlineSurvivesTheTickWrap) {
    for (std::uint32_t base : {0u, 0xFFFFFFFFu - 2000, 0xFFFFFFFFu}) {
        App app;
        app.os.tickBase = base;
        app.os.time = 10;
        EXPECT_TRUE(app.program.waitProcessingMessages(5000));
        EXPECT_EQ(app.os.time, 5010u) << base;
        EXPECT_TRUE(app.program.waitProcessingMessages(0));
        EXPECT_TRUE(app.program.waitProcessingMessages(-5));
        EXPECT_EQ(app.os.time, 5010u);
    }
}

TEST(Wait, QuitEndsItAtOnceAndMessagesRunInside) {
    App app;
    bool ran = false;
    app.os.at(1500, [&] { ran = true; });
    app.os.at(2500, [&] { app.os.quitPosted = true; });
    EXPECT_FALSE(app.program.waitProcessingMessages(5000));
    EXPECT_TRUE(ran);
    EXPECT_EQ(app.os.time, 2500u);
}

}  // namespace
}  // namespace vorlane::testing
