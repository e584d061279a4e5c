// The menu bar driven with real input, each item known by what it does, the same commands posted by id,
// the autostart entry in the Run key, and the hover hints of the two labels.
#include "desk_helpers.h"

#include <ostream>
#include <thread>

namespace vorlane::e2e {
namespace {

using namespace desk;

// What choosing an item leaves behind; the items of a menu are told apart by it, since another process
// cannot read the menu's texts.
enum class Effect {
    Nothing,        // the monitor-off command: Wine ignores SC_MONITORPOWER
    PausesOnly,     // sleep without darkening
    PausesAndDarks, // sleep with the screen darkened: on Xvfb the cover windows stand for the ramp
    Registers,      // the autostart entry is written
};

struct MenuItem {
    const char* name;
    int menu;   // 0 "屏幕", 1 "选项"
    int item;   // position in its menu
    int itemsInMenu;
    WORD id;
    Effect effect;
};

const MenuItem kItems[] = {
    {"MonitorOff", 0, 0, 3, 101, Effect::Nothing},
    {"SleepWithoutDimming", 0, 1, 3, 102, Effect::PausesOnly},
    {"SleepNow", 0, 2, 3, 103, Effect::PausesAndDarks},
    {"Autostart", 1, 0, 1, 201, Effect::Registers},
};

enum class Route { Keyboard, Mouse, PostedCommand };

struct MenuCase {
    MenuItem item;
    Route route;
};

std::ostream& operator<<(std::ostream& out, const MenuCase& c)
{
    return out << c.item.name;
}

class MenuCommands : public VorlaneTest, public ::testing::WithParamInterface<MenuCase> {
protected:
    // Alt selects the first title of the bar, Right moves to the next, Down opens the menu on its first
    // item, and each further Down moves one item on; Enter chooses.
    void chooseWithKeyboard(const MenuItem& item)
    {
        ASSERT_TRUE(bringToFront(ui_.window)) << "the main window did not come to the front";
        pressKeys({VK_MENU});
        for (int i = 0; i < item.menu; ++i) pressKeys({VK_RIGHT});
        pressKeys({VK_DOWN});
        ASSERT_TRUE(waitFor([&] { return openPopupMenu(app_->id()) != nullptr; }, 2s))
            << "Alt, Down opened no menu";
        for (int i = 0; i < item.item; ++i) pressKeys({VK_DOWN});
        pressKeys({VK_RETURN});
    }

    // A click on the title opens the menu below it; the items share the menu's client area evenly (the
    // menus have no separators).
    void chooseWithMouse(const MenuItem& item)
    {
        ASSERT_TRUE(bringToFront(ui_.window)) << "the main window did not come to the front";
        const RECT bar = menuBarRect(ui_.window);
        const int titleWidth = titleWidthOnBar();
        const POINT title{bar.left + titleWidth * item.menu + titleWidth / 2, (bar.top + bar.bottom) / 2};
        leftClickAt(title);
        HWND menu = nullptr;
        ASSERT_TRUE(waitFor([&] { return (menu = openPopupMenu(app_->id())) != nullptr; }, 2s))
            << "a click on the menu bar at (" << title.x << "," << title.y << ") opened no menu";
        RECT client{};
        GetClientRect(menu, &client);
        const int itemHeight = client.bottom / item.itemsInMenu;
        const POINT spot = clientToScreen(menu, {client.right / 2, itemHeight * item.item + itemHeight / 2});
        leftClickAt(spot);
    }

    // The bar's titles are two characters of the menu font each, with the system's spacing around them.
    static int titleWidthOnBar()
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        const HDC dc = GetDC(nullptr);
        const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, L"屏幕", 2, &size);
        SelectObject(dc, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
        // Each title is padded by about one character's width in all.
        return size.cx + size.cx / 2;
    }

