// The four saved settings: loading, validating the two boxes against each
// other, and the sleep-delay option with its input box.
#include "engine/settings_file.h"
#include "engine/text_rules.h"
#include "ui/program.h"

namespace vorlane {

std::string Program::settingsFilePath() {
    // Built anew for every access: the folder is looked up each time.
    return settingsPathIn(ports_.profile.appDataFolder());
}

std::string Program::readSetting(const std::string& key, const std::string& fallback) {
    return readProfileString(ports_.profile, kSettingsSection, key, fallback, settingsFilePath());
}

void Program::writeSetting(const std::string& key, const std::string& value) {
    // A settings file that cannot be written is not reported.
    ports_.profile.writeString(kSettingsSection, key, value, settingsFilePath());
}

int Program::workMinutes() { return textToInt(ports_.window.text(Control::编辑框1)); }
int Program::idleMinutes() { return textToInt(ports_.window.text(Control::编辑框2)); }

void Program::loadSettings() {
    // Each write raises the box's change handler, which validates and saves;
    // the idle box is loaded while the work box still holds its form text.
    ports_.window.setText(Control::编辑框2, readSetting("dateM", "10"));
    ports_.window.setText(Control::编辑框1, readSetting("workingM", "90"));
    if (readSetting("xzyctimeS", "0") == "1") ports_.window.setChecked(Control::选择框3, true);
}

void Program::onIdleBoxChanged() {
    const int idle = idleMinutes();
    const bool bad = idle > 0 ? workMinutes() < idle : true;
    // The write re-enters this handler, which finds "1" and passes.
    if (bad) ports_.window.setText(Control::编辑框2, "1");
    writeSetting("dateM", ports_.window.text(Control::编辑框2));
    if (ports_.window.checked(Control::选择框2)) state_.elapsedSeconds = 0;
}

void Program::onWorkBoxChanged() {
    if (workMinutes() <= 0) ports_.window.setText(Control::编辑框1, "1");
    writeSetting("workingM", ports_.window.text(Control::编辑框1));
    if (workMinutes() < idleMinutes()) onIdleBoxChanged();
}

void Program::onSleepDelayToggled() {
    std::string enabled = "0";
    if (ports_.window.checked(Control::选择框3)) {
        static const std::string kPrompt = "请输入一个>0且<=600的整数";
        static const std::string kTitle = "延迟时间(秒)";
        const auto outOfRange = [this] {
            return state_.sleepDelaySeconds < 1 || state_.sleepDelaySeconds > 600;
        };
        auto answer =
            ports_.dialogs.inputInteger(kPrompt, kTitle, decimal(state_.sleepDelaySeconds));
        if (answer) {
            state_.sleepDelaySeconds = parseInteger(*answer);
            while (outOfRange()) {
                answer = ports_.dialogs.inputInteger(kPrompt, kTitle, "60");
                if (!answer) break;
                state_.sleepDelaySeconds = parseInteger(*answer);
            }
        }
        if (outOfRange()) state_.sleepDelaySeconds = 60;
        writeSetting("yctimeS", decimal(state_.sleepDelaySeconds));
        enabled = "1";
    }
    writeSetting("xzyctimeS", enabled);
}

void Program::reloadSleepDelay() { state_.sleepDelaySeconds = textToInt(readSetting("yctimeS", "60")); }

}  // namespace vorlane
