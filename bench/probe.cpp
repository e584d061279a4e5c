// The benchmark's hands and eyes inside the Wine prefix: bench/run.sh runs it once per step to start,
// drive and read Vorlane and the baseline window. Every command prints one line of "key=value" fields (or,
// for `countdown`, one line per event) and exits with 0 when it did what it was asked.
//
//   probe input                  a pointer move, so that the idle check sees fresh input
//   probe key VK                 a key press and release (VK: a letter, or a number such as 0x4B)
//   probe start EXE              starts EXE; ms= time until its first visible top-level window, pid=
//   probe stop PID               ends the process and waits for it
//   probe gui PID                its GDI and USER object counts, and what can stand in for them
//   probe hide TITLEPREFIX       a mouse minimise (lParam = the pointer) to the window; waits until hidden
//   probe autostart N            N autostart commands to Vorlane's window, checking the Run value each time
//   probe countdown              keeps the input fresh until the countdown starts, then reports its events
//   probe windows PID            the process's top-level windows, one a line, for a look when a step fails
//   probe iconcost               kept= GDI objects left behind per icon made from .ico bytes and destroyed
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winternl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr UINT kAutostartCommand = 201;
constexpr wchar_t kVorlaneClass[] = L"Vorlane";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"tavolu";
// The caption while the counter is halted: the rest prompt runs from here on.
constexpr wchar_t kHaltedCaption[] = L"Vorlane";
constexpr wchar_t kCountdownMark[] = L"秒之后自动休眠";

// ---- Owners of system resources -------------------------------------------------------------------------

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void close() {
        if (handle_ != nullptr) CloseHandle(handle_);
        handle_ = nullptr;
    }
    HANDLE handle_ = nullptr;
};

class RegistryKey {
public:
    RegistryKey(HKEY root, const wchar_t* path, REGSAM access) {
        if (RegOpenKeyExW(root, path, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&&) = delete;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() {
        if (object_ != nullptr) DeleteObject(object_);
    }

private:
    HGDIOBJ object_;
};

// ---- Small helpers --------------------------------------------------------------------------------------

double nowMs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

std::optional<unsigned long> parseNumber(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 0);
    if (end == text || *end != L'\0') return std::nullopt;
    return value;
}

int usage() {
    std::fputs("usage: probe input | key VK | start EXE | stop PID | gui PID | hide TITLEPREFIX |"
               " autostart N | countdown | windows PID | iconcost\n",
               stderr);
    return 2;
}

int failure(const char* what) {
    std::fprintf(stderr, "probe: %s (error %lu)\n", what, GetLastError());
    return 1;
}

void emit(const char* line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The caption as the system keeps it; no message goes to the other process.
std::wstring captionOf(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND visibleWindowOf(DWORD pid) {
    for (HWND window : topLevelWindows())
        if (processOf(window) == pid && IsWindowVisible(window)) return window;
    return nullptr;
}

HWND visibleWindowTitled(std::wstring_view prefix) {
    for (HWND window : topLevelWindows())
        if (IsWindowVisible(window) && captionOf(window).starts_with(prefix)) return window;
    return nullptr;
}

// Polls every `stepMs` until `condition` holds or `timeoutMs` has passed.
template <typename Condition>
bool waitUntil(Condition condition, double timeoutMs, DWORD stepMs = 10) {
    const double deadline = nowMs() + timeoutMs;
    while (!condition()) {
        if (nowMs() > deadline) return false;
        Sleep(stepMs);
    }
    return true;
}

// ---- input, key -----------------------------------------------------------------------------------------

// Between the top left pixel and its neighbour: a move to where the pointer already is might not count as
// input. The corner keeps the pointer off both benchmarked windows and their hover hints.
bool movePointer() {
    POINT at{};
    GetCursorPos(&at);
    const bool atOrigin = at.x == 0 && at.y == 0;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = atOrigin ? 65536 / GetSystemMetrics(SM_CXSCREEN) + 1 : 0;
    input.mi.dy = atOrigin ? 65536 / GetSystemMetrics(SM_CYSCREEN) + 1 : 0;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof input) == 1;
}

int commandInput() {
    return movePointer() ? 0 : failure("SendInput failed");
}

int commandKey(const wchar_t* name) {
    WORD key = 0;
    if (name[0] != L'\0' && name[1] == L'\0' && std::iswalnum(name[0])) {
        key = static_cast<WORD>(std::towupper(name[0]));
    } else if (const auto number = parseNumber(name); number && *number > 0 && *number < 256) {
        key = static_cast<WORD>(*number);
    } else {
        return usage();
    }
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2 ? 0 : failure("SendInput failed");
}

// ---- start, stop ----------------------------------------------------------------------------------------

int commandStart(const wchar_t* exe) {
    std::wstring commandLine = std::wstring(L"\"") + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double started = nowMs();
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return failure("CreateProcess failed");
    const Handle process(info.hProcess);
    const Handle thread(info.hThread);
    const bool shown = waitUntil(
        [&] {
            return visibleWindowOf(info.dwProcessId) != nullptr ||
                   WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        },
        30000, 2);
    const double elapsed = nowMs() - started;
    if (!shown || visibleWindowOf(info.dwProcessId) == nullptr) {
        TerminateProcess(process.get(), 1);
        std::fputs("probe: the program showed no window\n", stderr);
        return 1;
    }
    std::printf("ms=%.0f pid=%lu\n", elapsed, info.dwProcessId);
    return 0;
}

int commandStop(DWORD pid) {
    const Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) return failure("OpenProcess failed");
    if (!TerminateProcess(process.get(), 0)) return failure("TerminateProcess failed");
    return WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0 ? 0 : failure("the process did not end");
}

// ---- gui ------------------------------------------------------------------------------------------------

// An entry of the GDI handle table that the PEB points to (the layout the system uses on 64-bit).
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

// The live entries of a process's GDI handle table: what GetGuiResources(GR_GDIOBJECTS) counts where it
// is implemented.
std::optional<long> gdiTableCount(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return std::nullopt;
    UINT64 table = 0;
    const auto* slot = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset;
    if (!ReadProcessMemory(process, slot, &table, sizeof table, nullptr) || table == 0) return std::nullopt;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &read) ||
        read != entries.size() * sizeof(GdiHandleEntry))
        return std::nullopt;
    long live = 0;
    for (const GdiHandleEntry& entry : entries)
        if (entry.type != 0) ++live;
    return live;
}

