// The two duration boxes: their validation when a text is written into them, and their loading from the
// settings file at start. The file is checked as the program leaves it, the caption for the text it shows.
#include "vorlane_driver.h"

#include <ostream>
#include <utility>

namespace vorlane::e2e {
namespace {

// What the boxes, the file and the caption hold once the program has handled the edits or the load.
struct Outcome {
    const char* work;
    const char* idle;
    const char* fileWork;   // nullptr: not checked
    const char* fileIdle;
    const char* total;      // total part of the caption
};

class SettingsTest : public VorlaneTest {
protected:
    void expectOutcome(const Outcome& expected)
    {
        // The handlers run inside the text write; the short wait only keeps a slow file system from failing.
        waitFor([&] { return windowText(ui_.workBox) == expected.work && windowText(ui_.idleBox) == expected.idle; },
                1s);
        EXPECT_EQ(windowText(ui_.workBox), expected.work) << "work box";
        EXPECT_EQ(windowText(ui_.idleBox), expected.idle) << "idle box";
        if (expected.fileWork != nullptr) {
            EXPECT_EQ(readSetting("workingM"), Setting(expected.fileWork));
        }
        EXPECT_EQ(readSetting("dateM"), Setting(expected.fileIdle));
        EXPECT_TRUE(nextCount(std::nullopt, 2500ms, expected.total))
            << "expected the total part \"" << expected.total << "\", caption: " << ui_.caption();
    }
};

// ---- Edits ----------------------------------------------------------------------------------------------

struct Edit {
    HWND MainWindow::*box;
    const char* text;
};

constexpr auto kWork = &MainWindow::workBox;
constexpr auto kIdle = &MainWindow::idleBox;

struct EditCase {
    const char* name;
    std::vector<Edit> edits;
    Outcome outcome;
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class BoxEdits : public SettingsTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(BoxEdits, AreValidatedAgainstEachOtherAndSaved)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    for (const Edit& edit : GetParam().edits) {
        setWindowText(ui_.*edit.box, edit.text);
    }
    expectOutcome(GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BoxEdits,
    ::testing::Values(
        // A work time below 1 becomes 1, which leaves the idle time above it, so that becomes 1 too.
        EditCase{"ZeroWorkTime", {{kWork, "0"}}, {"1", "1", "1", "1", "1分"}},
        EditCase{"NegativeWorkTime", {{kWork, "-5"}}, {"1", "1", "1", "1", "1分"}},
        EditCase{"ZeroIdleTime", {{kIdle, "0"}}, {"90", "1", "90", "1", "1时30分"}},
        EditCase{"IdleAboveWork", {{kWork, "15"}, {kIdle, "20"}}, {"15", "1", "15", "1", "15分"}},
        EditCase{"IdleEqualToWork", {{kWork, "15"}, {kIdle, "15"}}, {"15", "15", "15", "15", "15分"}},
        // The number is read up to the first other character, but the text stays as typed, in the box,
        // in the file and in the caption.
        EditCase{"TextAfterDigits", {{kWork, "12abc"}}, {"12abc", "10", "12abc", "10", "12abc分"}},
        // Full-width digits count as digits: 5 is below the idle time of 10.
        EditCase{"FullWidthDigits", {{kWork, "５"}}, {"５", "1", nullptr, "1", "５分"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Loading --------------------------------------------------------------------------------------------

struct LoadCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> file;   // [kov] keys written before the start
    bool sleepDelay;
    Outcome outcome;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class SettingsFileAtStart : public SettingsTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsFileAtStart, IsLoadedIntoTheControlsAndWrittenBack)
{
    for (const auto& [key, value] : GetParam().file) writeSetting(key, value);
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    EXPECT_EQ(isChecked(ui_.sleepDelay), GetParam().sleepDelay) << "休眠延迟";
    EXPECT_FALSE(isChecked(ui_.closeToTray)) << "关闭到托盘 is not a saved setting";
    EXPECT_FALSE(isChecked(ui_.resetOnChange)) << "修改时间计时清零 is not a saved setting";
    expectOutcome(GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsFileAtStart,
    ::testing::Values(
        LoadCase{"AllThree", {{"workingM", "45"}, {"dateM", "5"}, {"xzyctimeS", "1"}}, true,
                 {"45", "5", "45", "5", "45分"}},
        // The idle time is loaded first, against the form's work time of 90, so it passes; the work time
        // loaded after it is below it, which turns the idle time into 1.
        LoadCase{"IdleAboveLoadedWork", {{"dateM", "50"}, {"workingM", "30"}}, false, {"30", "1", "30", "1", "30分"}},
        // 100 fails against the form's 90 before the work time of 120 arrives; loaded the other way round
        // it would pass.
        LoadCase{"IdleAboveFormWork", {{"dateM", "100"}, {"workingM", "120"}}, false, {"120", "1", "120", "1", "2时"}},
        // A missing key gives the default, and writing it into the box saves it even though the text did
        // not change.
        LoadCase{"MissingIdleKey", {{"workingM", "120"}}, false, {"120", "10", "120", "10", "2时"}},
        LoadCase{"ZeroWorkTime", {{"workingM", "0"}, {"dateM", "10"}}, false, {"1", "1", "1", "1", "1分"}},
        // Only exactly "1" turns the delay option on.
        LoadCase{"DelayFlagNotExactlyOne", {{"xzyctimeS", "01"}}, false, {"90", "10", "90", "10", "1时30分"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorlane::e2e
