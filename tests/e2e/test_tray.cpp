// Life in the notification area and the ways the window closes: minimising with the mouse or the keyboard,
// the close box and Esc with and without "关闭到托盘", the tray icon's double click and menu, a restarted
// notification area, and the end of the session.
#include "desk_helpers.h"

#include <shellapi.h>

#include <ostream>
#include <thread>

namespace vorlane::e2e {
namespace {

using namespace desk;

// How long a state must hold to count as kept; the program acts on a posted message within milliseconds.
constexpr Millis kSettle = 700ms;

class TrayTest : public VorlaneTest {
protected:
    bool hidden() const { return !IsWindowVisible(ui_.window); }
    bool inTray() const { return hidden() && trayIconShown(); }
    bool asPanel() const { return IsWindowVisible(ui_.window) && !IsIconic(ui_.window) && !trayIconShown(); }

    // The minimise command as the title-bar button gives it: with the pointer's position in lParam.
    void minimiseWithMouse()
    {
        const RECT frame = screenRect(ui_.window);
        PostMessageW(ui_.window, WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(frame.right - 40, frame.top + 10));
        ASSERT_TRUE(waitFor([&] { return inTray(); }, 2s))
            << "after a mouse minimise: visible " << IsWindowVisible(ui_.window) << ", tray icon "
            << trayIconShown();
    }

    void doubleClickTrayIcon()
    {
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            postTrayMouse(ui_.window, message);
        }
    }

    void checkCloseToTray()
    {
        click(ui_.closeToTray);
        ASSERT_TRUE(isChecked(ui_.closeToTray));
    }

    // A real click into the edit box gives it the focus the way a user would, then a real Esc.
    void pressEscapeIn(HWND edit)
    {
        const RECT place = placeInParent(edit);
        ASSERT_TRUE(clickIntoWindow(ui_.window, centreOf(place))) << "the main window did not come to the front";
        ASSERT_TRUE(waitFor([&] { return focusedWindowOf(ui_.window) == edit; }, 2s))
            << "the click did not focus the edit box";
        pressKey(VK_ESCAPE);
    }

    // Opens the tray icon's menu and waits for it.
    HWND openTrayMenu()
    {
        postTrayMouse(ui_.window, WM_RBUTTONUP);
        HWND menu = nullptr;
        waitFor([&] { return (menu = openPopupMenu(app_->id())) != nullptr; }, 2s);
        return menu;
    }
};

using TrayResidence = TrayTest;

TEST_F(TrayResidence, MouseMinimiseHidesToTrayAndDoubleClickBringsItBack)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_FALSE(trayIconShown());
    ASSERT_NO_FATAL_FAILURE(minimiseWithMouse());
    EXPECT_TRUE(app_->running());

    // A single click is no request to come back.
    postTrayMouse(ui_.window, WM_LBUTTONDOWN);
    postTrayMouse(ui_.window, WM_LBUTTONUP);
    EXPECT_FALSE(waitFor([&] { return !inTray(); }, kSettle)) << "a single click changed the state";

    doubleClickTrayIcon();
    ASSERT_TRUE(waitFor([&] { return asPanel(); }, 2s))
        << "after the double click: visible " << IsWindowVisible(ui_.window) << ", minimised "
        << IsIconic(ui_.window) << ", tray icon " << trayIconShown();
    // Counting went on while hidden, and the caption shows it again.
    EXPECT_TRUE(waitFor([&] { return shownCount().has_value(); }, 2s)) << ui_.caption();
}

TEST_F(TrayResidence, KeyboardMinimiseOnlyMinimises)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    PostMessageW(ui_.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitFor([&] { return IsIconic(ui_.window) != 0; }, 2s)) << "not minimised";
    EXPECT_FALSE(waitFor([&] { return hidden() || trayIconShown(); }, kSettle))
        << "visible " << IsWindowVisible(ui_.window) << ", tray icon " << trayIconShown();
}

