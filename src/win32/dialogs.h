// The message box and the modal integer input box.
#pragma once

#include <windows.h>

#include "seam/ports.h"

namespace vorlane::win32 {

class MainWindow;

class Dialogs final : public DialogPort {
public:
    explicit Dialogs(MainWindow& window) : window_(window) {}
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    std::optional<std::string> inputInteger(const std::string& prompt, const std::string& title,
                                            const std::string& initial) override;

private:
    MainWindow& window_;
};

}  // namespace vorlane::win32
