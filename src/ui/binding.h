// Binding of system functions by name at their first use.
#pragma once

#include <map>
#include <string>

#include "seam/ports.h"

namespace vorlane {

// The few calls the binder itself needs; these are imported directly.
class LibraryPort {
public:
    virtual ~LibraryPort() = default;
    // LoadLibraryExW(name, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32): the system
    // directory only, never the program's folder or the current directory.
    virtual Handle loadSystemLibrary(const std::string& dll) = 0;
    virtual void* procAddress(Handle library, const std::string& function) = 0;
    virtual void errorBox(const std::string& text, const std::string& title) = 0;
    // Ends at once, without the exit actions. Does not return on Windows.
    virtual void exitProcess(int code) = 0;
};

std::string missingFunctionText(const std::string& dll, const std::string& function);

class Binder {
public:
    explicit Binder(LibraryPort& library) : library_(library) {}
    // The function's address. A DLL or function that cannot be found shows
    // "错误" naming both and ends the program with -1.
    void* resolve(const std::string& dll, const std::string& function);

private:
    LibraryPort& library_;
    std::map<std::string, Handle> libraries_;
};

// Integer input of the edit boxes: digits and "-" may be typed; control
// characters (Backspace, the clipboard keys) pass.
bool acceptsIntegerChar(char32_t typed);

}  // namespace vorlane