TEST_F(TrayResidence, RestartedNotificationAreaGetsTheIconBack)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_NO_FATAL_FAILURE(minimiseWithMouse());

    // Losing the icon the way a restarted notification area does: it is gone while the program thinks
    // it is still shown.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = ui_.window;
    icon.uID = 100;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    ASSERT_TRUE(waitFor([] { return !trayIconShown(); }, 2s)) << "the tray window stayed without the icon";

    SendMessageW(ui_.window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(waitFor([] { return trayIconShown(); }, 2s)) << "the icon was not added again";
    EXPECT_TRUE(hidden());

    // The icon that came back is the program's: its double click still shows the panel.
    doubleClickTrayIcon();
    EXPECT_TRUE(waitFor([&] { return asPanel(); }, 2s));
}

TEST_F(TrayResidence, EndOfSessionIsAllowedAndDoesNotHide)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    for (bool closeToTray : {false, true}) {
        SCOPED_TRACE(closeToTray ? "关闭到托盘 checked" : "关闭到托盘 unchecked");
        if (closeToTray) {
            ASSERT_NO_FATAL_FAILURE(checkCloseToTray());
        }
        EXPECT_NE(SendMessageW(ui_.window, WM_QUERYENDSESSION, 0, 0), 0) << "the end of the session was refused";
        EXPECT_FALSE(waitFor([&] { return !asPanel(); }, kSettle))
            << "visible " << IsWindowVisible(ui_.window) << ", tray icon " << trayIconShown();
        EXPECT_TRUE(app_->running());
    }
}

// ---- Closing --------------------------------------------------------------------------------------------

enum class CloseBy { CloseBox, EscInWorkBox, EscInIdleBox };

struct CloseCase {
    const char* name;
    CloseBy how;
    bool closeToTray;
};

std::ostream& operator<<(std::ostream& out, const CloseCase& c)
{
    return out << c.name;
}

class Closing : public TrayTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, EndsTheProgramOrHidesToTheTray)
{
    const CloseCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    if (c.closeToTray) {
        ASSERT_NO_FATAL_FAILURE(checkCloseToTray());
    }

    switch (c.how) {
    case CloseBy::CloseBox: PostMessageW(ui_.window, WM_CLOSE, 0, 0); break;
    case CloseBy::EscInWorkBox: ASSERT_NO_FATAL_FAILURE(pressEscapeIn(ui_.workBox)); break;
    case CloseBy::EscInIdleBox: ASSERT_NO_FATAL_FAILURE(pressEscapeIn(ui_.idleBox)); break;
    }

    if (c.closeToTray) {
        EXPECT_TRUE(waitFor([&] { return inTray(); }, 2s))
            << "visible " << IsWindowVisible(ui_.window) << ", tray icon " << trayIconShown();
        EXPECT_TRUE(IsWindow(ui_.window));
        EXPECT_FALSE(app_->waitForExit(kSettle)) << "the program ended";
    } else {
        EXPECT_EQ(app_->waitForExit(5s), std::optional<DWORD>(0));
        EXPECT_FALSE(trayIconShown());
    }
}

