#include "desk_helpers.h"

#include <algorithm>
#include <cwctype>
#include <thread>

namespace vorlane::e2e::desk {

namespace {

constexpr UINT kTrayCallback = 0x8064;
constexpr WPARAM kTrayIconId = 100;

const wchar_t* const kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kRunValue = L"tavolu";

// Owns an open registry key.
class RegistryKey {
public:
    explicit RegistryKey(REGSAM access)
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// SendInput's absolute coordinates: 0..65535 across the primary screen.
LONG normalised(LONG value, int extent)
{
    return static_cast<LONG>((static_cast<long long>(value) * 65536 + extent / 2) / extent);
}

void sendMouse(DWORD flags, POINT screen = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

// ---- Windows of any process -----------------------------------------------------------------------------

std::vector<HWND> visibleWindowsOfClass(std::string_view windowClass, DWORD processId)
{
    struct Search {
        std::wstring windowClass;
        DWORD processId;
        std::vector<HWND> found;
    } search{utf16(windowClass), processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            wchar_t name[256] = {};
            GetClassNameW(window, name, static_cast<int>(std::size(name)));
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (s.windowClass == name && IsWindowVisible(window) && (s.processId == 0 || s.processId == owner)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool trayIconShown()
{
    return !visibleWindowsOfClass("__winex11_standalone_tray").empty();
}

std::vector<HWND> coverWindows()
{
    return visibleWindowsOfClass("VorlaneCover");
}

HWND openPopupMenu(DWORD processId)
{
    const auto menus = visibleWindowsOfClass("#32768", processId);
    return menus.empty() ? nullptr : menus.front();
}

HWND visibleBalloon(DWORD processId)
{
    const auto balloons = visibleWindowsOfClass("VorlaneBalloon", processId);
    return balloons.empty() ? nullptr : balloons.front();
}

// ---- Places ---------------------------------------------------------------------------------------------

POINT clientToScreen(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    return point;
}

POINT centreOf(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT menuBarRect(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    const POINT topLeft = clientToScreen(window, {0, 0});
    return {topLeft.x, topLeft.y - GetSystemMetrics(SM_CYMENU), topLeft.x + client.right, topLeft.y};
}

// ---- Real input -----------------------------------------------------------------------------------------

bool movePointerTo(POINT screen)
{
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
    return waitFor(
        [&] {
            POINT now{};
            GetCursorPos(&now);
            return std::abs(now.x - screen.x) <= 1 && std::abs(now.y - screen.y) <= 1;
        },
        1s);
}

void leftClickAt(POINT screen)
{
    movePointerTo(screen);
    sendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, screen);
    std::this_thread::sleep_for(30ms);
    sendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, screen);
}

void pressKeys(std::initializer_list<WORD> virtualKeys, Millis pause)
{
    for (WORD key : virtualKeys) {
        pressKey(key);
        std::this_thread::sleep_for(pause);
    }
}

bool bringToFront(HWND window)
{
    return waitFor(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        2s, 50ms);
}

bool clickIntoWindow(HWND window, POINT clientSpot)
{
    if (!bringToFront(window)) return false;
    leftClickAt(clientToScreen(window, clientSpot));
    return true;
}

HWND focusedWindowOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// ---- Commands -------------------------------------------------------------------------------------------

void postMenuCommand(HWND window, WORD id)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void postTrayMouse(HWND window, UINT mouseMessage)
{
    PostMessageW(window, kTrayCallback, kTrayIconId, static_cast<LPARAM>(mouseMessage));
}

// ---- The autostart entry --------------------------------------------------------------------------------

std::optional<RunValue> readRunValue()
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                     &read) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RunValue value{type, {}, read};
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        data.resize(read / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        value.text = utf8(data);
    }
    return value;
}

bool writeRunValue(std::string_view text)
{
    const RegistryKey key(KEY_SET_VALUE);
    const std::wstring data = utf16(text);
    return key.get() != nullptr &&
           RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool writeRunValue(DWORD number)
{
    const RegistryKey key(KEY_SET_VALUE);
    return key.get() != nullptr && RegSetValueExW(key.get(), kRunValue, 0, REG_DWORD,
                                                  reinterpret_cast<const BYTE*>(&number),
                                                  sizeof number) == ERROR_SUCCESS;
}

bool deleteRunValue()
{
    const RegistryKey key(KEY_SET_VALUE);
    return key.get() != nullptr && RegDeleteValueW(key.get(), kRunValue) == ERROR_SUCCESS;
}

std::string expectedRunText()
{
    // The program starts in its own directory and stores that directory with its file name.
    return "\"" + vorlaneExePath() + "\"";
}

bool samePathText(std::string_view a, std::string_view b)
{
    const std::wstring x = utf16(a);
    const std::wstring y = utf16(b);
    return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(), [](wchar_t p, wchar_t q) {
               return std::towlower(p) == std::towlower(q);
           });
}

}  // namespace vorlane::e2e::desk
