// The program wired to the fake the way the main window wires it to Windows.
#pragma once

#include "fake_os.h"
#include "ui/program.h"

namespace vorlane::testing {

struct App {
    FakeOs os;
    GammaRamp savedRamp{};
    Program program{os.ports(), savedRamp};
    bool destroyed = false;

    App() {
        os.textChanged = [this](Control c) { program.onTextChanged(c); };
        os.timerFired = [this] { program.onTick(); };
        // The posted destruction runs when the message loop reaches it.
        os.destroyPosted = [this](Handle) {
            os.at(os.time, [this] { destroy(); });
        };
        for (std::size_t i = 0; i < savedRamp.size(); ++i) os.ramp[i] = static_cast<std::uint16_t>(i * 85);
    }
    // Builds the window's menu bar, then runs the creation handler.
    bool start() {
        program.menuBar().build();
        return program.onCreate();
    }
    void destroy() {
        if (destroyed) return;
        destroyed = true;
        program.onDestroy();
        os.quitPosted = true;
    }
    std::string caption() const { return os.windowCaption; }
};

}  // namespace vorlane::testing
