#include "fake_os.h"

#include <algorithm>

namespace vorlane::testing {
namespace {

std::string name(Control c) {
    switch (c) {
        case Control::按钮2: return "按钮2";
        case Control::按钮1: return "按钮1";
        case Control::选择框3: return "选择框3";
        case Control::选择框2: return "选择框2";
        case Control::选择框1: return "选择框1";
        case Control::编辑框2: return "编辑框2";
        case Control::编辑框1: return "编辑框1";
        case Control::标签2: return "标签2";
        case Control::标签1: return "标签1";
    }
    return "?";
}

std::string name(Balloon b) {
    switch (b) {
        case Balloon::气球提示框1: return "气球提示框1";
        case Balloon::气球提示框2: return "气球提示框2";
        case Balloon::气球提示框3: return "气球提示框3";
    }
    return "?";
}

}  // namespace

FakeOs::FakeOs() {
    texts[Control::按钮2] = "重置";
    texts[Control::按钮1] = "暂停";
    texts[Control::选择框3] = "休眠延迟";
    texts[Control::选择框2] = "修改时间计时清零";
    texts[Control::选择框1] = "关闭到托盘";
    texts[Control::编辑框2] = "10";
    texts[Control::编辑框1] = "90";
    texts[Control::标签2] = "未操作检测时长(分)";
    texts[Control::标签1] = "工作时长(分)";
}

std::vector<std::string> FakeOs::logOf(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}

void FakeOs::runDue(std::uint64_t until) {
    for (;;) {
        std::optional<std::uint64_t> due;
        if (nextTick && *nextTick <= until) due = *nextTick;
        const auto action = scheduled.begin();
        const bool actionFirst =
            action != scheduled.end() && action->first <= until && (!due || action->first < *due);
        if (actionFirst) {
            time = std::max(time, action->first);
            auto run = std::move(action->second);
            scheduled.erase(action);
            run();
        } else if (due) {
            time = std::max(time, *due);
            nextTick = *due + timerPeriod;
            if (timerFired) timerFired();
        } else {
            break;
        }
    }
}

void FakeOs::advance(std::uint64_t ms) {
    const std::uint64_t until = time + ms;
    runDue(until);
    // A rest prompt nested in a tick may have moved the clock further.
    time = std::max(time, until);
}

void FakeOs::setText(Control c, const std::string& text) {
    note("setText " + name(c) + " " + text);
    texts[c] = text;
    // A program write raises the change event at once, even when unchanged.
    if ((c == Control::编辑框1 || c == Control::编辑框2) && textChanged) textChanged(c);
}

void FakeOs::setChecked(Control c, bool on) {
    note("setChecked " + name(c) + (on ? " 1" : " 0"));
    checks[c] = on;
}

void FakeOs::setCaption(const std::string& text) {
    note("caption " + text);
    windowCaption = text;
}

void FakeOs::show(WindowShow how) {
    switch (how) {
        case WindowShow::Show: note("show"); windowVisible = true; break;
        case WindowShow::Hide: note("hide"); windowVisible = false; break;
        case WindowShow::Minimize:
            note("minimize");
            if (windowVisible) minimized = true;
            break;
        case WindowShow::Restore:
            note("restore");
            if (windowVisible) minimized = false;
            break;
    }
}

void FakeOs::setTimer(unsigned milliseconds) {
    note("setTimer " + std::to_string(milliseconds));
    timerPeriod = milliseconds;
    nextTick = time + milliseconds;
}

void FakeOs::killTimer() {
    note("killTimer");
    timerPeriod = 0;
    nextTick.reset();
}

void FakeOs::postDestroy() {
    note("postDestroy");
    if (destroyPosted) destroyPosted(handle());
}

void FakeOs::sendSysCommand(std::uintptr_t command, std::intptr_t parameter) {
    note("sysCommand " + std::to_string(command) + " " + std::to_string(parameter));
}

void FakeOs::attachHint(Balloon b, Control c, const std::string& text, unsigned delay, unsigned display) {
    note("hint " + name(b) + " " + name(c) + " " + text + " " + std::to_string(delay) + " " +
         std::to_string(display));
}

void FakeOs::showBalloon(Balloon b, Point at, const std::string& text, unsigned display) {
    note("balloon " + name(b) + " " + std::to_string(at.x) + "," + std::to_string(at.y) + " " +
         std::to_string(display) + " " + text);
}

void FakeOs::hideBalloon(Balloon b) { note("hideBalloon " + name(b)); }

int FakeOs::messageBox(const std::string& text, const std::string& title, unsigned style) {
    note("messageBox " + title + " " + text + " " + std::to_string(style));
    if (duringMessageBox) {
        auto during = std::move(duringMessageBox);
        duringMessageBox = nullptr;
        during();
    }
    if (messageBoxAnswers.empty()) return 1;
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeOs::inputInteger(const std::string& prompt, const std::string& title,
                                                const std::string& initial) {
    note("input " + title + " " + prompt + " " + initial);
    if (inputAnswers.empty()) return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

bool FakeOs::dispatchPending() {
    runDue(time);
    return quitPosted;
}

void FakeOs::waitForMessage(std::uint32_t milliseconds) {
    note("wait " + std::to_string(milliseconds));
    std::uint64_t until = time + milliseconds;
    if (nextTick) until = std::min(until, *nextTick);
    if (!scheduled.empty()) until = std::min(until, std::max(time, scheduled.begin()->first));
    time = until;
}

std::string FakeOs::iniValue(const std::string& key, const std::string& path) const {
    const std::string file = path.empty() ? "C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini" : path;
    const auto found = ini.find(file);
    if (found == ini.end()) return "<none>";
    const auto value = found->second.find("kov/" + key);
    return value == found->second.end() ? "<none>" : value->second;
}

std::string FakeOs::readString(const std::string& section, const std::string& key,
                               const std::optional<std::string>& fallback, const std::string& path) {
    note("readProfile " + section + " " + key + " " + path);
    const auto file = ini.find(path);
    if (file != ini.end()) {
        const auto value = file->second.find(section + "/" + key);
        if (value != file->second.end()) return value->second;
    }
    return fallback.value_or("");
}

bool FakeOs::writeString(const std::string& section, const std::string& key, const std::string& value,
                         const std::string& path) {
    note("writeProfile " + key + "=" + value);
    ini[path][section + "/" + key] = value;
    return true;
}

Handle FakeOs::desktopDC() {
    note("getDC");
    return 0x0DC0;
}

void FakeOs::releaseDesktopDC(Handle) { note("releaseDC"); }

bool FakeOs::getGammaRamp(Handle, GammaRamp& out) {
    note("getGammaRamp");
    if (!gammaWorks) return false;
    out = ramp;
    return true;
}

bool FakeOs::setGammaRamp(Handle, const GammaRamp& in) {
    note(std::string("setGammaRamp ") + (in == GammaRamp{} ? "zero" : "picture"));
    if (!gammaWorks) return false;
    if (refusesFlatRamp && in == GammaRamp{}) return true;
    ramp = in;
    return true;
}

bool FakeOs::setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) {
    note(std::string("suspend ") + (hibernate ? "1" : "0") + (force ? "1" : "0") +
         (wakeupEventsDisabled ? "1" : "0"));
    ++suspends;
    if (duringSuspend) {
        auto during = std::move(duringSuspend);
        duringSuspend = nullptr;
        during();
    }
    return true;
}

void FakeOs::showCovers() {
    note("showCovers");
    coversShown = true;
}

void FakeOs::hideCovers() {
    note("hideCovers");
    coversShown = false;
}

void FakeOs::armCrashRestore(Handle dc, const GammaRamp* savedRamp) {
    crashDC = dc;
    crashRamp = savedRamp;
}

Handle FakeOs::install() {
    const Handle hook = newHandle();
    note("installHook");
    hooks.insert(hook);
    return hook;
}

void FakeOs::remove(Handle hook) {
    note("removeHook");
    hooks.erase(hook);
}

std::intptr_t FakeOs::callNext(Handle, int, std::uintptr_t, std::intptr_t) {
    note("callNextHook");
    return 0x77;  // whatever the next hook answered
}

Handle FakeOs::openMutex(std::uint32_t access, const std::string& mutexName) {
    note("openMutex " + std::to_string(access) + " " + mutexName);
    return otherCopyRunning ? newHandle() : 0;
}

Handle FakeOs::createMutex(bool initialOwner, const std::string& mutexName) {
    note(std::string("createMutex ") + (initialOwner ? "owned " : "") + mutexName);
    return newHandle();
}

std::uint32_t FakeOs::waitForSingleObject(Handle, std::uint32_t milliseconds) {
    note("wait mutex " + std::to_string(milliseconds));
    return waitResult;
}

void FakeOs::releaseMutex(Handle h) { note("releaseMutex " + std::to_string(h != 0)); }
void FakeOs::closeHandle(Handle) { note("closeHandle"); }

void FakeOs::endProgram(int code) {
    note("endProgram " + std::to_string(code));
    exitCode = code;
}

std::string FakeOs::expandEnvironmentStrings(const std::string& text) {
    std::string out = text;
    for (const auto& [key, value] : environment) {
        const std::string token = "%" + key + "%";
        for (auto at = out.find(token); at != std::string::npos; at = out.find(token))
            out.replace(at, token.size(), value);
    }
    return out;
}

bool FakeOs::notify(Op op, unsigned id, unsigned callbackMessage, Handle icon, const std::string& tip) {
    const char* opName = op == Op::Add ? "add" : op == Op::Modify ? "modify" : "delete";
    note(std::string("tray ") + opName + " " + std::to_string(id) + " " + std::to_string(callbackMessage) +
         (op == Op::Delete ? "" : " " + tip));
    if (op != Op::Delete && liveIcons.count(icon) == 0) note("tray: dead icon handle");
    if (op == Op::Delete) {
        trayIconShown = false;
    } else {
        if (op == Op::Modify && !trayIconShown) return false;
        trayIconShown = true;
        trayTipText = tip;
    }
    return true;
}

Handle FakeOs::smallWindowIcon() {
    const Handle icon = newHandle();
    liveIcons.insert(icon);
    return icon;
}

void FakeOs::destroyIcon(Handle icon) {
    if (liveIcons.erase(icon) == 0) note("destroyIcon: not live");
}

Handle FakeOs::createMenu() {
    const Handle menu = newHandle();
    menus[menu];
    note("createMenu");
    return menu;
}

Handle FakeOs::createPopupMenu() {
    const Handle menu = newHandle();
    menus[menu];
    note("createPopupMenu");
    return menu;
}

bool FakeOs::appendMenu(Handle menu, unsigned flags, std::uintptr_t id, const std::string& text) {
    note("appendMenu " + std::to_string(flags) + " " + (flags & 0x10 ? "popup" : std::to_string(id)) + " " +
         text);
    menus[menu].push_back({flags, id, text});
    return true;
}

void FakeOs::destroyMenu(Handle menu) {
    note("destroyMenu");
    // A menu bar takes its popups with it.
    for (const auto& item : menus[menu])
        if (item.flags & 0x10) menus.erase(static_cast<Handle>(item.id));
    menus.erase(menu);
}

void FakeOs::setWindowMenu(Handle menu) {
    note("setMenu");
    bar = menu;
}

Handle FakeOs::subMenu(Handle menu, int position) {
    const auto found = menus.find(menu);
    if (found == menus.end() || position < 0 || position >= static_cast<int>(found->second.size())) return 0;
    const auto& item = found->second[static_cast<std::size_t>(position)];
    return (item.flags & 0x10) ? static_cast<Handle>(item.id) : 0;
}

void FakeOs::setItemBitmaps(Handle menu, unsigned position, unsigned flags, Handle unchecked,
                            Handle checkedBitmap) {
    note("setItemBitmaps " + std::to_string(position) + " " + std::to_string(flags) + " " +
         (unchecked == checkedBitmap ? "same" : "different"));
    const auto found = menus.find(menu);
    if (found != menus.end() && position < found->second.size()) found->second[position].bitmap = unchecked;
}

int FakeOs::trackPopupMenu(Handle menu, unsigned flags, Point at, Handle owner) {
    note("trackPopupMenu " + std::to_string(flags) + " " + std::to_string(at.x) + "," + std::to_string(at.y) +
         " " + std::to_string(owner));
    (void)menu;
    if (popupChoices.empty()) return 0;
    const int choice = popupChoices.front();
    popupChoices.pop_front();
    return choice;
}

std::optional<std::string> FakeOs::menuString(Handle menu, int position, unsigned) {
    const auto found = menus.find(menu);
    if (found == menus.end() || position < 0 || position >= static_cast<int>(found->second.size()))
        return std::nullopt;
    return found->second[static_cast<std::size_t>(position)].text;
}

void FakeOs::setForegroundWindow(Handle window) {
    note("setForeground " + std::to_string(window));
    foreground = window;
}

std::vector<std::string> FakeOs::menuTexts(Handle menu) const {
    std::vector<std::string> out;
    const auto found = menus.find(menu);
    if (found == menus.end()) return out;
    for (const auto& item : found->second) out.push_back(item.text);
    return out;
}

Handle FakeOs::openKey(const std::string& path, Access access) {
    note(std::string("regOpen ") + (access == Access::Read ? "read " : "write ") + path);
    if (registryKeys.count(path) == 0) return 0;
    const Handle key = newHandle();
    openKeys[key] = path;
    return key;
}

Handle FakeOs::createKey(const std::string& path) {
    note("regCreate " + path);
    if (registryWritesFail) return 0;
    registryKeys[path];
    const Handle key = newHandle();
    openKeys[key] = path;
    return key;
}

std::optional<RegistryPort::Value> FakeOs::queryValue(Handle key, const std::string& valueName) {
    const auto& values = registryKeys[openKeys[key]];
    const auto found = values.find(valueName);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

bool FakeOs::setStringValue(Handle key, const std::string& valueName, const std::string& text) {
    note("regSet " + valueName + " " + text);
    if (registryWritesFail) return false;
    registryKeys[openKeys[key]][valueName] = Value{1, text};
    return true;
}

bool FakeOs::deleteValue(Handle key, const std::string& valueName) {
    note("regDeleteValue " + valueName);
    if (registryWritesFail) return false;
    return registryKeys[openKeys[key]].erase(valueName) == 1;
}

bool FakeOs::deleteKey(const std::string& path) {
    note("regDeleteKey " + path);
    if (registryWritesFail) return false;
    return registryKeys.erase(path) == 1;
}

void FakeOs::closeKey(Handle key) {
    if (openKeys.erase(key) == 0) note("regClose: not open");
}

Handle FakeOs::createIconFromResource(const std::uint8_t* bits, std::uint32_t size) {
    iconsCreatedFrom.emplace_back(icoBase ? static_cast<std::uint32_t>(bits - icoBase) : 0, size);
    const Handle icon = newHandle();
    liveIcons.insert(icon);
    return icon;
}

Handle FakeOs::createCompatibleDC() {
    const Handle dc = newHandle();
    liveGdiObjects.insert(dc);
    return dc;
}

Handle FakeOs::createDibSection32(Handle, int width, int height) {
    note("createDib " + std::to_string(width) + "x" + std::to_string(height));
    const Handle bitmap = newHandle();
    liveGdiObjects.insert(bitmap);
    return bitmap;
}

Handle FakeOs::selectObject(Handle dc, Handle object) {
    const Handle previous = selected_[dc];
    selected_[dc] = object;
    return previous == 0 ? 0x9999 : previous;
}

void FakeOs::drawIcon(Handle dc, Handle icon, int width, int height) {
    note("drawIcon " + std::to_string(width) + "x" + std::to_string(height) +
         (selected_[dc] != 0 && liveIcons.count(icon) ? "" : " bad"));
}

void FakeOs::deleteDC(Handle dc) { liveGdiObjects.erase(dc); }

void FakeOs::deleteObject(Handle object) {
    if (liveGdiObjects.erase(object) == 0) note("deleteObject: not live");
}

}  // namespace vorlane::testing