    void expectEffect(Effect effect)
    {
        ASSERT_TRUE(waitFor([&] { return openPopupMenu(app_->id()) == nullptr; }, 2s)) << "the menu stayed open";
        switch (effect) {
        case Effect::Nothing: {
            const auto before = shownCount();
            std::this_thread::sleep_for(1500ms);
            EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
            EXPECT_TRUE(coverWindows().empty());
            EXPECT_FALSE(readRunValue());
            EXPECT_TRUE(app_->running());
            EXPECT_GT(shownCount().value_or(-1), before.value_or(-1)) << "counting stopped: " << ui_.caption();
            break;
        }
        case Effect::PausesOnly:
            EXPECT_TRUE(waitFor([&] { return windowText(ui_.pauseButton) == "开始"; }, 2s))
                << "pause button reads " << windowText(ui_.pauseButton);
            EXPECT_FALSE(waitFor([] { return !coverWindows().empty(); }, 1s)) << "the screen was darkened";
            EXPECT_FALSE(readRunValue());
            break;
        case Effect::PausesAndDarks: {
            EXPECT_TRUE(waitFor([&] { return windowText(ui_.pauseButton) == "开始"; }, 2s))
                << "pause button reads " << windowText(ui_.pauseButton);
            EXPECT_TRUE(waitFor([] { return !coverWindows().empty(); }, 2s)) << "no cover window appeared";
            EXPECT_FALSE(readRunValue());
            // The first key brings the picture back.
            pressKey(VK_SHIFT);
            EXPECT_TRUE(waitFor([] { return coverWindows().empty(); }, 2s)) << "the covers stayed after a key";
            break;
        }
        case Effect::Registers: {
            std::optional<RunValue> value;
            EXPECT_TRUE(waitFor([&] { return (value = readRunValue()).has_value(); }, 2s)) << "no Run value";
            if (value) {
                EXPECT_TRUE(samePathText(value->text, expectedRunText())) << value->text;
            }
            EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
            EXPECT_TRUE(coverWindows().empty());
            break;
        }
        }
    }
};

TEST_P(MenuCommands, ChosenItemReachesItsHandler)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(1, 4s)) << "not counting: " << ui_.caption();
    ASSERT_EQ(windowText(ui_.pauseButton), "暂停");
    ASSERT_TRUE(coverWindows().empty());
    ASSERT_FALSE(readRunValue());

    const MenuCase& c = GetParam();
    switch (c.route) {
    case Route::Keyboard: ASSERT_NO_FATAL_FAILURE(chooseWithKeyboard(c.item)); break;
    case Route::Mouse: ASSERT_NO_FATAL_FAILURE(chooseWithMouse(c.item)); break;
    case Route::PostedCommand: postMenuCommand(ui_.window, c.item.id); break;
    }
    expectEffect(c.item.effect);
}

