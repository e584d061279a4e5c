// Owning wrappers for the Windows handles this layer creates.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "win32/bound_call.h"

namespace vorlane::win32 {

struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct GdiObjectCloser {
    void operator()(HGDIOBJ object) const { VORLANE_CALL(gdi32, DeleteObject)(object); }
};
struct IconCloser {
    void operator()(HICON icon) const { VORLANE_CALL(user32, DestroyIcon)(icon); }
};

template <typename H, typename Closer>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Closer>;

using OwnedWindow = Owned<HWND, WindowCloser>;
using OwnedFont = Owned<HFONT, GdiObjectCloser>;
using OwnedBrush = Owned<HBRUSH, GdiObjectCloser>;
using OwnedIcon = Owned<HICON, IconCloser>;

}  // namespace vorlane::win32
