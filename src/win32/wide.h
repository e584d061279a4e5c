// Texts are UTF-8 inside the program and UTF-16 at the Windows boundary.
#pragma once

#include <string>
#include <string_view>

namespace vorlane::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace vorlane::win32
