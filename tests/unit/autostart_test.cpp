// The Run value, the autostart menu item with its mark, and the .ico reader.
#include <gtest/gtest.h>
#include <cstring>

#include "app_fixture.h"
#include "desktop/ico.h"
#include "desktop/mark_icon.h"

namespace vorlane::testing {
namespace {

const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

struct AutostartApp {
    App app;
    void startWith(std::optional<RegistryPort::Value> value) {
        app.os.registryKeys[kRun];
        if (value) app.os.registryKeys[kRun]["tavolu"] = *value;
        app.start();
    }
    std::string itemCaption() { return app.os.menuTexts(app.os.subMenu(app.os.bar, 1)).at(0); }
    Handle itemBitmap() { return app.os.menus[app.os.subMenu(app.os.bar, 1)].at(0).bitmap; }
};

struct Autostart : ::testing::Test, AutostartApp {};

TEST_F(Autostart, ValueReadWithItsDefault) {
    const struct {
        std::optional<RegistryPort::Value> value;
        bool registered;
    } cases[] = {
        {std::nullopt, false},
        {RegistryPort::Value{1, ""}, true},  // present but empty is not the default
        {RegistryPort::Value{4, ""}, false},  // REG_DWORD
        {RegistryPort::Value{1, "123"}, false},
        {RegistryPort::Value{1, "\"C:\\other\\Vorlane.exe\""}, true},
        {RegistryPort::Value{2, "%APPDIR%\\Vorlane.exe"}, true},  // REG_EXPAND_SZ
        {RegistryPort::Value{2, "12%NOPE%3"}, true},
        {RegistryPort::Value{7, "x"}, false},  // REG_MULTI_SZ
    };
    for (const auto& c : cases) {
        AutostartApp t;
        t.startWith(c.value);
        EXPECT_EQ(t.itemCaption(), c.registered ? "已添加开机自启" : "开机自启");
        EXPECT_EQ(t.itemBitmap() != 0, c.registered);
        EXPECT_EQ(t.app.os.logOf("createDib"), c.registered ? std::vector<std::string>{"createDib 16x16"}
                                                            : std::vector<std::string>{});
    }
}

TEST_F(Autostart, ExpandSzThatExpandsTo123CountsAsNotRegistered) {
    app.os.environment["X"] = "23";
    startWith(RegistryPort::Value{2, "1%X%"});
    EXPECT_EQ(itemCaption(), "开机自启");
}

TEST_F(Autostart, MissingRunKeyIsCreatedOnWrite) {
    app.start();  // no Run key at all
    app.program.onCommand(kAutostart);
    EXPECT_EQ(app.os.registryKeys[kRun]["tavolu"].text, "\"C:\\Program Files\\Vorlane\\Vorlane.exe\"");
    EXPECT_EQ(app.os.logOf("regCreate"), (std::vector<std::string>{"regCreate " + kRun}));
}

TEST_F(Autostart, CommandTogglesTheValueTheCaptionAndTheMark) {
    startWith(std::nullopt);
    app.os.directory = "D:\\工具\\休息";
    app.os.module = "D:\\工具\\休息\\Vorlane.exe";
    app.program.onCommand(kAutostart);
    EXPECT_EQ(app.os.registryKeys[kRun]["tavolu"].type, 1u);
    EXPECT_EQ(app.os.registryKeys[kRun]["tavolu"].text, "\"D:\\工具\\休息\\Vorlane.exe\"");
    EXPECT_EQ(itemCaption(), "已添加开机自启");
    EXPECT_NE(itemBitmap(), 0u);
    EXPECT_EQ(app.os.logOf("setItemBitmaps"), (std::vector<std::string>{"setItemBitmaps 0 1024 same"}));
    EXPECT_EQ(app.program.markBitmap(), itemBitmap());

    app.program.onCommand(kAutostart);
    EXPECT_EQ(app.os.registryKeys[kRun].count("tavolu"), 0u);
    EXPECT_EQ(itemCaption(), "开机自启");
    EXPECT_EQ(itemBitmap(), 0u);  // the rebuilt menu has no mark
    EXPECT_EQ(app.program.markBitmap(), 0u);
    EXPECT_TRUE(app.os.liveGdiObjects.empty());  // mark bitmap and DC freed
    EXPECT_TRUE(app.os.openKeys.empty());
}

TEST_F(Autostart, ManyTogglesLeakNoBitmapsIconsOrKeys) {
    startWith(std::nullopt);
    for (int i = 0; i < 50; ++i) app.program.onCommand(kAutostart);
    EXPECT_EQ(app.os.liveGdiObjects.size(), 0u);
    app.program.onCommand(kAutostart);
    EXPECT_EQ(app.os.liveGdiObjects.size(), 1u);  // only the current mark
    EXPECT_TRUE(app.os.liveIcons.empty());
    EXPECT_TRUE(app.os.logOf("deleteObject: not live").empty());
    EXPECT_TRUE(app.os.logOf("drawIcon 16x16 bad").empty());
}

TEST_F(Autostart, FailedWriteOrDeleteChangesNothing) {
    startWith(std::nullopt);
    app.os.registryWritesFail = true;
    app.program.onCommand(kAutostart);
    EXPECT_EQ(itemCaption(), "开机自启");
    app.os.registryWritesFail = false;
    app.program.onCommand(kAutostart);
    app.os.registryWritesFail = true;
    app.program.onCommand(kAutostart);
    EXPECT_EQ(itemCaption(), "已添加开机自启");
    EXPECT_EQ(app.os.logOf("regDeleteKey"), (std::vector<std::string>{"regDeleteKey " + kRun + "\\tavolu"}));
}

// A small .ico file: `widths` entries, each with a 40-byte image after the directory.
std::vector<std::uint8_t> ico(std::vector<std::uint8_t> widths) {
    const std::size_t count = widths.size();
    std::vector<std::uint8_t> out(6 + 16 * count + 40 * count, 0);
    out[2] = 1;
    out[4] = static_cast<std::uint8_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* e = &out[6 + 16 * i];
        e[0] = widths[i];
        e[1] = widths[i];
        const std::uint32_t size = 40, offset = static_cast<std::uint32_t>(6 + 16 * count + 40 * i);
        std::memcpy(e + 8, &size, 4);
        std::memcpy(e + 12, &offset, 4);
    }
    return out;
}

TEST(IcoReader, ChoosesTheSixteenPixelEntryElseTheFirst) {
    const struct {
        std::vector<std::uint8_t> widths;
        std::uint32_t offset;
    } cases[] = {
        {{32, 16}, 6 + 32 + 40},
        {{16, 32}, 6 + 32},
        {{32, 48}, 6 + 32},
        {{0}, 6 + 16},
    };
    for (const auto& c : cases) {
        const auto bytes = ico(c.widths);
        const auto image = selectIcoImage(bytes);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->offset, c.offset);
        EXPECT_EQ(image->size, 40u);
    }
}

