// The end of the working time: the "警告" box, the countdown balloon at the pointer and its K key. Each test
// works the shortest working time there is, one minute, with the pointer moving now and then.
#include "rest_helpers.h"

namespace vorlane::e2e {
namespace {

constexpr const char* kOneMinute = "1分";

// The 60th tick comes one minute after the window; the window comes a moment after the start.
constexpr double kPromptEarliest = 59.5;
constexpr double kPromptLatest = 66.0;

using RestPrompt = RestTest;

TEST_F(RestPrompt, WarningComesAtTheWorkingTimeRefusesThePauseAndCancelCountsAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWithOneMinute());
    const HWND warning = waitForWarning();
    ASSERT_NE(warning, nullptr) << "no 警告 box after 75 s; caption: " << ui_.caption();
    const double shownAt = seconds(Clock::now() - app_->startTime());
    EXPECT_GE(shownAt, kPromptEarliest);
    EXPECT_LE(shownAt, kPromptLatest);
    EXPECT_EQ(messageBoxText(warning), kRestQuestion);
    EXPECT_EQ(ui_.caption(), "Vorlane") << "the tick that reaches the working time shows the bare name";
    EXPECT_FALSE(nextCount(std::nullopt, 1500ms, kOneMinute)) << "the count moved while the box was up: "
                                                               << ui_.caption();

    // The counter is halted: pausing now would leave it stuck after the rest.
    postClick(ui_.pauseButton);
    HWND refusal = nullptr;
    ASSERT_TRUE(waitFor([&] { return (refusal = findMessageBox(app_->id(), "错误")) != nullptr; }, 3s))
        << "no 错误 box after clicking 暂停 during the rest prompt";
    EXPECT_EQ(messageBoxText(refusal), kAboutToSleep);
    answer(refusal, IDOK);
    EXPECT_TRUE(waitFor([&] { return findMessageBox(app_->id(), "错误") == nullptr; }, 3s));
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
    EXPECT_NE(findMessageBox(app_->id(), "警告"), nullptr) << "the refusal must leave the rest prompt open";
    EXPECT_EQ(ui_.caption(), "Vorlane");

    const auto cancelledAt = Clock::now();
    answer(warning, IDCANCEL);
    const auto first = nextCount(std::nullopt, 3s, kOneMinute);
    ASSERT_TRUE(first) << "no count after Cancel; caption: " << ui_.caption();
    EXPECT_EQ(first->seconds, 1) << "declining the rest starts the count again from 0";
    EXPECT_NEAR(seconds(first->seen - cancelledAt), 1.0, 0.5);
    const auto second = nextCount(first->seconds, 2s, kOneMinute);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->seconds, 2);
    EXPECT_EQ(findMessageBox(app_->id(), "警告"), nullptr);
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
    EXPECT_TRUE(visibleCovers().empty()) << "Cancel must not darken the screen";
}

// ---- The countdown --------------------------------------------------------------------------------------

class Countdown : public RestTest {
protected:
    static constexpr int kDelay = 7;

    // Waits for the first balloon and checks its text and place; null when it did not come.
    HWND firstBalloon()
    {
        const HWND balloon = waitForCountdown();
        if (balloon == nullptr) {
            ADD_FAILURE() << "no countdown balloon after 75 s; caption: " << ui_.caption();
            return nullptr;
        }
        shownAt_ = Clock::now();
        const POINT pointer = pointerPosition();
        const double at = seconds(shownAt_ - app_->startTime());
        EXPECT_GE(at, kPromptEarliest);
        EXPECT_LE(at, kPromptLatest);
        EXPECT_EQ(windowText(balloon), countdownText(kDelay));
        EXPECT_EQ(ui_.caption(), "Vorlane");
        // Anchored at the pointer: the balloon's corner stands where the pointer was when it came up.
        const RECT place = screenRect(balloon);
        EXPECT_NEAR(place.left, pointer.x, 3) << "pointer at (" << pointer.x << "," << pointer.y << ")";
        EXPECT_NEAR(place.top, pointer.y, 3) << "pointer at (" << pointer.x << "," << pointer.y << ")";
        // The text breaks at its "\n": on one line it would be some sixteen times as wide as high, on two
        // lines it is about five times.
        const LONG width = place.right - place.left;
        const LONG height = place.bottom - place.top;
        EXPECT_LT(width, 10 * height) << "one line? the balloon is " << width << " x " << height;
        EXPECT_NE(GetWindowLongW(balloon, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_NE(GetForegroundWindow(), balloon) << "the balloon must never take the activation";
        EXPECT_TRUE(visibleCovers().empty());
        return balloon;
    }

    Clock::time_point shownAt_{};
};

TEST_F(Countdown, BalloonAtThePointerCountsDownIntoTheBlackout)
{
    ASSERT_NO_FATAL_FAILURE(startWithOneMinute(true, kDelay));
    const HWND balloon = firstBalloon();
    ASSERT_NE(balloon, nullptr);

    // 7 is below two steps of 5: one wait of 5 s, then one of the 2 s left.
    const std::string two = countdownText(2);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(balloon) && windowText(balloon) == two; }, 7s))
        << "balloon now: \"" << windowText(balloon) << "\"";
    const auto twoAt = Clock::now();
    EXPECT_NEAR(seconds(twoAt - shownAt_), 5.0, 0.75);
    EXPECT_TRUE(visibleCovers().empty()) << "darkened before the countdown ran out";

    ASSERT_TRUE(waitFor([] { return !visibleCovers().empty(); }, 5s)) << "no cover after the countdown";
    EXPECT_NEAR(seconds(Clock::now() - twoAt), 2.0, 0.75);
    const std::string problem = checkCoversScreen(visibleCovers());
    EXPECT_TRUE(problem.empty()) << problem;
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停") << "a rest is not a pause";
    EXPECT_EQ(ui_.caption(), "Vorlane");
}

TEST_F(Countdown, KeyKCancelsItAndCountingStartsAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWithOneMinute(true, kDelay));
    const HWND balloon = firstBalloon();
    ASSERT_NE(balloon, nullptr);

    pressKey('K');
    const auto pressedAt = Clock::now();
    const auto first = nextCount(std::nullopt, 3s, kOneMinute);
    ASSERT_TRUE(first) << "no count after K; caption: " << ui_.caption();
    EXPECT_EQ(first->seconds, 1) << "K restarts the count from 0";
    EXPECT_NEAR(seconds(first->seen - pressedAt), 1.0, 0.5);

    // Well past the moment the countdown would have ended: no second balloon and no darkening.
    bool darkened = false;
    bool countedDown = false;
    waitFor(
        [&] {
            darkened = darkened || !visibleCovers().empty();
            countedDown = countedDown || (IsWindowVisible(balloon) && windowText(balloon) == countdownText(2));
            return false;
        },
        Millis(static_cast<int>((kDelay + 2) * 1000 - seconds(Clock::now() - shownAt_) * 1000)), 50ms);
    EXPECT_FALSE(darkened) << "the screen went dark after K";
    EXPECT_FALSE(countedDown) << "the countdown went on after K";
    const auto count = shownCount(kOneMinute);
    ASSERT_TRUE(count) << ui_.caption();
    EXPECT_GE(*count, kDelay) << "the ticks go on during the rest of the countdown's wait and after it";
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
}

}  // namespace
}  // namespace vorlane::e2e
