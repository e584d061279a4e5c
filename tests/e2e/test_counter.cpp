// The one-second count in the caption, and the pause and reset buttons that act on it.
#include "vorlane_driver.h"

#include <ostream>

namespace vorlane::e2e {
namespace {

using Counting = VorlaneTest;

// Under Wine the one-second tick lands within a few milliseconds of its time on an idle machine; the
// tolerances leave room for a loaded one. A single tick may come late, but late ticks do not add up: over
// several seconds the count keeps pace with the clock, so a timer period off by a tenth is caught there.
constexpr double kTickSeconds = 1.0;
constexpr double kTickTolerance = 0.25;
constexpr double kDriftTolerance = 0.2;

TEST_F(Counting, CaptionShowsTheCountFromOneSecondAfterTheStart)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    const auto first = nextCount(std::nullopt, 4s);
    ASSERT_TRUE(first) << "caption after 4 s: " << ui_.caption();
    EXPECT_EQ(first->seconds, 1) << "the first tick comes one second after creation and adds one";
    const double firstAt = seconds(first->seen - app_->startTime());
    EXPECT_GE(firstAt, 0.9);
    EXPECT_LE(firstAt, 3.0);

    const std::vector<CountSample> samples = watchCount(5s);
    ASSERT_GE(samples.size(), 4u) << "the count should change about once a second";
    CountSample previous = *first;
    for (const CountSample& sample : samples) {
        if (sample.seconds == previous.seconds) continue;   // the watch's first reading may still show it
        EXPECT_EQ(sample.seconds, previous.seconds + 1) << "the count moves by one per tick";
        const double interval = seconds(sample.seen - previous.seen);
        EXPECT_NEAR(interval, kTickSeconds, kTickTolerance) << "between " << previous.seconds << " and "
                                                            << sample.seconds;
        previous = sample;
    }
    const double span = seconds(previous.seen - first->seen);
    EXPECT_NEAR(previous.seconds - first->seconds, span, kDriftTolerance) << "the count drifts from the clock";
}

TEST_F(Counting, PauseHoldsTheCountAndStartResumesItOneSecondLater)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(2, 5s)) << ui_.caption();

    click(ui_.pauseButton);
    EXPECT_EQ(windowText(ui_.pauseButton), "开始");
    const auto held = shownCount();
    ASSERT_TRUE(held);
    const std::vector<CountSample> whilePaused = watchCount(3s);
    ASSERT_FALSE(whilePaused.empty());
    EXPECT_EQ(whilePaused.size(), 1u) << "the count changed while paused, last " << whilePaused.back().seconds;
    EXPECT_EQ(whilePaused.back().seconds, *held);

    const auto resumedAt = Clock::now();
    click(ui_.pauseButton);
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
    const auto next = nextCount(held, 3s);
    ASSERT_TRUE(next) << "no tick after resuming";
    EXPECT_EQ(next->seconds, *held + 1) << "the count goes on from where it stood";
    EXPECT_NEAR(seconds(next->seen - resumedAt), kTickSeconds, kTickTolerance)
        << "a restarted timer ticks first one period after the restart";
}

TEST_F(Counting, ResetStartsTheCountAgainFromZero)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(2, 5s)) << ui_.caption();
    const auto shown = justAfterATick();
    ASSERT_TRUE(shown);

    click(ui_.resetButton);
    // The caption follows at the next tick, which adds one to the zeroed count.
    const auto next = nextCount(shown, 2s);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->seconds, 1);
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
}

TEST_F(Counting, ResetWhilePausedStaysPausedAndCountsFromZeroAfterStart)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(2, 5s)) << ui_.caption();

    click(ui_.pauseButton);
    const auto held = shownCount();
    click(ui_.resetButton);
    EXPECT_EQ(windowText(ui_.pauseButton), "开始");
    // No tick while paused, so nothing redraws the caption either.
    EXPECT_FALSE(nextCount(held, 1500ms)) << ui_.caption();

    click(ui_.pauseButton);
    const auto next = nextCount(held, 3s);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->seconds, 1);
}

// An edit of a duration box while counting, with "修改时间计时清零" on or off.
struct EditWhileCounting {
    const char* name;
    bool resetOnChange;
    HWND MainWindow::*box;
    const char* text;
    const char* total;   // total part of the caption after the edit
    bool resets;
};

void PrintTo(const EditWhileCounting& c, std::ostream* out) { *out << c.name; }

class EditsWhileCounting : public VorlaneTest, public ::testing::WithParamInterface<EditWhileCounting> {};

TEST_P(EditsWhileCounting, ResetTheCountOnlyThroughTheIdleBoxAndWhenAsked)
{
    const EditWhileCounting& edit = GetParam();
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    if (edit.resetOnChange) {
        click(ui_.resetOnChange);
        ASSERT_TRUE(isChecked(ui_.resetOnChange));
    }
    ASSERT_TRUE(waitForCount(2, 5s)) << ui_.caption();
    const auto held = justAfterATick();
    ASSERT_TRUE(held);

    setWindowText(ui_.*edit.box, edit.text);
    const auto next = nextCount(held, 2s, edit.total);
    ASSERT_TRUE(next) << "expected the total part \"" << edit.total << "\", caption: " << ui_.caption();
    if (edit.resets) {
        EXPECT_EQ(next->seconds, 1) << "the tick after the edit counts from zero";
    } else {
        EXPECT_EQ(next->seconds, *held + 1) << "the edit must not touch the count";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counting, EditsWhileCounting,
    ::testing::Values(
        EditWhileCounting{"IdleBoxOptionOff", false, &MainWindow::idleBox, "5", "1时30分", false},
        EditWhileCounting{"IdleBoxOptionOn", true, &MainWindow::idleBox, "5", "1时30分", true},
        // The work box's own handler ignores the option ...
        EditWhileCounting{"WorkBoxOptionOn", true, &MainWindow::workBox, "100", "1时40分", false},
        // ... unless the new work time drops below the idle time and so runs the idle box's handler.
        EditWhileCounting{"WorkBelowIdleOptionOn", true, &MainWindow::workBox, "5", "5分", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorlane::e2e