TEST(IcoReader, CountOfZeroOrLessUsesTheFirstEntry) {
    auto bytes = ico({32, 16});
    bytes[4] = 0;
    EXPECT_EQ(selectIcoImage(bytes)->offset, 6u + 32);
    bytes[4] = 0xFF;
    bytes[5] = 0xFF;  // -1
    EXPECT_EQ(selectIcoImage(bytes)->offset, 6u + 32);
}

TEST(IcoReader, RejectsWhatDoesNotFit) {
    const auto good = ico({16});
    auto tooShort = good;
    tooShort.resize(21);
    auto offsetOut = good;
    offsetOut[6 + 12] = 0xF0;
    auto sizeOut = good;
    sizeOut[6 + 8] = 41;
    auto wrapping = good;
    std::memset(&wrapping[6 + 8], 0xFF, 4);  // size 0xFFFFFFFF: offset + size overflows 32 bits
    auto countBeyond = ico({32});
    countBeyond[4] = 200;  // entries past the end are not read
    for (const auto& bytes : {tooShort, offsetOut, sizeOut, wrapping})
        EXPECT_FALSE(selectIcoImage(bytes).has_value());
    EXPECT_TRUE(selectIcoImage(countBeyond).has_value());
    FakeOs os;
    EXPECT_EQ(iconFromIcoBytes(os, offsetOut), 0u);
    EXPECT_TRUE(os.iconsCreatedFrom.empty());
}

TEST(IcoReader, StoredMarkIconIsOneSixteenPixelImage) {
    ASSERT_EQ(markIcon.size(), 1150u);
    EXPECT_EQ(markIcon[6], 16);
    EXPECT_EQ(markIcon[12], 32);  // bits per pixel
    const auto image = selectIcoImage(markIcon);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->offset, 22u);
    EXPECT_EQ(image->size, 1128u);
    FakeOs os;
    os.icoBase = markIcon.data();
    const Handle bitmap = iconToMenuBitmap(os, markIcon);
    EXPECT_NE(bitmap, 0u);
    EXPECT_EQ(os.iconsCreatedFrom, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{22, 1128}}));
    EXPECT_EQ(os.log, (std::vector<std::string>{"createDib 16x16", "drawIcon 16x16"}));
    EXPECT_TRUE(os.liveIcons.empty());
}

}  // namespace
}  // namespace vorlane::testing