// The table's layout is an assumption: it is trusted only when it follows this process's own bitmaps up
// and down again.
bool gdiTableFollowsObjects() {
    constexpr long kProbeObjects = 16;
    const auto before = gdiTableCount(GetCurrentProcess());
    if (!before) return false;
    std::optional<long> during;
    {
        std::vector<GdiObject> bitmaps;
        for (long i = 0; i < kProbeObjects; ++i) bitmaps.emplace_back(CreateBitmap(1, 1, 1, 1, nullptr));
        during = gdiTableCount(GetCurrentProcess());
    }
    const auto after = gdiTableCount(GetCurrentProcess());
    return during && after && *during == *before + kProbeObjects && *after == *before;
}

long windowsOf(DWORD pid) {
    long count = 0;
    const auto countTree = [&](HWND window) {
        ++count;
        EnumChildWindows(
            window,
            [](HWND, LPARAM counter) {
                ++*reinterpret_cast<long*>(counter);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
    };
    for (HWND window : topLevelWindows())
        if (processOf(window) == pid) countTree(window);
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        if (processOf(window) == pid) countTree(window);
    return count;
}

// The table slot of the menu bar of the process's window. The slots of destroyed objects are handed out
// again, so a program that rebuilds its menu bar without leaking the old one keeps reusing a few slots,
// while a leak moves the slot up by the size of the menu at every rebuild.
std::optional<unsigned> menuSlotOf(DWORD pid) {
    for (HWND window : topLevelWindows()) {
        if (processOf(window) != pid) continue;
        if (const HMENU menu = GetMenu(window); menu != nullptr)
            return (static_cast<unsigned>(reinterpret_cast<UINT_PTR>(menu) & 0xFFFF) - 0x20) / 2;
    }
    return std::nullopt;
}

// The USER handle table is one for the whole session (in Wine: the prefix). It hands out the slot freed
// last first and a fresh slot only when none is free, and a handle's high word counts how often its slot
// has been handed out, so a fresh slot comes with 1. This process takes menus until one comes from a fresh
// slot: the live handles are the slots below it less the free ones taken before it. The menus are then
// destroyed last first, which leaves the free slots in the order they were.
std::optional<long> userTableCount() {
    constexpr std::size_t kLimit = 32000;
    std::vector<HMENU> taken;
    taken.reserve(1024);
    std::optional<long> live;
    while (!live && taken.size() < kLimit) {
        const HMENU menu = CreateMenu();
        if (menu == nullptr) break;
        const auto value = static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(menu));
        if ((value >> 16) == 1) live = static_cast<long>(((value & 0xFFFF) - 0x20) / 2 - taken.size());
        taken.push_back(menu);
    }
    for (auto menu = taken.rbegin(); menu != taken.rend(); ++menu) DestroyMenu(*menu);
    return live;
}

// The method rests on how the table hands out slots: it is trusted only when it follows this process's
// own menus up and down again. Other processes of the session may make and destroy objects meanwhile, so
// it gets a few tries.
bool userTableFollowsObjects() {
    constexpr long kProbeObjects = 16;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto before = userTableCount();
        std::vector<HMENU> menus;
        for (long i = 0; i < kProbeObjects; ++i) menus.push_back(CreateMenu());
        const auto during = userTableCount();
        for (HMENU menu : menus) DestroyMenu(menu);
        const auto after = userTableCount();
        if (before && during && after && *during == *before + kProbeObjects && *after == *before) return true;
    }
    return false;
}

