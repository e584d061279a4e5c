// The pure text rules: numbers from texts, the floor rule, the status text,
// the settings path, and the tray and registry text helpers.
#include <gtest/gtest.h>

#include "desktop/desktop_text.h"
#include "engine/settings_file.h"
#include "engine/status_text.h"
#include "engine/text_rules.h"

namespace vorlane {
namespace {

TEST(TextToInt, ReadsSignLeadingBlanksFullWidthAndWraps) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"90", 90},
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"3.9", 3},
        {"  \t\r\n 42", 42},
        {"+7", 7},
        {"-15", -15},
        {"--5", 0},
        {"+-5", 0},
        {"- 5", 0},
        {" -0", 0},
        {"１２３", 123},           // full-width digits
        {"－４５", -45},           // full-width minus
        {"＋８", 8},               // full-width plus
        {"\xE3\x80\x80" "77", 77},  // ideographic space is a blank
        {"１2３", 123},            // mixed widths
        {"12 3", 12},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},   // wraps
        {"4294967296", 0},           // wraps to zero
        {"4294967297", 1},
        {"-2147483648", INT32_MIN},
        {"99999999999", 1215752191},  // 99999999999 mod 2^32
        {"分10", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(textToInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToInt, InputBoxConversionDoesNotMapFullWidth) {
    EXPECT_EQ(parseInteger("１２"), 0);
    EXPECT_EQ(parseInteger(" 700x"), 700);
}

TEST(TextToInt, BrokenUtf8PassesThroughWithoutCrashing) {
    EXPECT_EQ(textToInt("\xEF\xBC"), 0);
    EXPECT_EQ(textToInt("\xFF" "5"), 0);
    EXPECT_EQ(toSingleByteForms("a\xE3\x80"), "a\xE3\x80");
}

TEST(FloorRule, SnapsNearIntegersAwayFromZeroThenFloors) {
    const struct {
        double x;
        std::int32_t expected;
    } cases[] = {
        {0.0, 0},          {1.5, 1},
        {-1.5, -2},        {59.9999999999995, 60},
        {59.99999, 59},    {-0.9999999999995, -1},
        {-2.0000001, -3},  {1.0, 1},
        {2147483647.5, 2147483647},
    };
    for (const auto& c : cases) EXPECT_EQ(floorRule(c.x), c.expected) << c.x;
}

TEST(TruncToInt, TruncatesTowardZero) {
    EXPECT_EQ(truncToInt(2.9), 2);
    EXPECT_EQ(truncToInt(-2.9), -2);
    EXPECT_EQ(truncToInt(4294967296.0 + 5), 5);
}

TEST(StatusText, BuildsTotalAndElapsedParts) {
    const struct {
        const char* work;
        std::int32_t elapsed;
        const char* expected;
    } cases[] = {
        {"90", 3725, "Vorlane  总时长:1时30分  已过:1时2分5秒"},
        {"120", 59, "Vorlane  总时长:2时  已过:59秒"},
        {"45", 0, "Vorlane  总时长:45分  已过:0秒"},
        {"90", 3605, "Vorlane  总时长:1时30分  已过:1时5秒"},
        {"07", 60, "Vorlane  总时长:07分  已过:1分0秒"},
        {"090", 3600, "Vorlane  总时长:1时30分  已过:1时0秒"},
        {"60", 1, "Vorlane  总时长:1时  已过:1秒"},
        {"61", 7199, "Vorlane  总时长:1时1分  已过:1时59分59秒"},
        {"1", -5, "Vorlane  总时长:1分  已过:"},
        {"abc", 0, "Vorlane  总时长:abc分  已过:0秒"},
        {"１２０", 0, "Vorlane  总时长:2时  已过:0秒"},
        {"600", 36000, "Vorlane  总时长:10时  已过:10时0秒"},
    };
    for (const auto& c : cases) EXPECT_EQ(statusText("", c.work, c.elapsed, ""), c.expected) << c.work;
}

TEST(StatusText, PrefixAndSuffixWrapTheText) {
    EXPECT_EQ(statusText("[", "90", 1, "\r\n(双击显示面板)"),
              "[Vorlane  总时长:1时30分  已过:1秒\r\n(双击显示面板)");
}

TEST(SettingsPath, AppendsOneBackslashWhenMissingThenTheFileName) {
    EXPECT_EQ(settingsPathIn(std::string("C:\\Users\\u\\AppData\\Roaming")),
              "C:\\Users\\u\\AppData\\Roaming\\\\tavolu.ini");
    EXPECT_EQ(settingsPathIn(std::string("D:\\")), "D:\\\\tavolu.ini");
    EXPECT_EQ(settingsPathIn(std::string("C:\\用户\\数据")), "C:\\用户\\数据\\\\tavolu.ini");
    EXPECT_EQ(settingsPathIn(std::nullopt), "\\tavolu.ini");
    EXPECT_EQ(settingsPathIn(std::string()), "\\tavolu.ini");
}

TEST(TrayTip, CutsAtSixtyThreeUtf16UnitsNeverInsideACharacter) {
    const std::string ascii(70, 'a');
    EXPECT_EQ(trayTip(ascii), std::string(63, 'a'));

    std::string chinese;
    for (int i = 0; i < 70; ++i) chinese += "时";
    const std::string cut = trayTip(chinese);
    EXPECT_EQ(cut.size(), 63u * 3);  // 63 whole characters

    // A surrogate pair that would straddle the limit is left out whole.
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units
    EXPECT_EQ(trayTip(std::string(62, 'a') + emoji), std::string(62, 'a'));
    EXPECT_EQ(trayTip(std::string(61, 'a') + emoji + "b"), std::string(61, 'a') + emoji);

    const std::string usual = "Vorlane  总时长:1时30分  已过:1时29分59秒\r\n(双击显示面板)";
    EXPECT_EQ(trayTip(usual), usual);
}

TEST(RegistryPath, SplitsAtTheLastBackslash) {
    const auto [key, value] = splitAtLastBackslash("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\tavolu");
    EXPECT_EQ(key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(value, "tavolu");
    EXPECT_EQ(splitAtLastBackslash("plain"), std::make_pair(std::string(), std::string("plain")));
}

TEST(RegistryPath, QuotedProgramPathUsesTheDirectoryAndTheExecutableName) {
    EXPECT_EQ(quotedProgramPath("D:\\工具\\休息", "D:\\工具\\休息\\Vorlane.exe"), "\"D:\\工具\\休息\\Vorlane.exe\"");
    EXPECT_EQ(quotedProgramPath("C:\\a", "Vorlane.exe"), "\"C:\\a\\Vorlane.exe\"");
}

TEST(TrayKind, MouseMessagesGiveKinds) {
    const struct {
        unsigned message;
        int kind;
    } cases[] = {
        {0x0202, 1}, {0x0203, 2}, {0x0205, 3}, {0x007B, 3},
        {0x0201, 0}, {0x0200, 0}, {0x0204, 0}, {0x0206, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(trayKind(c.message), c.kind) << c.message;
    // A left double click arrives as down, up, double click, up.
    std::vector<int> kinds;
    for (unsigned m : {0x0201u, 0x0202u, 0x0203u, 0x0202u})
        if (int k = trayKind(m)) kinds.push_back(k);
    EXPECT_EQ(kinds, (std::vector<int>{1, 2, 1}));
}

}  // namespace
}  // namespace vorlane
