#include "win32/system_ports.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <vector>

#include "ui/program.h"
#include "win32/bound_call.h"
#include "win32/main_window.h"
#include "win32/program_link.h"
#include "win32/wide.h"

namespace vorlane::win32 {
namespace {

template <typename H>
H as(Handle handle) {
    return reinterpret_cast<H>(handle);
}

template <typename H>
Handle handleOf(H handle) {
    return reinterpret_cast<Handle>(handle);
}

constexpr DWORD kProfileBufferChars = 10240;
constexpr int kMenuTextChars = 255;

// Text of a call that reports the size it needs, terminator included.
template <typename Fill>
std::string sizedText(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD needed = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) return {};
        if (needed <= buffer.size()) return narrow(std::wstring_view(buffer.data()));
        buffer.resize(needed);
    }
}

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    Program* const program = runningProgram();
    if (program == nullptr) return VORLANE_CALL(user32, CallNextHookEx)(nullptr, code, wParam, lParam);
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    return program->onKeyboardEvent(code, wParam, lParam, key != nullptr ? key->vkCode : 0);
}

}  // namespace

// --- input ---

std::uint32_t Input::tickCount() { return VORLANE_CALL(kernel32, GetTickCount)(); }

std::uint32_t Input::lastInputTick() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    VORLANE_CALL(user32, GetLastInputInfo)(&info);
    return info.dwTime;
}

Point Input::cursorPos() {
    POINT point{};
    VORLANE_CALL(user32, GetCursorPos)(&point);
    return Point{point.x, point.y};
}

// --- the message queue ---

bool Messages::dispatchPending() {
    MSG message;
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) return false;
        // WM_QUIT stays queued for the message loop.
        if (message.message == WM_QUIT) return true;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
        if (message.message == WM_QUIT) {
            // It came up between the two peeks: put it back.
            PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        window_.process(message);
    }
}

void Messages::waitForMessage(std::uint32_t milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// --- the settings file ---

std::optional<std::string> Profile::appDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return std::nullopt;
    return narrow(folder);
}

std::string Profile::readString(const std::string& section, const std::string& key,
                                const std::optional<std::string>& fallback, const std::string& path) {
    std::vector<wchar_t> buffer(kProfileBufferChars);
    const std::wstring def = fallback ? widen(*fallback) : std::wstring();
    const DWORD length = VORLANE_CALL(kernel32, GetPrivateProfileStringW)(
        widen(section).c_str(), widen(key).c_str(), fallback ? def.c_str() : nullptr, buffer.data(),
        kProfileBufferChars, widen(path).c_str());
    return narrow(std::wstring_view(buffer.data(), length));
}

bool Profile::writeString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path) {
    return VORLANE_CALL(kernel32, WritePrivateProfileStringW)(widen(section).c_str(), widen(key).c_str(),
                                                              widen(value).c_str(),
                                                              widen(path).c_str()) != FALSE;
}

// --- the keyboard hook ---

Handle Hook::install() {
    const HMODULE module = VORLANE_CALL(kernel32, GetModuleHandleW)(nullptr);
    return handleOf(VORLANE_CALL(user32, SetWindowsHookExW)(WH_KEYBOARD_LL, keyboardProc, module, 0));
}

void Hook::remove(Handle hook) {
    if (hook != 0) VORLANE_CALL(user32, UnhookWindowsHookEx)(as<HHOOK>(hook));
}

std::intptr_t Hook::callNext(Handle hook, int code, std::uintptr_t wParam, std::intptr_t lParam) {
    return VORLANE_CALL(user32, CallNextHookEx)(as<HHOOK>(hook), code, wParam, lParam);
}

// --- kernel objects and the process ---

Handle Kernel::openMutex(std::uint32_t access, const std::string& name) {
    return handleOf(VORLANE_CALL(kernel32, OpenMutexW)(access, FALSE, widen(name).c_str()));
}

Handle Kernel::createMutex(bool initialOwner, const std::string& name) {
    return handleOf(VORLANE_CALL(kernel32, CreateMutexW)(nullptr, initialOwner, widen(name).c_str()));
}

std::uint32_t Kernel::waitForSingleObject(Handle object, std::uint32_t milliseconds) {
    return VORLANE_CALL(kernel32, WaitForSingleObject)(as<HANDLE>(object), milliseconds);
}