// A count that the system would not give says "-": GetGuiResources is a stub in some Wine versions.
std::string countText(std::optional<long> count) {
    return count ? std::to_string(*count) : std::string("-");
}

std::optional<long> guiResources(HANDLE process, DWORD which) {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetGuiResources(process, which);
    if (count == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
    return static_cast<long>(count);
}

// What making an icon from .ico image bytes and destroying it again leaves in this process's GDI table,
// per icon: the autostart mark is made that way, so a growth of this size per mark is the system's and not
// the program's.
int commandIconCost() {
    constexpr int kIcons = 16;
    constexpr int kSide = 16;
    // A 16 x 16, 32-bit image as an .ico file holds it: a header of double height, the pixels, the mask.
    std::vector<BYTE> image(sizeof(BITMAPINFOHEADER) + kSide * kSide * 4 + kSide * 4, 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = kSide;
    header.biHeight = 2 * kSide;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::memcpy(image.data(), &header, sizeof header);
    for (int pixel = 0; pixel < kSide * kSide; ++pixel) image[sizeof header + pixel * 4 + 3] = 0x80;
    if (!gdiTableFollowsObjects()) return failure("the GDI table cannot be read");
    const auto makeAndDestroy = [&] {
        const HICON icon = CreateIconFromResource(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000);
        if (icon != nullptr) DestroyIcon(icon);
        return icon != nullptr;
    };
    // The first one may set up what every later one shares.
    if (!makeAndDestroy()) return failure("CreateIconFromResource failed");
    const auto before = gdiTableCount(GetCurrentProcess());
    for (int i = 0; i < kIcons; ++i) makeAndDestroy();
    const auto after = gdiTableCount(GetCurrentProcess());
    if (!before || !after) return failure("the GDI table cannot be read");
    std::printf("kept=%.2f\n", static_cast<double>(*after - *before) / kIcons);
    return 0;
}

int commandGui(DWORD pid) {
    const Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return failure("OpenProcess failed");
    const auto gdi = guiResources(process.get(), GR_GDIOBJECTS);
    const auto user = guiResources(process.get(), GR_USEROBJECTS);
    const auto table = gdiTableFollowsObjects() ? gdiTableCount(process.get()) : std::nullopt;
    const auto session = userTableFollowsObjects() ? userTableCount() : std::nullopt;
    const auto slot = menuSlotOf(pid);
    std::printf("gdi=%s user=%s gditable=%s usertable=%s windows=%ld menuslot=%s\n", countText(gdi).c_str(),
                countText(user).c_str(), countText(table).c_str(), countText(session).c_str(), windowsOf(pid),
                slot ? std::to_string(*slot).c_str() : "-");
    return 0;
}

// ---- hide -----------------------------------------------------------------------------------------------

int commandHide(const wchar_t* prefix) {
    const HWND window = visibleWindowTitled(prefix);
    if (window == nullptr) return failure("no visible window with that caption");
    // The pointer position in lParam is what tells a minimise by the mouse from one by the keyboard.
    if (!PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(100, 100)))
        return failure("PostMessage failed");
    const double started = nowMs();
    if (!waitUntil([&] { return !IsWindowVisible(window); }, 10000))
        return failure("the window is still visible");
    std::printf("hidden_ms=%.0f\n", nowMs() - started);
    return 0;
}

// ---- autostart ------------------------------------------------------------------------------------------

bool autostartRegistered() {
    const RegistryKey key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
    return key.get() != nullptr &&
           RegQueryValueExW(key.get(), kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int commandAutostart(unsigned long toggles) {
    const HWND window = FindWindowW(kVorlaneClass, nullptr);
    if (window == nullptr) return failure("no Vorlane window");
    bool registered = autostartRegistered();
    unsigned long flips = 0;
    for (unsigned long i = 0; i < toggles; ++i) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(kAutostartCommand, 0), 0, SMTO_NORMAL, 10000,
                                 &result))
            return failure("the window did not answer the command");
        const bool now = autostartRegistered();
        if (now != registered) ++flips;
        registered = now;
    }
    std::printf("toggles=%lu flips=%lu registered=%d\n", toggles, flips, registered ? 1 : 0);
    return flips == toggles ? 0 : 1;
}

