// The main window on a clean profile: its frame, its controls and the settings file the first start leaves.
#include "vorlane_driver.h"

#include <algorithm>
#include <cstdlib>

namespace vorlane::e2e {
namespace {

using CleanStart = VorlaneTest;

TEST_F(CleanStart, WindowHasItsOuterSizeAndIsCentred)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    const std::string caption = ui_.caption();
    EXPECT_TRUE(caption == "Vorlane" || elapsedInCaption(caption, "1时30分")) << "caption: " << caption;

    const RECT frame = screenRect(ui_.window);
    EXPECT_EQ(frame.right - frame.left, 630);
    EXPECT_EQ(frame.bottom - frame.top, 150);

    // Without a taskbar the work area is the whole screen; either centre is accepted.
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const auto centredIn = [&](const RECT& area) {
        return std::abs((frame.left + frame.right) - (area.left + area.right)) <= 2 &&
               std::abs((frame.top + frame.bottom) - (area.top + area.bottom)) <= 2;
    };
    EXPECT_TRUE(centredIn(screen) || centredIn(workArea))
        << "window at (" << frame.left << "," << frame.top << ")-(" << frame.right << "," << frame.bottom
        << ") on a " << screen.right << "x" << screen.bottom << " screen";
}

struct ExpectedControl {
    ControlKind kind;
    const char* text;
    RECT place;   // left, top, right, bottom in client coordinates
};

// The form: every visible child with its text on a clean profile, its place and its size.
const ExpectedControl kForm[] = {
    {ControlKind::PushButton, "重置", {520, 17, 520 + 72, 17 + 64}},
    {ControlKind::PushButton, "暂停", {431, 17, 431 + 72, 17 + 64}},
    {ControlKind::CheckBox, "休眠延迟", {297, 65, 297 + 90, 65 + 15}},
    {ControlKind::CheckBox, "修改时间计时清零", {297, 42, 297 + 128, 42 + 15}},
    {ControlKind::CheckBox, "关闭到托盘", {297, 19, 297 + 90, 19 + 15}},
    {ControlKind::Edit, "10", {152, 56, 152 + 120, 56 + 32}},
    {ControlKind::Edit, "90", {152, 11, 152 + 120, 11 + 32}},
    {ControlKind::Label, "未操作检测时长(分)", {31, 59, 31 + 110, 59 + 25}},
    {ControlKind::Label, "工作时长(分)", {31, 14, 31 + 110, 14 + 25}},
};

std::string placeText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ") " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

TEST_F(CleanStart, ControlsStandAtTheirPlacesWithTheFormTexts)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    const std::vector<Control> controls = controlsOf(ui_.window);

    int visible = 0;
    for (const Control& control : controls) visible += control.visible ? 1 : 0;
    EXPECT_EQ(visible, static_cast<int>(std::size(kForm))) << "visible children of the main window";

    for (const ExpectedControl& expected : kForm) {
        SCOPED_TRACE(expected.text);
        const auto match = std::find_if(controls.begin(), controls.end(), [&](const Control& c) {
            return c.visible && c.kind == expected.kind && c.text == expected.text;
        });
        ASSERT_NE(match, controls.end()) << "no visible " << toString(expected.kind) << " with this text";
        EXPECT_EQ(placeText(match->place), placeText(expected.place));
    }

    EXPECT_FALSE(isChecked(ui_.closeToTray));
    EXPECT_FALSE(isChecked(ui_.resetOnChange));
    EXPECT_FALSE(isChecked(ui_.sleepDelay));
}

TEST_F(CleanStart, WritesTheDefaultDurationsToTheSettingsFile)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    // Loading sets both boxes from the (missing) file; their change handlers write the values back.
    EXPECT_TRUE(waitFor([] { return readSetting("dateM") && readSetting("workingM"); }, 2s))
        << settingsFilePath().string() << (settingsFileExists() ? " lacks a key" : " was not created");
    EXPECT_EQ(readSetting("dateM"), Setting("10"));
    EXPECT_EQ(readSetting("workingM"), Setting("90"));
}

}  // namespace
}  // namespace vorlane::e2e