void Kernel::releaseMutex(Handle mutex) {
    if (mutex != 0) VORLANE_CALL(kernel32, ReleaseMutex)(as<HANDLE>(mutex));
}

void Kernel::closeHandle(Handle object) {
    if (object != 0) VORLANE_CALL(kernel32, CloseHandle)(as<HANDLE>(object));
}

void Kernel::endProgram(int exitCode) {
    // The normal end: the exit actions run.
    std::exit(exitCode);
}

std::string Kernel::currentDirectory() {
    return sizedText([](wchar_t* buffer, DWORD size) {
        const DWORD length = VORLANE_CALL(kernel32, GetCurrentDirectoryW)(size, buffer);
        return length < size ? length + 1 : length;
    });
}

std::string Kernel::moduleFileName() {
    return sizedText([](wchar_t* buffer, DWORD size) {
        const DWORD length = VORLANE_CALL(kernel32, GetModuleFileNameW)(nullptr, buffer, size);
        // A cut name fills the buffer: ask for twice the room.
        return length < size ? length + 1 : size * 2;
    });
}

std::string Kernel::expandEnvironmentStrings(const std::string& text) {
    const std::wstring source = widen(text);
    return sizedText([&source](wchar_t* buffer, DWORD size) {
        return VORLANE_CALL(kernel32, ExpandEnvironmentStringsW)(source.c_str(), buffer, size);
    });
}

// --- the tray icon ---

bool Tray::notify(Op op, unsigned id, unsigned callbackMessage, Handle icon, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_.window();
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = as<HICON>(icon);
    const std::wstring text = widen(tip);
    std::wcsncpy(data.szTip, text.c_str(), std::size(data.szTip) - 1);
    const DWORD message = op == Op::Add ? NIM_ADD : op == Op::Modify ? NIM_MODIFY : NIM_DELETE;
    return Shell_NotifyIconW(message, &data) != FALSE;
}

Handle Tray::smallWindowIcon() {
    // A fresh handle each time: the caller destroys it.
    const int width = VORLANE_CALL(user32, GetSystemMetrics)(SM_CXSMICON);
    const int height = VORLANE_CALL(user32, GetSystemMetrics)(SM_CYSMICON);
    return handleOf(LoadImageW(window_.instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, width, height, 0));
}

void Tray::destroyIcon(Handle icon) {
    if (icon != 0) VORLANE_CALL(user32, DestroyIcon)(as<HICON>(icon));
}

// --- menus ---

Handle Menus::createMenu() { return handleOf(VORLANE_CALL(user32, CreateMenu)()); }

Handle Menus::createPopupMenu() { return handleOf(VORLANE_CALL(user32, CreatePopupMenu)()); }

bool Menus::appendMenu(Handle menu, unsigned flags, std::uintptr_t idOrSubmenu, const std::string& text) {
    return VORLANE_CALL(user32, AppendMenuW)(as<HMENU>(menu), flags, idOrSubmenu, widen(text).c_str()) !=
           FALSE;
}

void Menus::destroyMenu(Handle menu) {
    if (menu != 0) VORLANE_CALL(user32, DestroyMenu)(as<HMENU>(menu));
}

Handle Menus::windowMenu() { return handleOf(VORLANE_CALL(user32, GetMenu)(window_.window())); }

void Menus::setWindowMenu(Handle menu) {
    VORLANE_CALL(user32, SetMenu)(window_.window(), as<HMENU>(menu));
    VORLANE_CALL(user32, DrawMenuBar)(window_.window());
}

Handle Menus::subMenu(Handle menu, int position) {
    return handleOf(VORLANE_CALL(user32, GetSubMenu)(as<HMENU>(menu), position));
}

void Menus::setItemBitmaps(Handle menu, unsigned position, unsigned flags, Handle unchecked, Handle checked) {
    VORLANE_CALL(user32, SetMenuItemBitmaps)
    (as<HMENU>(menu), position, flags, as<HBITMAP>(unchecked), as<HBITMAP>(checked));
}

int Menus::trackPopupMenu(Handle menu, unsigned flags, Point at, Handle owner) {
    const BOOL chosen =
        VORLANE_CALL(user32, TrackPopupMenu)(as<HMENU>(menu), flags, at.x, at.y, 0, as<HWND>(owner), nullptr);
    // Lets the owner's thread notice the menu has gone, so the next tray menu
    // does not close the moment it opens.
    PostMessageW(as<HWND>(owner), WM_NULL, 0, 0);
    return chosen;
}

