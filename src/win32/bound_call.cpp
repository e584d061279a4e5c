#include "win32/bound_call.h"

#include <windows.h>

#include "win32/wide.h"

namespace vorlane::win32 {

Handle SystemLibraries::loadSystemLibrary(const std::string& dll) {
    // The system directory only: never the program's folder or the current
    // directory, where a planted DLL of the same name could sit.
    const HMODULE module = LoadLibraryExW(widen(dll).c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return reinterpret_cast<Handle>(module);
}

void* SystemLibraries::procAddress(Handle library, const std::string& function) {
    const FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(library), function.c_str());
    return reinterpret_cast<void*>(address);
}

void SystemLibraries::errorBox(const std::string& text, const std::string& title) {
    MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

void SystemLibraries::exitProcess(int code) {
    // At once: the exit actions do not run after a failed binding.
    ExitProcess(static_cast<UINT>(code));
}

Binder& binder() {
    static SystemLibraries libraries;
    static Binder instance(libraries);
    return instance;
}

}  // namespace vorlane::win32
