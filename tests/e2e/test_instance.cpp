// One copy per session: a second start ends quietly and leaves the first alone; once the first has ended,
// a new copy starts as usual.
#include "desk_helpers.h"

namespace vorlane::e2e {
namespace {

using namespace desk;

using SingleInstance = VorlaneTest;

TEST_F(SingleInstance, SecondCopyEndsQuietlyAndTheFirstKeepsCounting)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(1, 4s)) << ui_.caption();
    ASSERT_FALSE(trayIconShown());

    VorlaneProcess second;
    ASSERT_TRUE(second.started());
    // Watched for its whole short life: a window or an icon shown only for a moment is a fault too.
    bool showedWindow = false;
    bool showedIcon = false;
    const bool ended = waitFor(
        [&] {
            for (HWND window : topLevelWindows(second.id())) showedWindow |= IsWindowVisible(window) != 0;
            showedIcon |= trayIconShown();
            return !second.running();
        },
        5s, 5ms);
    ASSERT_TRUE(ended) << "the second copy still runs after 5 s";
    EXPECT_EQ(second.waitForExit(0ms), std::optional<DWORD>(0));
    EXPECT_FALSE(showedWindow) << "the second copy showed a window";
    EXPECT_FALSE(showedIcon) << "a tray icon appeared";
    EXPECT_FALSE(trayIconShown());

    // The first copy neither ended nor stopped counting.
    ASSERT_TRUE(app_->running());
    const auto before = shownCount();
    ASSERT_TRUE(before) << ui_.caption();
    EXPECT_TRUE(nextCount(before, 2500ms)) << "the first copy stopped counting: " << ui_.caption();
    EXPECT_TRUE(IsWindowVisible(ui_.window));
}

TEST_F(SingleInstance, NewCopyStartsAfterTheFirstHasEnded)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    PostMessageW(ui_.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(app_->waitForExit(5s), std::optional<DWORD>(0));

    // The mutex went with the first copy, so this one is a first copy again.
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    EXPECT_TRUE(waitForCount(1, 4s)) << "the new copy does not count: " << ui_.caption();
    EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace vorlane::e2e