std::vector<MenuCase> allCases()
{
    std::vector<MenuCase> cases;
    for (Route route : {Route::Keyboard, Route::Mouse, Route::PostedCommand}) {
        for (const MenuItem& item : kItems) cases.push_back({item, route});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(MenuBar, MenuCommands, ::testing::ValuesIn(allCases()), [](const auto& info) {
    const char* route = info.param.route == Route::Keyboard ? "Keys"
                        : info.param.route == Route::Mouse  ? "Clicks"
                                                            : "Posted";
    return std::string(route) + "_" + info.param.item.name;
});

// ---- The autostart entry --------------------------------------------------------------------------------

struct AutostartCase {
    const char* name;
    std::optional<std::string> textBefore;   // REG_SZ written before the start
    std::optional<DWORD> numberBefore;       // REG_DWORD written before the start
    bool registersFirst;                     // the first command writes the path (else it deletes)
};

class AutostartCommand : public VorlaneTest, public ::testing::WithParamInterface<AutostartCase> {};

TEST_P(AutostartCommand, CommandTogglesTheRunValue)
{
    const AutostartCase& c = GetParam();
    if (c.textBefore) {
        ASSERT_TRUE(writeRunValue(*c.textBefore));
    }
    if (c.numberBefore) {
        ASSERT_TRUE(writeRunValue(*c.numberBefore));
    }
    ASSERT_NO_FATAL_FAILURE(startVorlane());

    const auto written = [] {
        const auto value = readRunValue();
        return value && value->type == REG_SZ && samePathText(value->text, expectedRunText());
    };
    const auto absent = [] { return !readRunValue().has_value(); };

    postMenuCommand(ui_.window, 201);
    if (c.registersFirst) {
        ASSERT_TRUE(waitFor(written, 2s)) << "the first command did not write the path";
        const auto value = readRunValue();
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        // Quotes first and last, so that a directory with spaces starts the right program.
        EXPECT_TRUE(samePathText(value->text, expectedRunText())) << value->text;
        // The stored length counts the terminating zero.
        EXPECT_EQ(value->size, (utf16(value->text).size() + 1) * sizeof(wchar_t));
        postMenuCommand(ui_.window, 201);
        EXPECT_TRUE(waitFor(absent, 2s)) << "the second command did not delete the value";
    } else {
        ASSERT_TRUE(waitFor(absent, 2s)) << "the first command did not delete the value";
        postMenuCommand(ui_.window, 201);
        EXPECT_TRUE(waitFor(written, 2s)) << "the second command did not write the path";
    }
}

INSTANTIATE_TEST_SUITE_P(
    RunKey, AutostartCommand,
    ::testing::Values(AutostartCase{"CleanProfile", std::nullopt, std::nullopt, true},
                      // "123" is what the program reads when the value is missing.
                      AutostartCase{"TextOneTwoThree", "123", std::nullopt, true},
                      AutostartCase{"NumberValue", std::nullopt, 123u, true},
                      // Any other text counts as registered, another copy's path included.
                      AutostartCase{"OtherCopysPath", "\"C:\\elsewhere\\Vorlane.exe\"", std::nullopt, false},
                      AutostartCase{"EmptyText", "", std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Hover hints ----------------------------------------------------------------------------------------

struct HintCase {
    const char* labelText;
    POINT place;   // the label's top-left corner in client coordinates, 110 x 25
    const char* hint;
};

const HintCase kHints[] = {
    {"工作时长(分)", {31, 14}, "持续亮屏多久提醒一次."},
    {"未操作检测时长(分)", {31, 59}, "多久时间内无操作计时重置."},
};

using HoverHints = VorlaneTest;

TEST_F(HoverHints, RestingOnALabelShowsItsHintForThreeSeconds)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    for (const HintCase& hint : kHints) {
        SCOPED_TRACE(hint.labelText);
        ASSERT_EQ(visibleBalloon(app_->id()), nullptr) << "a balloon shows before the pointer got there";
        const POINT spot = clientToScreen(ui_.window, {hint.place.x + 55, hint.place.y + 12});
        ASSERT_TRUE(movePointerTo(spot));
        const auto arrived = Clock::now();

        HWND balloon = nullptr;
        ASSERT_TRUE(waitFor([&] { return (balloon = visibleBalloon(app_->id())) != nullptr; }, 1500ms))
            << "no hint within 1.5 s";
        const auto shown = Clock::now();
        EXPECT_LE(seconds(shown - arrived), 1.0);
        EXPECT_EQ(windowText(balloon), hint.hint);

        ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(balloon); }, 5s)) << "the hint stayed";
        EXPECT_NEAR(seconds(Clock::now() - shown), 3.0, 0.6) << "shown for 3 s";

        // Away from both labels, so the next one starts from a pointer that has left.
        ASSERT_TRUE(movePointerTo(clientToScreen(ui_.window, {410, 5})));
        std::this_thread::sleep_for(200ms);
    }
}

}  // namespace
}  // namespace vorlane::e2e
