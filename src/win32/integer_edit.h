// Integer input of an edit field: typed characters other than the digits and
// "-" are dropped; control keys pass, pasted text is not filtered.
#pragma once

#include <windows.h>

namespace vorlane::win32 {

void acceptOnlyIntegerTyping(HWND edit);

}  // namespace vorlane::win32
