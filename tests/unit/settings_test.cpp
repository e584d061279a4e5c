// Loading the settings, the two boxes' validation with its nested re-entry,
// and the sleep-delay option's input box.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

const std::string kIni = "C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini";

std::vector<std::string> writes(const FakeOs& os) { return os.logOf("writeProfile"); }

TEST(LoadSettings, CleanProfileShowsDefaultsAndWritesBothBoxes) {
    App app;
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.os.texts[Control::编辑框2], "10");
    EXPECT_EQ(app.os.texts[Control::编辑框1], "90");
    EXPECT_FALSE(app.os.checks[Control::选择框3]);
    EXPECT_EQ(app.program.state().sleepDelaySeconds, 60);
    EXPECT_EQ(app.os.iniValue("dateM"), "10");
    EXPECT_EQ(app.os.iniValue("workingM"), "90");
    // The idle box is loaded and validated first, then the work box.
    const std::vector<std::string> profile = [&] {
        std::vector<std::string> out;
        for (const auto& line : app.os.log)
            if (line.rfind("readProfile", 0) == 0 || line.rfind("writeProfile", 0) == 0 ||
                line.rfind("setText", 0) == 0)
                out.push_back(line);
        return out;
    }();
    EXPECT_EQ(profile, (std::vector<std::string>{
                           "readProfile kov dateM " + kIni,
                           "setText 编辑框2 10",
                           "writeProfile dateM=10",
                           "readProfile kov workingM " + kIni,
                           "setText 编辑框1 90",
                           "writeProfile workingM=90",
                           "readProfile kov xzyctimeS " + kIni,
                           "readProfile kov yctimeS " + kIni,
                       }));
}

TEST(LoadSettings, FilledFileIsValidatedAgainstItself) {
    App app;
    auto& file = app.os.ini[kIni];
    file["kov/dateM"] = "20";
    file["kov/workingM"] = "15";
    file["kov/xzyctimeS"] = "1";
    file["kov/yctimeS"] = "700";  // taken unchanged at load
    ASSERT_TRUE(app.start());
    // dateM=20 passes against the form's 90; then workingM=15 cascades into
    // the idle box, which becomes 1.
    EXPECT_EQ(app.os.texts[Control::编辑框1], "15");
    EXPECT_EQ(app.os.texts[Control::编辑框2], "1");
    EXPECT_EQ(app.os.iniValue("dateM"), "1");
    EXPECT_TRUE(app.os.checks[Control::选择框3]);
    EXPECT_EQ(app.program.state().sleepDelaySeconds, 700);
}

TEST(LoadSettings, DelayFlagMustBeExactlyOne) {
    for (const char* flag : {"01", " 1", "true", "2", ""}) {
        App app;
        app.os.ini[kIni]["kov/xzyctimeS"] = flag;
        app.start();
        EXPECT_FALSE(app.os.checks[Control::选择框3]) << flag;
    }
}

TEST(LoadSettings, NoAppDataFolderUsesTheDriveRoot) {
    App app;
    app.os.appData.reset();
    app.start();
    EXPECT_EQ(app.os.iniValue("workingM", "\\tavolu.ini"), "90");
}

TEST(BoxValidation, TypedZeroInTheWorkBoxCascadesIntoTheIdleBox) {
    App app;
    app.start();
    app.os.log.clear();
    app.os.setText(Control::编辑框1, "0");  // as the user's typing raises it
    EXPECT_EQ(app.os.texts[Control::编辑框1], "1");
    EXPECT_EQ(app.os.texts[Control::编辑框2], "1");
    EXPECT_EQ(app.os.iniValue("workingM"), "1");
    EXPECT_EQ(app.os.iniValue("dateM"), "1");
    // Each handler that rewrites its own box runs once more inside the write
    // and only then goes on.
    EXPECT_EQ(writes(app.os), (std::vector<std::string>{"writeProfile workingM=1", "writeProfile dateM=1",
                                                        "writeProfile dateM=1", "writeProfile workingM=1"}));
}

TEST(BoxValidation, IdleAboveWorkOrNotPositiveBecomesOne) {
    const struct {
        const char* work;
        const char* idle;
        const char* idleAfter;
    } cases[] = {
        {"15", "20", "1"}, {"15", "15", "15"}, {"15", "0", "1"},   {"15", "-3", "1"},
        {"15", "abc", "1"}, {"15", "１２", "１２"}, {"90", "3.9", "3.9"},
    };
    for (const auto& c : cases) {
        App app;
        app.start();
        app.os.setText(Control::编辑框1, c.work);
        app.os.setText(Control::编辑框2, c.idle);
        EXPECT_EQ(app.os.texts[Control::编辑框2], c.idleAfter) << c.work << " / " << c.idle;
        EXPECT_EQ(app.os.iniValue("dateM"), c.idleAfter);
    }
}