std::optional<std::string> Menus::menuString(Handle menu, int position, unsigned flags) {
    wchar_t text[kMenuTextChars + 1] = {};
    const int length = VORLANE_CALL(user32, GetMenuStringW)(as<HMENU>(menu), static_cast<UINT>(position),
                                                            text, kMenuTextChars, flags);
    if (length <= 0) return std::nullopt;
    return narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
}

void Menus::setForegroundWindow(Handle window) {
    VORLANE_CALL(user32, SetForegroundWindow)(as<HWND>(window));
}

Handle Menus::foregroundWindow() { return handleOf(VORLANE_CALL(user32, GetForegroundWindow)()); }

// --- the registry under HKEY_CURRENT_USER ---

Handle Registry::openKey(const std::string& path, Access access) {
    HKEY key = nullptr;
    const REGSAM rights = access == Access::Read ? KEY_READ : KEY_WRITE;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, widen(path).c_str(), 0, rights, &key) != ERROR_SUCCESS) return 0;
    return handleOf(key);
}

Handle Registry::createKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, widen(path).c_str(), &key) != ERROR_SUCCESS) return 0;
    return handleOf(key);
}

std::optional<RegistryPort::Value> Registry::queryValue(Handle key, const std::string& name) {
    const std::wstring valueName = widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(as<HKEY>(key), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return Value{type, {}};
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = bytes;
    if (RegQueryValueExW(as<HKEY>(key), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return Value{type, narrow(std::wstring_view(data.data()))};
}

bool Registry::setStringValue(Handle key, const std::string& name, const std::string& text) {
    const std::wstring data = widen(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(as<HKEY>(key), widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool Registry::deleteValue(Handle key, const std::string& name) {
    return RegDeleteValueW(as<HKEY>(key), widen(name).c_str()) == ERROR_SUCCESS;
}

bool Registry::deleteKey(const std::string& path) {
    return RegDeleteKeyW(HKEY_CURRENT_USER, widen(path).c_str()) == ERROR_SUCCESS;
}

void Registry::closeKey(Handle key) {
    if (key != 0) RegCloseKey(as<HKEY>(key));
}

// --- GDI ---

Handle Gdi::createIconFromResource(const std::uint8_t* bits, std::uint32_t size) {
    // The call only reads the image; its declaration takes a plain pointer.
    auto* image = const_cast<BYTE*>(bits);
    return handleOf(VORLANE_CALL(user32, CreateIconFromResource)(image, size, TRUE, 0x30000));
}

void Gdi::destroyIcon(Handle icon) {
    if (icon != 0) VORLANE_CALL(user32, DestroyIcon)(as<HICON>(icon));
}

int Gdi::smallIconWidth() { return VORLANE_CALL(user32, GetSystemMetrics)(SM_CXSMICON); }

int Gdi::smallIconHeight() { return VORLANE_CALL(user32, GetSystemMetrics)(SM_CYSMICON); }

Handle Gdi::createCompatibleDC() { return handleOf(VORLANE_CALL(gdi32, CreateCompatibleDC)(nullptr)); }

Handle Gdi::createDibSection32(Handle dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return handleOf(
        VORLANE_CALL(gdi32, CreateDIBSection)(as<HDC>(dc), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

Handle Gdi::selectObject(Handle dc, Handle object) {
    return handleOf(VORLANE_CALL(gdi32, SelectObject)(as<HDC>(dc), as<HGDIOBJ>(object)));
}

void Gdi::drawIcon(Handle dc, Handle icon, int width, int height) {
    VORLANE_CALL(user32, DrawIconEx)
    (as<HDC>(dc), 0, 0, as<HICON>(icon), width, height, 0, nullptr, DI_NORMAL);
}

void Gdi::deleteDC(Handle dc) {
    if (dc != 0) VORLANE_CALL(gdi32, DeleteDC)(as<HDC>(dc));
}

void Gdi::deleteObject(Handle object) {
    if (object != 0) VORLANE_CALL(gdi32, DeleteObject)(as<HGDIOBJ>(object));
}

}  // namespace vorlane::win32
