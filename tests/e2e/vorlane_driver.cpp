#include "vorlane_driver.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <sstream>
#include <thread>

namespace vorlane::e2e {

namespace {

// Long enough for a busy target under Wine, short enough that a hung one fails the test instead of
// stalling the run.
constexpr UINT kSendTimeoutMs = 5000;

const wchar_t* const kSection = L"kov";

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

}  // namespace

std::string utf8(std::wstring_view text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring utf16(std::string_view text)
{
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

namespace {

// A Unix path as Wine's Z: drive shows it; a Windows path unchanged.
std::string windowsPath(std::string path)
{
    if (path.starts_with('/')) {
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
    return path;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

ControlKind kindOf(HWND window)
{
    const std::string cls = className(window);
    if (equalsIgnoringCase(cls, "Edit")) return ControlKind::Edit;
    if (equalsIgnoringCase(cls, "Static")) return ControlKind::Label;
    if (!equalsIgnoringCase(cls, "Button")) return ControlKind::Other;
    switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return ControlKind::PushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return ControlKind::CheckBox;
    default:
        return ControlKind::Other;
    }
}

std::vector<HWND> ofKind(const std::vector<Control>& controls, ControlKind kind, bool byX)
{
    std::vector<const Control*> found;
    for (const Control& control : controls) {
        if (control.kind == kind) found.push_back(&control);
    }
    std::sort(found.begin(), found.end(), [byX](const Control* a, const Control* b) {
        return byX ? a->place.left < b->place.left : a->place.top < b->place.top;
    });
    std::vector<HWND> windows;
    for (const Control* control : found) windows.push_back(control->window);
    return windows;
}

std::string describe(const std::vector<Control>& controls)
{
    std::ostringstream out;
    for (const Control& c : controls) {
        out << "\n  " << toString(c.kind) << " \"" << c.text << "\" at (" << c.place.left << ","
            << c.place.top << ") " << c.place.right - c.place.left << "x" << c.place.bottom - c.place.top
            << (c.visible ? "" : " hidden");
    }
    return out.str();
}

// Reads "<digits><unit>" at the front of `text`, advancing it past them.
std::optional<int> takeNumber(std::string_view& text, std::string_view unit)
{
    size_t digits = 0;
    while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0 || !text.substr(digits).starts_with(unit)) return std::nullopt;
    const int value = std::stoi(std::string(text.substr(0, digits)));
    text.remove_prefix(digits + unit.size());
    return value;
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, Millis timeout, Millis step)
{
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
    }
}

// ---- Windows of another process -------------------------------------------------------------------------

std::string windowText(HWND window)
{
    const auto length = sendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = sendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return utf8(text);
}

void setWindowText(HWND window, std::string_view text)
{
    const std::wstring wide = utf16(text);
    sendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string className(HWND window)
{
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return utf8(std::wstring_view(name, static_cast<size_t>(std::max(length, 0))));
}

std::vector<HWND> topLevelWindows(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId) s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT screenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT placeInParent(HWND child)
{
    RECT rect = screenRect(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool isChecked(HWND checkBox)
{
    return sendWithTimeout(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void click(HWND button)
{
    sendWithTimeout(button, BM_CLICK, 0, 0);
}

void postClick(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

HWND findMessageBox(DWORD processId, std::string_view title)
{
    for (HWND window : topLevelWindows(processId)) {
        if (className(window) == "#32770" && windowText(window) == title && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

std::string messageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? windowText(text) : std::string();
}

// ---- Input ----------------------------------------------------------------------------------------------

void injectInput()
{
    // Two corner points in turn: a move to where the pointer already is might not count as input.
    static bool alternate = false;
    alternate = !alternate;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = alternate ? 0 : 65535 / 1280;
    input.mi.dy = alternate ? 0 : 65535 / 800;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void pressKey(WORD virtualKey)
{
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// ---- The settings file ----------------------------------------------------------------------------------

std::filesystem::path settingsFilePath()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::filesystem::path(folder) / L"tavolu.ini";
}

bool settingsFileExists()
{
    return std::filesystem::exists(settingsFilePath());
}

Setting readSetting(std::string_view key)
{
    const std::wstring path = settingsFilePath().wstring();
    // Drop this process's cached copy of the file: the program writes it behind our back.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    const wchar_t* const missing = L"\x01missing";
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(kSection, utf16(key).c_str(), missing, value, static_cast<DWORD>(std::size(value)),
                             path.c_str());
    if (std::wstring_view(value) == missing) return std::nullopt;
    return utf8(value);
}

void writeSetting(std::string_view key, std::string_view value)
{
    const std::wstring path = settingsFilePath().wstring();
    WritePrivateProfileStringW(kSection, utf16(key).c_str(), utf16(value).c_str(), path.c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

// ---- The program ----------------------------------------------------------------------------------------

std::string vorlaneExePath()
{
    if (const char* fromEnvironment = std::getenv("VORLANE_EXE"); fromEnvironment && *fromEnvironment) {
        return windowsPath(fromEnvironment);
    }
    return windowsPath(VORLANE_EXE);
}

VorlaneProcess::VorlaneProcess()
{
    const std::wstring exe = utf16(vorlaneExePath());
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    startTime_ = Clock::now();
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        process_.reset(info.hProcess);
        CloseHandle(info.hThread);
        processId_ = info.dwProcessId;
    }
}

VorlaneProcess::~VorlaneProcess()
{
    if (running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), kSendTimeoutMs);
    }
}

bool VorlaneProcess::running() const
{
    return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND VorlaneProcess::waitForMainWindow(Millis timeout) const
{
    HWND found = nullptr;
    waitFor(
        [&] {
            for (HWND window : topLevelWindows(processId_)) {
                if (IsWindowVisible(window) && windowText(window).starts_with("Vorlane")) {
                    found = window;
                    return true;
                }
            }
            return !running();
        },
        timeout);
    return found;
}

std::optional<DWORD> VorlaneProcess::waitForExit(Millis timeout) const
{
    if (!started() || WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

// ---- Controls -------------------------------------------------------------------------------------------

const char* toString(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton: return "push button";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::Edit: return "edit box";
    case ControlKind::Label: return "label";
    case ControlKind::Other: break;
    }
    return "other";
}

std::vector<Control> controlsOf(HWND parent)
{
    std::vector<Control> controls;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back(
            {child, kindOf(child), windowText(child), placeInParent(child), IsWindowVisible(child) != 0});
    }
    return controls;
}

std::pair<MainWindow, std::string> MainWindow::find(HWND window)
{
    const std::vector<Control> controls = controlsOf(window);
    const auto edits = ofKind(controls, ControlKind::Edit, false);
    const auto buttons = ofKind(controls, ControlKind::PushButton, true);
    const auto boxes = ofKind(controls, ControlKind::CheckBox, false);
    if (edits.size() != 2 || buttons.size() != 2 || boxes.size() != 3) {
        return {{}, "expected 2 edit boxes, 2 push buttons and 3 check boxes, found:" + describe(controls)};
    }
    MainWindow ui;
    ui.window = window;
    ui.workBox = edits[0];
    ui.idleBox = edits[1];
    ui.pauseButton = buttons[0];
    ui.resetButton = buttons[1];
    ui.closeToTray = boxes[0];
    ui.resetOnChange = boxes[1];
    ui.sleepDelay = boxes[2];
    return {ui, {}};
}

// ---- The status caption ---------------------------------------------------------------------------------

std::optional<int> elapsedInCaption(std::string_view caption, std::string_view totalPart)
{
    const std::string head = "Vorlane  总时长:" + std::string(totalPart) + "  已过:";
    if (!caption.starts_with(head)) return std::nullopt;
    std::string_view rest = caption.substr(head.size());
    int seconds = 0;
    // Hours and minutes appear only when not zero; seconds always end the text.
    using Unit = std::pair<std::string_view, int>;
    for (const auto& [unit, scale] : {Unit{"时", 3600}, Unit{"分", 60}}) {
        std::string_view probe = rest;
        if (const auto value = takeNumber(probe, unit)) {
            seconds += *value * scale;
            rest = probe;
        }
    }
    const auto secondsPart = takeNumber(rest, "秒");
    if (!secondsPart || !rest.empty()) return std::nullopt;
    return seconds + *secondsPart;
}

// ---- The fixture ----------------------------------------------------------------------------------------

void VorlaneTest::SetUp()
{
    // Each test must get a profile of its own; a settings file here means the harness reused one.
    ASSERT_FALSE(settingsFileExists()) << "the profile is not clean: " << settingsFilePath().string();
    const DWORD before = GetTickCount();
    injectInput();
    LASTINPUTINFO last{sizeof last, 0};
    ASSERT_TRUE(waitFor([&] { return GetLastInputInfo(&last) && last.dwTime - before < 0x80000000u; }, 1s))
        << "the injected input did not reach the last-input time";
}

void VorlaneTest::startVorlane()
{
    app_.emplace();
    ASSERT_TRUE(app_->started()) << "cannot start " << vorlaneExePath() << ", error " << GetLastError();
    const HWND window = app_->waitForMainWindow();
    ASSERT_NE(window, nullptr) << "no window with a caption starting with \"Vorlane\" appeared"
                               << (app_->running() ? "" : "; the program has ended");
    auto [ui, problem] = MainWindow::find(window);
    ASSERT_TRUE(problem.empty()) << problem;
    ui_ = ui;
}

std::optional<int> VorlaneTest::shownCount(std::string_view totalPart) const
{
    return elapsedInCaption(ui_.caption(), totalPart);
}

std::optional<CountSample> VorlaneTest::nextCount(std::optional<int> previous, Millis timeout,
                                                  std::string_view totalPart) const
{
    std::optional<CountSample> sample;
    waitFor(
        [&] {
            const auto count = shownCount(totalPart);
            if (count && count != previous) sample = CountSample{*count, Clock::now()};
            return sample.has_value();
        },
        timeout, 10ms);
    return sample;
}

std::optional<int> VorlaneTest::justAfterATick() const
{
    const auto next = nextCount(shownCount(), 2s);
    return next ? std::optional<int>(next->seconds) : std::nullopt;
}

bool VorlaneTest::waitForCount(int count, Millis timeout) const
{
    return waitFor([&] { return shownCount().value_or(-1) >= count; }, timeout);
}

std::vector<CountSample> VorlaneTest::watchCount(Millis duration, std::string_view totalPart) const
{
    std::vector<CountSample> samples;
    const auto end = Clock::now() + duration;
    std::optional<int> last;
    while (Clock::now() < end) {
        const auto count = shownCount(totalPart);
        if (count && count != last) {
            samples.push_back({*count, Clock::now()});
            last = count;
        }
        std::this_thread::sleep_for(10ms);
    }
    return samples;
}

}  // namespace vorlane::e2e
