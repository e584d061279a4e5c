// The seam's remaining operations, each a thin translation into its Windows
// calls: input state, the message queue, the settings file, the keyboard
// hook, kernel objects, the tray icon, menus, the registry and GDI.
#pragma once

#include <windows.h>

#include "seam/ports.h"

namespace vorlane::win32 {

class MainWindow;

class Input final : public InputPort {
public:
    std::uint32_t tickCount() override;
    std::uint32_t lastInputTick() override;
    Point cursorPos() override;
};

class Messages final : public MessagePort {
public:
    explicit Messages(MainWindow& window) : window_(window) {}
    bool dispatchPending() override;
    void waitForMessage(std::uint32_t milliseconds) override;

private:
    MainWindow& window_;
};

class Profile final : public ProfilePort {
public:
    std::optional<std::string> appDataFolder() override;
    std::string readString(const std::string& section, const std::string& key,
                           const std::optional<std::string>& fallback, const std::string& path) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& path) override;
};

class Hook final : public HookPort {
public:
    Handle install() override;
    void remove(Handle hook) override;
    std::intptr_t callNext(Handle hook, int code, std::uintptr_t wParam, std::intptr_t lParam) override;
};

class Kernel final : public KernelPort {
public:
    Handle openMutex(std::uint32_t access, const std::string& name) override;
    Handle createMutex(bool initialOwner, const std::string& name) override;
    std::uint32_t waitForSingleObject(Handle, std::uint32_t milliseconds) override;
    void releaseMutex(Handle) override;
    void closeHandle(Handle) override;
    [[noreturn]] void endProgram(int exitCode) override;
    std::string currentDirectory() override;
    std::string moduleFileName() override;
    std::string expandEnvironmentStrings(const std::string&) override;
};

class Tray final : public TrayPort {
public:
    explicit Tray(MainWindow& window) : window_(window) {}
    bool notify(Op, unsigned id, unsigned callbackMessage, Handle icon, const std::string& tip) override;
    Handle smallWindowIcon() override;
    void destroyIcon(Handle) override;

private:
    MainWindow& window_;
};

class Menus final : public MenuPort {
public:
    explicit Menus(MainWindow& window) : window_(window) {}
    Handle createMenu() override;
    Handle createPopupMenu() override;
    bool appendMenu(Handle menu, unsigned flags, std::uintptr_t idOrSubmenu,
                    const std::string& text) override;
    void destroyMenu(Handle) override;
    Handle windowMenu() override;
    void setWindowMenu(Handle) override;
    Handle subMenu(Handle menu, int position) override;
    void setItemBitmaps(Handle menu, unsigned position, unsigned flags, Handle unchecked,
                        Handle checked) override;
    int trackPopupMenu(Handle menu, unsigned flags, Point, Handle owner) override;
    std::optional<std::string> menuString(Handle menu, int position, unsigned flags) override;
    void setForegroundWindow(Handle) override;
    Handle foregroundWindow() override;

private:
    MainWindow& window_;
};

class Registry final : public RegistryPort {
public:
    Handle openKey(const std::string& path, Access) override;
    Handle createKey(const std::string& path) override;
    std::optional<Value> queryValue(Handle key, const std::string& name) override;
    bool setStringValue(Handle key, const std::string& name, const std::string& text) override;
    bool deleteValue(Handle key, const std::string& name) override;
    bool deleteKey(const std::string& path) override;
    void closeKey(Handle) override;
};

class Gdi final : public GdiPort {
public:
    Handle createIconFromResource(const std::uint8_t* bits, std::uint32_t size) override;
    void destroyIcon(Handle) override;
    int smallIconWidth() override;
    int smallIconHeight() override;
    Handle createCompatibleDC() override;
    Handle createDibSection32(Handle dc, int width, int height) override;
    Handle selectObject(Handle dc, Handle object) override;
    void drawIcon(Handle dc, Handle icon, int width, int height) override;
    void deleteDC(Handle) override;
    void deleteObject(Handle) override;
};

}  // namespace vorlane::win32
