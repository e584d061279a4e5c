// What the rest and blackout tests need beyond the common driver: a user who keeps working until the
// working time is up, the countdown balloon, the black cover windows and a look at the screen itself.
#pragma once

#include "vorlane_driver.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane::e2e {

inline constexpr const char* kRestQuestion = "已长时间工作,还不休息吗?铁子!!!";
inline constexpr const char* kAboutToSleep = "已将要进入休眠,请稍候再试.";
inline constexpr WPARAM kSleepNowCommand = 103;

// The countdown balloon's text for the given number of seconds left.
std::string countdownText(int secondsLeft);

// Moves the pointer with an injected absolute move, so it counts as input.
void movePointer(POINT to);
POINT pointerPosition();

// A visible VorlaneBalloon window of the process, or null.
HWND visibleBalloon(DWORD processId);

// The visible black cover windows of every process (a cover left behind by a dead or hung program is as
// bad as one of a live program).
std::vector<HWND> visibleCovers();
// Every cover window, visible or not.
std::vector<HWND> allCovers();

RECT virtualScreen();
// Empty when the windows together cover the whole virtual screen and nothing outside it, else what is wrong.
std::string checkCoversScreen(const std::vector<HWND>& covers);
// Points of the screen that do not read back black, as "(x,y)=#rrggbb"; nullopt when the screen cannot be
// read at all.
std::optional<std::vector<std::string>> nonBlackPoints();

// Answers a message box as its button would.
void answer(HWND box, int buttonId);

// The rest tests: the program starts with a working time (and idle time) of one minute, the shortest
// there is, so the rest prompt comes on the 60th tick.
class RestTest : public VorlaneTest {
protected:
    // Writes the settings file and starts the program; fails fatally when it cannot.
    void startWithOneMinute(bool sleepDelay = false, int delaySeconds = 60);

    // Polls `condition` until it holds or `timeout` has passed, meanwhile moving the pointer between two
    // points near `kBusyPointer` every few seconds so the idle check never resets the count. The moves stop
    // five seconds before the working time is up, so that the pointer stands still when the prompt reads it.
    bool keepWorkingUntil(const std::function<bool()>& condition, Millis timeout);

    // The "警告" box once the working time is up, or null.
    HWND waitForWarning();
    // The first countdown balloon once the working time is up, or null.
    HWND waitForCountdown();

    static constexpr POINT kBusyPointer{400, 260};
};

}  // namespace vorlane::e2e