// ---- countdown ------------------------------------------------------------------------------------------

// A visible top-level window of the process over the whole screen: the picture is dark.
bool screenCovered(DWORD pid) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    for (HWND window : topLevelWindows()) {
        if (processOf(window) != pid || !IsWindowVisible(window)) continue;
        RECT place{};
        GetWindowRect(window, &place);
        if (place.left <= 0 && place.top <= 0 && place.right >= width && place.bottom >= height) return true;
    }
    return false;
}

std::wstring tipText(HWND tip) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &length);
    return text;
}

// The text a window shows: a tooltip control keeps it apart from its window text, so it is asked for it.
std::wstring shownText(HWND window) {
    return classOf(window) == L"tooltips_class32" ? tipText(window) : captionOf(window);
}

// Whatever window class the balloon is made of, it is a visible window of the process with the countdown's
// text.
bool countdownBalloonShown(DWORD pid) {
    for (HWND window : topLevelWindows())
        if (processOf(window) == pid && IsWindowVisible(window) &&
            shownText(window).find(kCountdownMark) != std::wstring::npos)
            return true;
    return false;
}

// Events, one a line, as they happen: "start" when the counter halts (the caption falls back to the bare
// program name after having shown a count), "balloon yes|no" whether the countdown balloon is up a moment
// later, "end MS" when the screen goes dark, MS after "start", or "end timeout". While the count runs, a
// pointer move every 3 s keeps the idle check from setting it back to zero; during the countdown nothing
// is injected, so that the figure is the countdown's own.
int commandCountdown() {
    const HWND window = FindWindowW(kVorlaneClass, nullptr);
    if (window == nullptr) return failure("no Vorlane window");
    const DWORD pid = processOf(window);
    bool counted = false;
    double nextInput = 0;
    const bool halted = waitUntil(
        [&] {
            if (nowMs() >= nextInput) {
                movePointer();
                nextInput = nowMs() + 3000;
            }
            const std::wstring caption = captionOf(window);
            if (caption != kHaltedCaption) counted = true;
            return counted && caption == kHaltedCaption;
        },
        300000, 10);
    if (!halted) return failure("the count never reached the working time");
    const double started = nowMs();
    emit("start");
    Sleep(1500);
    emit(countdownBalloonShown(pid) ? "balloon yes" : "balloon no");
    const bool dark = waitUntil([&] { return screenCovered(pid); }, 120000, 10);
    char line[64];
    if (dark)
        std::snprintf(line, sizeof line, "end %.0f", nowMs() - started);
    else
        std::snprintf(line, sizeof line, "end timeout");
    emit(line);
    return dark ? 0 : 1;
}

// ---- windows --------------------------------------------------------------------------------------------

std::string utf8(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

int commandWindows(DWORD pid) {
    for (HWND window : topLevelWindows()) {
        if (processOf(window) != pid) continue;
        RECT place{};
        GetWindowRect(window, &place);
        std::printf("%s visible=%d rect=%ld,%ld,%ld,%ld text=%s\n", utf8(classOf(window)).c_str(),
                    IsWindowVisible(window) ? 1 : 0, place.left, place.top, place.right, place.bottom,
                    utf8(shownText(window)).c_str());
    }
    return 0;
}

}  // namespace

extern "C" int wmain(int argc, wchar_t** argv) {
    // Lines end in "\n" alone: the script reading them is a shell.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage();
    const std::wstring_view command = argv[1];
    if (command == L"input" && argc == 2) return commandInput();
    if (command == L"countdown" && argc == 2) return commandCountdown();
    if (command == L"iconcost" && argc == 2) return commandIconCost();
    if (argc != 3) return usage();
    if (command == L"key") return commandKey(argv[2]);
    if (command == L"start") return commandStart(argv[2]);
    if (command == L"hide") return commandHide(argv[2]);
    const auto number = parseNumber(argv[2]);
    if (!number) return usage();
    if (command == L"stop") return commandStop(static_cast<DWORD>(*number));
    if (command == L"gui") return commandGui(static_cast<DWORD>(*number));
    if (command == L"autostart") return commandAutostart(*number);
    if (command == L"windows") return commandWindows(static_cast<DWORD>(*number));
    return usage();
}
