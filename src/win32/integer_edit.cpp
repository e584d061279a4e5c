#include "win32/integer_edit.h"

#include <commctrl.h>

#include "ui/binding.h"

namespace vorlane::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK integerEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CHAR && !acceptsIntegerChar(static_cast<char32_t>(wParam))) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, integerEditProc, kSubclassId);
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void acceptOnlyIntegerTyping(HWND edit) { SetWindowSubclass(edit, integerEditProc, kSubclassId, 0); }

}  // namespace vorlane::win32
