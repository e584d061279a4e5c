// The two box handlers driven with arbitrary texts: after every handler the
// work box holds at least 1 and the idle box lies between 1 and the work box.
#include <cstdlib>

#include "app_fixture.h"
#include "engine/text_rules.h"
#include "fuzz_input.h"

namespace {

void checkBoxes(vorlane::testing::App& app) {
    using vorlane::Control;
    const int work = vorlane::textToInt(app.os.texts[Control::编辑框1]);
    const int idle = vorlane::textToInt(app.os.texts[Control::编辑框2]);
    if (work < 1 || idle < 1 || idle > work) std::abort();
    // The file holds what the boxes hold.
    if (app.os.iniValue("workingM") != app.os.texts[Control::编辑框1]) std::abort();
    if (app.os.iniValue("dateM") != app.os.texts[Control::编辑框2]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorlane::fuzz::Input in(data, size);
    vorlane::testing::App app;
    app.start();
    checkBoxes(app);
    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        app.os.checks[vorlane::Control::选择框2] = (op & 0x80) != 0;
        const auto box = (op & 1) ? vorlane::Control::编辑框1 : vorlane::Control::编辑框2;
        app.os.setText(box, in.text());  // raises the handler as typing does
        checkBoxes(app);
    }
    return 0;
}
