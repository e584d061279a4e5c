// Binding system functions by name, and the integer input filter.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "ui/binding.h"

namespace vorlane {
namespace {

struct FakeLibraries : LibraryPort {
    std::map<std::string, std::set<std::string>> available{{"user32.dll", {"SetTimer"}}};
    std::vector<std::string> log;
    std::optional<int> exitCode;
    Handle loadSystemLibrary(const std::string& dll) override {
        log.push_back("load " + dll);
        return available.count(dll) ? 0x100 + available.find(dll)->first.size() : 0;
    }
    void* procAddress(Handle library, const std::string& function) override {
        for (const auto& [dll, functions] : available)
            if (0x100 + dll.size() == library && functions.count(function)) return this;
        return nullptr;
    }
    void errorBox(const std::string& text, const std::string& title) override {
        log.push_back("box " + title + " " + text);
    }
    void exitProcess(int code) override { exitCode = code; }
};

TEST(Binder, ResolvesAndLoadsEachLibraryOnce) {
    FakeLibraries libraries;
    Binder binder(libraries);
    EXPECT_EQ(binder.resolve("user32.dll", "SetTimer"), &libraries);
    EXPECT_EQ(binder.resolve("user32.dll", "SetTimer"), &libraries);
    EXPECT_EQ(libraries.log, (std::vector<std::string>{"load user32.dll"}));
    EXPECT_FALSE(libraries.exitCode);
}

TEST(Binder, MissingFunctionOrLibraryShowsTheErrorAndExitsWithMinusOne) {
    const struct {
        const char* dll;
        const char* function;
    } cases[] = {{"user32.dll", "NoSuchCall"}, {"Powrprof.dll", "SetSuspendState"}};
    for (const auto& c : cases) {
        FakeLibraries libraries;
        Binder binder(libraries);
        EXPECT_EQ(binder.resolve(c.dll, c.function), nullptr);
        EXPECT_EQ(libraries.exitCode, -1);
        ASSERT_EQ(libraries.log.size(), 2u);
        EXPECT_EQ(libraries.log[1], "box 错误 " + missingFunctionText(c.dll, c.function));
        EXPECT_NE(libraries.log[1].find(c.dll), std::string::npos);
        EXPECT_NE(libraries.log[1].find(c.function), std::string::npos);
    }
}

TEST(IntegerInput, DigitsMinusAndControlKeysPass) {
    for (char32_t c : {U'0', U'5', U'9', U'-', U'\b', char32_t{0x16}, char32_t{0x03}, char32_t{0x18}})
        EXPECT_TRUE(acceptsIntegerChar(c)) << static_cast<unsigned>(c);
    for (char32_t c : {U'a', U'+', U'.', U' ', U'１', U'时', U'/', U':'})
        EXPECT_FALSE(acceptsIntegerChar(c)) << static_cast<unsigned>(c);
}

}  // namespace
}  // namespace vorlane
