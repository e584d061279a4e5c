// Start-up with arbitrary values in the settings file.
#include <cstdlib>

#include "app_fixture.h"
#include "engine/text_rules.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorlane::Control;
    vorlane::fuzz::Input in(data, size);
    vorlane::testing::App app;
    auto& file = app.os.ini["C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini"];
    const char* keys[] = {"kov/dateM", "kov/workingM", "kov/xzyctimeS", "kov/yctimeS"};
    const std::uint8_t present = in.byte();
    for (int i = 0; i < 4; ++i)
        if (present & (1 << i)) file[keys[i]] = in.text();
    const std::string delay = file.count(keys[3]) ? file[keys[3]] : "60";
    app.start();
    const int work = vorlane::textToInt(app.os.texts[Control::编辑框1]);
    const int idle = vorlane::textToInt(app.os.texts[Control::编辑框2]);
    if (work < 1 || idle < 1 || idle > work) std::abort();
    if (app.program.state().sleepDelaySeconds != vorlane::textToInt(delay)) std::abort();
    const bool delayOn = file.count(keys[2]) && file[keys[2]] == "1";
    if (app.os.checks[Control::选择框3] != delayOn) std::abort();
    if (app.program.tickPeriod() != 1000) std::abort();
    return 0;
}
