// The darkened screen: how it comes (OK on the rest prompt, "立即休眠"), how a key takes it away, and that
// it never outlives the program, whether that closes or crashes. Where the display refuses gamma ramps,
// as this test display does, black top-most cover windows do the darkening.
#include "rest_helpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>
#include <thread>

namespace vorlane::e2e {
namespace {

constexpr WORD kAnyKey = VK_SHIFT;   // reaches the keyboard watch and clicks nothing that has the focus

// The screen DC's gamma ramp, or nullopt with the error when the display driver refuses to give it.
struct GammaReading {
    std::optional<std::vector<WORD>> ramp;
    DWORD error = 0;
};

GammaReading readGamma()
{
    GammaReading reading;
    std::vector<WORD> ramp(3 * 256);
    const HDC screen = GetDC(nullptr);
    if (GetDeviceGammaRamp(screen, ramp.data())) {
        reading.ramp = std::move(ramp);
    } else {
        reading.error = GetLastError();
    }
    ReleaseDC(nullptr, screen);
    return reading;
}

bool isBlack(const std::vector<WORD>& ramp)
{
    return std::all_of(ramp.begin(), ramp.end(), [](WORD value) { return value == 0; });
}

// For the picture in the documentation, tests/e2e/shot-blackout.sh sets VORLANE_SHOT_DIR (a Windows path):
// the test then tells the script its display and waits while the script photographs the dark screen.
void offerScreenshot()
{
    const char* dir = std::getenv("VORLANE_SHOT_DIR");
    const char* display = std::getenv("DISPLAY");
    if (dir == nullptr || display == nullptr) return;
    const std::filesystem::path folder = utf16(dir);
    // Written aside and renamed, so the script never reads half a line.
    std::ofstream(folder / L"display.tmp", std::ios::binary) << display << "\n";
    std::error_code error;
    std::filesystem::rename(folder / L"display.tmp", folder / L"display", error);
    ASSERT_FALSE(error) << "cannot write to VORLANE_SHOT_DIR " << dir;
    EXPECT_TRUE(waitFor([&] { return std::filesystem::exists(folder / L"done", error); }, 30s))
        << "shot-blackout.sh did not take the screenshot";
}

class Blackout : public RestTest {
protected:
    void sleepNow() { PostMessageW(ui_.window, WM_COMMAND, kSleepNowCommand, 0); }

    // Waits for the covers and checks that they black the whole screen out.
    void expectDark()
    {
        ASSERT_TRUE(waitFor([] { return !visibleCovers().empty(); }, 3s)) << "no visible VorlaneCover window";
        const std::string problem = checkCoversScreen(visibleCovers());
        EXPECT_TRUE(problem.empty()) << problem;
        // What the user sees: the pixels of the screen, the program's own window among them.
        if (const auto bright = nonBlackPoints()) {
            EXPECT_TRUE(bright->empty()) << bright->size() << " of 81 points not black, first " << bright->front();
        } else {
            std::cout << "[   NOTE   ] the screen's pixels cannot be read back here\n";
        }
    }

    void expectLight()
    {
        EXPECT_TRUE(waitFor([] { return visibleCovers().empty(); }, 3s))
            << visibleCovers().size() << " cover(s) still visible";
    }
};

TEST_F(Blackout, OkOnTheRestPromptDarkensAndAKeyStartsTheCountAgain)
{
    ASSERT_NO_FATAL_FAILURE(startWithOneMinute());
    const HWND warning = waitForWarning();
    ASSERT_NE(warning, nullptr) << "no 警告 box after 75 s; caption: " << ui_.caption();
    EXPECT_TRUE(visibleCovers().empty()) << "dark before the answer";

    answer(warning, IDOK);
    ASSERT_NO_FATAL_FAILURE(expectDark());
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
    EXPECT_FALSE(nextCount(std::nullopt, 1500ms, "1分")) << "counting while dark: " << ui_.caption();
    // The mouse does not wake the picture; only the keyboard does.
    movePointer(kBusyPointer);
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(visibleCovers().empty()) << "a pointer move took the darkening away";

    const auto pressedAt = Clock::now();
    pressKey(kAnyKey);
    expectLight();
    const auto first = nextCount(std::nullopt, 3s, "1分");
    ASSERT_TRUE(first) << "no count after the key; caption: " << ui_.caption();
    EXPECT_EQ(first->seconds, 1) << "after the rest the count starts again from 0";
    EXPECT_NEAR(seconds(first->seen - pressedAt), 1.0, 0.5);
    EXPECT_EQ(windowText(ui_.pauseButton), "暂停");
}

TEST_F(Blackout, SleepNowPausesDarkensTheWholeScreenAndAKeyKeepsThePause)
{
    const GammaReading gamma = readGamma();
    if (gamma.ramp) {
        std::cout << "[   NOTE   ] GetDeviceGammaRamp on the screen DC succeeds here\n";
    } else {
        std::cout << "[   NOTE   ] GetDeviceGammaRamp on the screen DC fails here (error " << gamma.error
                  << "): the display refuses gamma ramps, so only cover windows can darken it\n";
    }
    RecordProperty("gamma_ramp", gamma.ramp ? "readable" : "refused");

    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(2, 5s)) << ui_.caption();

