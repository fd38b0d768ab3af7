#include "platform/WindowsRegistry.h"

#include "io/WindowsText.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
using namespace std::string_literals;

// Values written by the system's own reg tool (under the current user, so that no
// administrator is needed), read back with KEY_READ as the About box reads them.
TEST(WindowsRegistry, ReadsWhatTheSystemWrote) {
    TempFolder dir;
    const std::string key = "Software\\Lanternix test " + std::to_string(GetCurrentProcessId());
    auto reg = [&](const std::vector<std::string>& args) {
        return runProgram("reg", args, dir.file("out"), dir.file("err"));
    };
    // é is in the code page of Western systems, which the "A" calls use.
    const std::string path = "C:\\Program Files\\caf\xC3\xA9\\msinfo32.exe";
    ASSERT_EQ(reg({"add", "HKCU\\" + key, "/v", "Path", "/t", "REG_SZ", "/d", path, "/f"}), 0);
    ASSERT_EQ(reg({"add", "HKCU\\" + key, "/v", "Number", "/t", "REG_DWORD", "/d", "0x1234AB"}), 0);
    // reg always stores the terminating zero of a text; this one has none.
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, toUtf16(key)->c_str(), L"NoZero", REG_SZ, L"abc", 6),
        ERROR_SUCCESS);

    WindowsRegistry registry;
    constexpr std::uint32_t KeyRead = 0x20019;
    const RegKey user = reinterpret_cast<RegKey>(HKEY_CURRENT_USER);
    RegKey k = 0;
    ASSERT_EQ(registry.openKey(user, key, KeyRead, k), Registry::Success);
    const struct {
        std::string name;
        std::uint32_t room;
        long result;
        std::uint32_t type;
        std::string value; // a text less one terminating zero, in UTF-8; a number's bytes
    } cases[] = {{"Path", 1024, Registry::Success, Registry::RegSz, path},
                 {"NoZero", 1024, Registry::Success, Registry::RegSz, "abc"},
                 {"Number", 1024, Registry::Success, Registry::RegDword, "\xAB\x34\x12\x00"s},
                 {"Missing", 1024, Registry::ErrorFileNotFound, 0, ""},
                 {"Path", 4, Registry::ErrorMoreData, 0, ""}};
    for (const auto& c : cases) {
        std::string data(c.room, '\0');
        std::uint32_t type = 0, size = c.room;
        EXPECT_EQ(registry.queryValue(k, c.name, type, data.data(), size), c.result) << c.name;
        if (c.result == Registry::ErrorMoreData) {
            EXPECT_GT(size, c.room); // what it needs
        }
        if (c.result != Registry::Success)
            continue;
        EXPECT_EQ(type, c.type) << c.name;
        data.resize(size);
        if (type == Registry::RegSz && !data.empty() && data.back() == '\0')
            data.pop_back();
        EXPECT_EQ(type == Registry::RegSz ? registry.textToUtf8(data) : data, c.value) << c.name;
    }
    EXPECT_EQ(registry.closeKey(k), Registry::Success);
    EXPECT_EQ(registry.openKey(user, key + "\\Nowhere", KeyRead, k), Registry::ErrorFileNotFound);
    // The root the About box reads from, as its handle value.
    ASSERT_EQ(registry.openKey(HKeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                               KeyRead, k),
              Registry::Success);
    EXPECT_EQ(registry.closeKey(k), Registry::Success);
    EXPECT_EQ(reg({"delete", "HKCU\\" + key, "/f"}), 0);
}
