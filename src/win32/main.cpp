// Program start: the executable's folder becomes the current directory, the
// gamma save buffer is allocated, the ports and the program are made, and
// the main window runs until its destruction ends the message loop.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "ui/program.h"
#include "win32/dialogs.h"
#include "win32/bound_call.h"
#include "win32/display.h"
#include "win32/main_window.h"
#include "win32/program_link.h"
#include "win32/system_ports.h"

namespace vorlane::win32 {
namespace {

// Freed by an exit action, so it also goes when the program ends early.
std::unique_ptr<GammaRamp> savedRamp;

void freeSavedRamp() { savedRamp.reset(); }

void enterProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return;
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);  // "C:\" keeps its backslash
    SetCurrentDirectoryW(path.c_str());
}

// Every port the program talks to, backed by the real system.
struct SystemPorts {
    explicit SystemPorts(HINSTANCE instance)
        : window(instance),
          dialogs(window),
          messages(window),
          display(instance),
          tray(window),
          menus(window) {}

    Ports ports() {
        return Ports{window, dialogs, input, messages, profile,  display,
                     hook,   kernel,  tray,  menus,    registry, gdi};
    }

    MainWindow window;
    Dialogs dialogs;
    Input input;
    Messages messages;
    Profile profile;
    Display display;
    Hook hook;
    Kernel kernel;
    Tray tray;
    Menus menus;
    Registry registry;
    Gdi gdi;
};

int run(HINSTANCE instance) {
    enterProgramFolder();
    savedRamp = std::make_unique<GammaRamp>();  // value-initialised: all zeros
    std::atexit(freeSavedRamp);

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    SystemPorts system(instance);
    Program program(system.ports(), *savedRamp);
    setRunningProgram(&program);
    if (system.window.create()) {
        VORLANE_CALL(user32, ShowWindow)(system.window.window(), SW_SHOW);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) system.window.process(message);
    }
    setRunningProgram(nullptr);
    return 0;
}

}  // namespace
}  // namespace vorlane::win32

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return vorlane::win32::run(instance);
}