TEST(BoxValidation, ResetOnChangeOnlyThroughTheIdleHandler) {
    const struct {
        bool resetOnChange;
        Control box;
        const char* text;
        bool resets;
    } cases[] = {
        {false, Control::编辑框2, "5", false}, {false, Control::编辑框1, "5", false},
        {true, Control::编辑框2, "5", true},   {true, Control::编辑框1, "50", false},
        {true, Control::编辑框1, "5", true},  // 5 < 10 cascades into the idle box
    };
    for (const auto& c : cases) {
        App app;
        app.start();
        app.os.checks[Control::选择框2] = c.resetOnChange;
        app.program.mutableState().elapsedSeconds = 77;
        app.os.setText(c.box, c.text);
        EXPECT_EQ(app.program.state().elapsedSeconds == 0, c.resets)
            << c.resetOnChange << " " << c.text;
    }
}

TEST(SleepDelayOption, InputBoxLoop) {
    using Answers = std::vector<std::optional<std::string>>;
    const struct {
        Answers answers;
        std::int32_t saved;
        std::size_t boxes;
    } cases[] = {
        {{"700", std::nullopt}, 60, 2},
        {{std::nullopt}, 60, 1},  // cancelled first box: old value, option on
        {{"30"}, 30, 1},
        {{"0", "-5", "600"}, 600, 3},
        {{"abc", "601", "1"}, 1, 3},
        {{" 45x"}, 45, 1},
        {{"4294967297"}, 1, 1},  // wraps to 1
    };
    for (const auto& c : cases) {
        App app;
        app.start();
        app.os.log.clear();
        app.os.inputAnswers.assign(c.answers.begin(), c.answers.end());
        app.os.checks[Control::选择框3] = true;
        app.program.onClicked(Control::选择框3);
        EXPECT_EQ(app.program.state().sleepDelaySeconds, c.saved);
        EXPECT_EQ(app.os.iniValue("yctimeS"), std::to_string(c.saved));
        EXPECT_EQ(app.os.iniValue("xzyctimeS"), "1");
        const auto boxes = app.os.logOf("input ");
        ASSERT_EQ(boxes.size(), c.boxes);
        EXPECT_EQ(boxes[0], "input 延迟时间(秒) 请输入一个>0且<=600的整数 60");
        for (std::size_t i = 1; i < boxes.size(); ++i)
            EXPECT_EQ(boxes[i], "input 延迟时间(秒) 请输入一个>0且<=600的整数 60");
    }
}

TEST(SleepDelayOption, FirstBoxShowsTheCurrentDelayAndUncheckingKeepsIt) {
    App app;
    app.os.ini[kIni]["kov/yctimeS"] = "700";
    app.start();
    app.os.checks[Control::选择框3] = true;
    app.program.onSleepDelayToggled();  // cancelled: 700 is out of range
    EXPECT_EQ(app.os.logOf("input ").at(0), "input 延迟时间(秒) 请输入一个>0且<=600的整数 700");
    EXPECT_EQ(app.os.iniValue("yctimeS"), "60");

    app.os.log.clear();
    app.os.checks[Control::选择框3] = false;
    app.program.onSleepDelayToggled();
    EXPECT_EQ(writes(app.os), (std::vector<std::string>{"writeProfile xzyctimeS=0"}));
    EXPECT_TRUE(app.os.logOf("input ").empty());
}

TEST(SleepDelayOption, ReloadTakesTheFileValueUnchecked) {
    App app;
    app.start();
    for (const auto& [text, value] : std::vector<std::pair<std::string, int>>{
             {"0", 0}, {"-3", -3}, {"７", 7}, {"", 0}, {"900", 900}}) {
        app.os.ini[kIni]["kov/yctimeS"] = text;
        app.program.reloadSleepDelay();
        EXPECT_EQ(app.program.state().sleepDelaySeconds, value) << text;
    }
    app.os.ini[kIni].erase("kov/yctimeS");
    app.program.reloadSleepDelay();
    EXPECT_EQ(app.program.state().sleepDelaySeconds, 60);
}

}  // namespace
}  // namespace vorlane::testing