INSTANTIATE_TEST_SUITE_P(Window, Closing,
                         ::testing::Values(CloseCase{"CloseBox", CloseBy::CloseBox, false},
                                           CloseCase{"EscInWorkBox", CloseBy::EscInWorkBox, false},
                                           CloseCase{"EscInIdleBox", CloseBy::EscInIdleBox, false},
                                           CloseCase{"CloseBoxToTray", CloseBy::CloseBox, true},
                                           CloseCase{"EscInWorkBoxToTray", CloseBy::EscInWorkBox, true},
                                           CloseCase{"EscInIdleBoxToTray", CloseBy::EscInIdleBox, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The tray menu --------------------------------------------------------------------------------------

enum class TrayChoice { ShowPanel, Quit, Dismiss };
enum class Pick { Keys, Clicks };

struct TrayMenuCase {
    const char* name;
    TrayChoice choice;
    Pick pick;
};

std::ostream& operator<<(std::ostream& out, const TrayMenuCase& c)
{
    return out << c.name;
}

class TrayMenu : public TrayTest, public ::testing::WithParamInterface<TrayMenuCase> {
protected:
    // "显示面板", a separator, "退出": Down lands on the first item and skips the separator.
    void pickWithKeys(TrayChoice choice)
    {
        switch (choice) {
        case TrayChoice::ShowPanel: pressKeys({VK_DOWN, VK_RETURN}); break;
        case TrayChoice::Quit: pressKeys({VK_DOWN, VK_DOWN, VK_RETURN}); break;
        case TrayChoice::Dismiss: pressKeys({VK_ESCAPE}); break;
        }
    }

    // The first item is at the top of the menu and "退出" at its bottom; a click outside dismisses it.
    void pickWithClicks(HWND menu, TrayChoice choice)
    {
        RECT client{};
        GetClientRect(menu, &client);
        constexpr int kInset = 6;
        switch (choice) {
        case TrayChoice::ShowPanel: leftClickAt(clientToScreen(menu, {client.right / 2, kInset})); break;
        case TrayChoice::Quit: leftClickAt(clientToScreen(menu, {client.right / 2, client.bottom - kInset})); break;
        case TrayChoice::Dismiss: {
            // The menu window shows a moment before the menu takes the mouse; a click outside it in
            // between reaches no one and leaves the menu open.
            std::this_thread::sleep_for(300ms);
            const RECT frame = screenRect(menu);
            leftClickAt({frame.right + 200, frame.bottom + 200});
            break;
        }
        }
    }
};

TEST_P(TrayMenu, ChoiceShowsQuitsOrDoesNothing)
{
    const TrayMenuCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    // Checked, so that "退出" is seen to quit without asking the close question.
    ASSERT_NO_FATAL_FAILURE(checkCloseToTray());
    ASSERT_NO_FATAL_FAILURE(minimiseWithMouse());

    const HWND menu = openTrayMenu();
    ASSERT_NE(menu, nullptr) << "the right click opened no menu";
    if (c.pick == Pick::Keys) {
        pickWithKeys(c.choice);
    } else {
        pickWithClicks(menu, c.choice);
    }
    EXPECT_TRUE(waitFor([&] { return openPopupMenu(app_->id()) == nullptr; }, 2s)) << "the menu stayed open";

    switch (c.choice) {
    case TrayChoice::ShowPanel:
        EXPECT_TRUE(waitFor([&] { return asPanel(); }, 2s))
            << "visible " << IsWindowVisible(ui_.window) << ", minimised " << IsIconic(ui_.window)
            << ", tray icon " << trayIconShown();
        EXPECT_TRUE(app_->running());
        break;
    case TrayChoice::Quit:
        EXPECT_EQ(app_->waitForExit(5s), std::optional<DWORD>(0));
        EXPECT_FALSE(trayIconShown()) << "the icon outlived the program";
        break;
    case TrayChoice::Dismiss:
        EXPECT_FALSE(waitFor([&] { return !inTray() || !app_->running(); }, kSettle))
            << "dismissing the menu changed something";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Tray, TrayMenu,
                         ::testing::Values(TrayMenuCase{"KeysShowPanel", TrayChoice::ShowPanel, Pick::Keys},
                                           TrayMenuCase{"KeysQuit", TrayChoice::Quit, Pick::Keys},
                                           TrayMenuCase{"KeysDismiss", TrayChoice::Dismiss, Pick::Keys},
                                           TrayMenuCase{"ClickShowPanel", TrayChoice::ShowPanel, Pick::Clicks},
                                           TrayMenuCase{"ClickQuit", TrayChoice::Quit, Pick::Clicks},
                                           TrayMenuCase{"ClickDismiss", TrayChoice::Dismiss, Pick::Clicks}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorlane::e2e
