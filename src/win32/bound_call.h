// The program's calls of user32, kernel32, gdi32 and Powrprof functions are
// bound by name at their first use, from the system directory only. A
// function the system lacks is then reported in a box naming it, where the
// loader would refuse to start the program without a word.
//
//     VORLANE_CALL(user32, SetTimer)(window, id, period, nullptr);
//
// resolves "SetTimer" in "user32.dll" once and keeps the address in a
// function-local static; the function's type comes from its declaration in
// the Windows headers, so arguments are checked as for a direct call.
#pragma once

#include <algorithm>
#include <cstddef>

#include "ui/binding.h"

namespace vorlane::win32 {

// LoadLibraryExW from the system directory, GetProcAddress, and the error box
// and the hard exit of a failed binding. These few are imported directly.
class SystemLibraries final : public LibraryPort {
public:
    Handle loadSystemLibrary(const std::string& dll) override;
    void* procAddress(Handle library, const std::string& function) override;
    void errorBox(const std::string& text, const std::string& title) override;
    [[noreturn]] void exitProcess(int code) override;
};

// The program-wide binder; loaded libraries stay loaded for the process's life.
Binder& binder();

// A string literal usable as a template argument.
template <std::size_t N>
struct Name {
    constexpr Name(const char (&text)[N]) { std::copy_n(text, N, value); }
    char value[N];
};

template <Name Dll, Name Function, typename F>
F* bound() {
    static F* const address = reinterpret_cast<F*>(binder().resolve(Dll.value, Function.value));
    return address;
}

}  // namespace vorlane::win32

// The function name is stringised after macro expansion, so that a 32-bit
// build binds SetWindowLongW for SetWindowLongPtrW, as its headers alias it.
#define VORLANE_CALL(dll, function) VORLANE_CALL_EXPANDED_(dll, function)
#define VORLANE_CALL_EXPANDED_(dll, function) \
    (::vorlane::win32::bound<#dll ".dll", #function, decltype(::function)>())
