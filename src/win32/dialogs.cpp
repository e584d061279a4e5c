#include "win32/dialogs.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "win32/bound_call.h"
#include "win32/integer_edit.h"
#include "win32/main_window.h"
#include "win32/wide.h"

namespace vorlane::win32 {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kFieldId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// A dialog template laid out in memory: the header, then one item after the
// other, each aligned to a DWORD.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, std::wstring_view caption, short width, short height) {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = width;
        header.cy = height;
        countAt_ = words_.size() + offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
        append(header);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the predefined dialog class
        appendText(caption);
        words_.push_back(8);  // point size of the dialog font
        appendText(L"MS Shell Dlg");
    }

    void add(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
             std::wstring_view text) {
        while (words_.size() % 2 != 0) words_.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        append(item);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        appendText(text);
        words_.push_back(0);  // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    template <typename T>
    void append(const T& value) {
        static_assert(sizeof(T) % sizeof(WORD) == 0);
        const auto* begin = reinterpret_cast<const WORD*>(&value);
        words_.insert(words_.end(), begin, begin + sizeof(T) / sizeof(WORD));
    }
    void appendText(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;  // std::vector's storage is aligned for a DWORD
    std::size_t countAt_ = 0;
};

struct InputState {
    std::wstring prompt;
    std::wstring initial;
    std::optional<std::string> result;
};

std::wstring fieldText(HWND field) {
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

INT_PTR CALLBACK inputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<InputState*>(lParam);
            VORLANE_CALL(user32, SetWindowLongPtrW)(dialog, DWLP_USER, lParam);
            const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT))
                VORLANE_CALL(user32, SendMessageW)(child, WM_SETFONT, font, FALSE);
            SetDlgItemTextW(dialog, kPromptId, state->prompt.c_str());
            const HWND field = GetDlgItem(dialog, kFieldId);
            SetWindowTextW(field, state->initial.c_str());
            acceptOnlyIntegerTyping(field);
            VORLANE_CALL(user32, SendMessageW)(field, EM_SETSEL, 0, -1);
            SetFocus(field);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            auto* state =
                reinterpret_cast<InputState*>(VORLANE_CALL(user32, GetWindowLongPtrW)(dialog, DWLP_USER));
            const WORD id = LOWORD(wParam);
            if (id == IDOK) {
                state->result = narrow(fieldText(GetDlgItem(dialog, kFieldId)));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                // The Cancel button, Esc and the close box.
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        default: return FALSE;
    }
}

}  // namespace

int Dialogs::messageBox(const std::string& text, const std::string& title, unsigned style) {
    return VORLANE_CALL(user32, MessageBoxW)(nullptr, widen(text).c_str(), widen(title).c_str(), style);
}

std::optional<std::string> Dialogs::inputInteger(const std::string& prompt, const std::string& title,
                                                 const std::string& initial) {
    constexpr DWORD kStyle =
        DS_SETFONT | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DialogTemplate layout(kStyle, widen(title), 200, 64);
    layout.add(kStaticClass, kPromptId, SS_LEFT, 7, 7, 186, 10, L"");
    layout.add(kEditClass, kFieldId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 186, 13, L"");
    layout.add(kButtonClass, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 79, 43, 55, 14, L"确认输入(&O)");
    layout.add(kButtonClass, IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 138, 43, 55, 14, L"取消(&C)");

    InputState state{widen(prompt), widen(initial), std::nullopt};
    const HWND main = window_.window();
    if (main != nullptr) EnableWindow(main, FALSE);
    DialogBoxIndirectParamW(window_.instance(), layout.get(), nullptr, inputDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    if (main != nullptr) {
        EnableWindow(main, TRUE);
        // Without an owner nothing hands the activation back.
        if (VORLANE_CALL(user32, IsWindowVisible)(main)) SetActiveWindow(main);
    }
    return state.result;
}

}  // namespace vorlane::win32
