// Starting at logon through the user's Run key, and the menu item that shows
// and toggles it.
#include <string>

#include "desktop/desktop_text.h"
#include "desktop/ico.h"
#include "desktop/mark_icon.h"
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr const char* kRunValuePath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\tavolu";
constexpr const char* kNotRegistered = "123";
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;

std::string readRunValue(RegistryPort& registry, KernelPort& kernel, const std::string& fallback) {
    const auto [keyPath, name] = splitAtLastBackslash(kRunValuePath);
    const Handle key = registry.openKey(keyPath, RegistryPort::Access::Read);
    if (key == 0) return fallback;
    const auto value = registry.queryValue(key, name);
    registry.closeKey(key);
    if (!value) return fallback;
    if (value->type == kRegSz) return value->text;
    if (value->type == kRegExpandSz) return kernel.expandEnvironmentStrings(value->text);
    return fallback;
}

bool writeRunValue(RegistryPort& registry, const std::string& data) {
    const auto [keyPath, name] = splitAtLastBackslash(kRunValuePath);
    Handle key = registry.openKey(keyPath, RegistryPort::Access::Write);
    if (key == 0) key = registry.createKey(keyPath);
    if (key == 0) return false;
    const bool written = registry.setStringValue(key, name, data);
    registry.closeKey(key);
    return written;
}

bool deleteRunValue(RegistryPort& registry) {
    const auto [keyPath, name] = splitAtLastBackslash(kRunValuePath);
    bool deleted = false;
    const Handle key = registry.openKey(keyPath, RegistryPort::Access::Write);
    if (key != 0) {
        deleted = registry.deleteValue(key, name);
        registry.closeKey(key);
    }
    // A subkey of that name is normally absent; trying it keeps the old
    // program's fallback.
    if (!deleted) deleted = registry.deleteKey(kRunValuePath);
    return deleted;
}

}  // namespace

void Program::dropMarkBitmap() {
    if (markBitmap_ == 0) return;
    ports_.gdi.deleteObject(markBitmap_);
    markBitmap_ = 0;
}

void Program::setMenuMark(Handle menu, unsigned position) {
    const Handle bitmap = iconToMenuBitmap(ports_.gdi, markIcon);
    ports_.menus.setItemBitmaps(menu, position, kMfByPosition, bitmap, bitmap);
    // The old bitmap is no longer drawn by any menu: the item now has the new one.
    dropMarkBitmap();
    markBitmap_ = bitmap;
}

void Program::showAutostartCaption(const std::string& caption) {
    // A caption write rebuilds the bar; the old bar took its mark with it.
    if (menuBar_.setCaption(kAutostart, caption)) dropMarkBitmap();
    // The mark goes on after the caption, on the new bar's "选项" menu.
    if (caption != "开机自启") setMenuMark(ports_.menus.subMenu(ports_.menus.windowMenu(), 1), 0);
}

void Program::showAutostartState() {
    if (readRunValue(ports_.registry, ports_.kernel, kNotRegistered) == kNotRegistered) return;
    showAutostartCaption("已添加开机自启");
}

void Program::onAutostartCommand() {
    if (readRunValue(ports_.registry, ports_.kernel, kNotRegistered) == kNotRegistered) {
        const std::string data =
            quotedProgramPath(ports_.kernel.currentDirectory(), ports_.kernel.moduleFileName());
        if (writeRunValue(ports_.registry, data)) showAutostartCaption("已添加开机自启");
    } else if (deleteRunValue(ports_.registry)) {
        showAutostartCaption("开机自启");
    }
}

}  // namespace vorlane