    sleepNow();
    const bool covered = waitFor([] { return !visibleCovers().empty(); }, 3s);
    EXPECT_EQ(windowText(ui_.pauseButton), "开始") << "立即休眠 pauses a running count";
    if (!gamma.ramp) {
        EXPECT_TRUE(covered) << "the gamma ramp is refused, yet no cover window came";
    } else {
        const GammaReading dark = readGamma();
        EXPECT_TRUE(covered || (dark.ramp && isBlack(*dark.ramp))) << "neither a black ramp nor covers";
    }
    if (covered) {
        ASSERT_NO_FATAL_FAILURE(expectDark());
    }
    offerScreenshot();

    pressKey(kAnyKey);
    expectLight();
    if (gamma.ramp) {
        const GammaReading after = readGamma();
        EXPECT_EQ(after.ramp, gamma.ramp) << "the key must bring the picture's own ramp back";
    }
    EXPECT_EQ(windowText(ui_.pauseButton), "开始") << "after 立即休眠 the user resumes by hand";
    const std::vector<CountSample> samples = watchCount(2500ms);
    ASSERT_FALSE(samples.empty()) << ui_.caption();
    EXPECT_EQ(samples.size(), 1u) << "the count moved after the key, last " << samples.back().seconds;
}

TEST_F(Blackout, ClosingWhileDarkEndsTheProgramWithNoCoverLeft)
{
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(1, 5s)) << ui_.caption();
    sleepNow();
    ASSERT_NO_FATAL_FAILURE(expectDark());

    PostMessageW(ui_.window, WM_CLOSE, 0, 0);
    const auto code = app_->waitForExit(10s);
    ASSERT_TRUE(code) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(allCovers().empty()) << allCovers().size() << " cover window(s) left";
}

// Wine answers an unhandled exception by starting its debugger. By default the debugger opens a crash
// dialog and holds the stopped process behind it, covers and all, until the dialog is answered: only the
// program's own crash guard can take the covers away then. With the dialog turned off
// (HKCU\Software\Wine\WineDbg, ShowCrashDialog = 0) the debugger ends the process at once. Neither
// blocks the test: it never waits on the dialog, and its teardown ends the program either way.
struct CrashCase {
    const char* name;
    bool crashDialog;   // also: the debugger holds the process instead of ending it
};

void PrintTo(const CrashCase& c, std::ostream* out) { *out << c.name; }

void setCrashDialog(bool shown)
{
    const DWORD value = shown ? 1 : 0;
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineDbg", L"ShowCrashDialog",
                                           REG_DWORD, &value, sizeof value);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot set Wine's crash dialog";
}

// Starts a thread in the process at an address where nothing is mapped: an access violation nobody handles.
void crash(DWORD processId)
{
    const Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                         PROCESS_VM_WRITE | PROCESS_VM_READ,
                                     FALSE, processId));
    ASSERT_NE(process.get(), nullptr) << "OpenProcess failed, error " << GetLastError();
    const Handle thread(CreateRemoteThread(process.get(), nullptr, 0,
                                           reinterpret_cast<LPTHREAD_START_ROUTINE>(std::uintptr_t{0x10}), nullptr,
                                           0, nullptr));
    ASSERT_NE(thread.get(), nullptr) << "CreateRemoteThread failed, error " << GetLastError();
}

class CrashWhileDark : public Blackout, public ::testing::WithParamInterface<CrashCase> {};

TEST_P(CrashWhileDark, TakesTheCoversAway)
{
    ASSERT_NO_FATAL_FAILURE(setCrashDialog(GetParam().crashDialog));
    ASSERT_NO_FATAL_FAILURE(startVorlane());
    ASSERT_TRUE(waitForCount(1, 5s)) << ui_.caption();
    sleepNow();
    ASSERT_NO_FATAL_FAILURE(expectDark());

    ASSERT_NO_FATAL_FAILURE(crash(app_->id()));
    const auto crashedAt = Clock::now();
    const bool light = waitFor([] { return visibleCovers().empty(); }, 5s);
    const double after = seconds(Clock::now() - crashedAt);
    EXPECT_TRUE(light) << visibleCovers().size() << " cover(s) still visible 5 s after the crash"
                       << (app_->running() ? "; the program still runs" : "; the program has ended");
    const auto code = app_->waitForExit(3s);
    std::cout << "[   NOTE   ] covers " << (light ? "gone " : "still up ") << after
              << " s after the crash; 3 s later the program "
              << (code ? "has ended" : "is still held by the debugger") << "\n";
    if (GetParam().crashDialog) {
        // Only a process that stays shows that the program itself took the covers away.
        EXPECT_FALSE(code) << "the debugger did not hold the process: this case proves nothing";
    } else {
        // The guard must let the crash go on to its end, not swallow it or hang in it.
        ASSERT_TRUE(code) << "the crashed program did not end";
        EXPECT_EQ(*code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    }
}

INSTANTIATE_TEST_SUITE_P(Blackout, CrashWhileDark,
                         ::testing::Values(CrashCase{"WithWinesCrashDialog", true},
                                           CrashCase{"WithoutCrashDialog", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorlane::e2e
