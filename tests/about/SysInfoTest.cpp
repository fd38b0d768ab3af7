#include "about/frmAbout.h"

#include "tests/support/FakePlatform.h"

#include <QIcon>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lanternix {
namespace {

const std::string Key = "SOFTWARE\\Lanternix\\Test";
const std::string MsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

struct SysInfoFixture : ::testing::Test {
    test::FakePlatform platform;
    frmAbout box{QIcon(), platform};
    MemoryRegistry& reg = platform.memoryRegistry;

    void set(const std::string& name, std::uint32_t type, std::string bytes) {
        reg.setValue(HKeyLocalMachine, Key, name, {type, std::move(bytes)});
    }
    bool get(const std::string& name, QString& val) {
        return box.GetKeyValue(HKeyLocalMachine, QString::fromStdString(Key),
                               QString::fromStdString(name), val);
    }
};

TEST_F(SysInfoFixture, GetKeyValueReadsTextsCuttingOneTerminatingZero) {
    set("Zero", Registry::RegSz, std::string("C:\\Tools\\x.exe\0", 15));
    set("NoZero", Registry::RegSz, "abc");
    set("TwoZeros", Registry::RegSz, std::string("ab\0\0", 4));
    set("Empty", Registry::RegSz, "");
    set("Accents", Registry::RegSz, std::string("caf\xc3\xa9\0", 6));

    QString v = QStringLiteral("old");
    EXPECT_TRUE(get("Zero", v));
    EXPECT_EQ(v, QStringLiteral("C:\\Tools\\x.exe"));
    EXPECT_TRUE(get("nozero", v)); // names compare without case, as the system's do
    EXPECT_EQ(v, QStringLiteral("abc"));
    EXPECT_TRUE(get("TwoZeros", v));
    EXPECT_EQ(v, QString::fromLatin1("ab\0", 3));
    EXPECT_TRUE(get("Empty", v));
    EXPECT_EQ(v, QString());
    EXPECT_TRUE(get("Accents", v));
    EXPECT_EQ(v, QStringLiteral("caf\u00e9"));

    // The key is opened with the program's access mask, and every key is closed again.
    EXPECT_EQ(reg.lastAccess(), 0x2003Fu);
    EXPECT_EQ(reg.openCount(), 0u);
}

TEST_F(SysInfoFixture, GetKeyValueNumbersOtherTypesAndFailures) {
    set("Number", Registry::RegDword, std::string("\x05\x00\x01\x00", 4));
    set("Big", Registry::RegDword, std::string("\xAB\xCD\xEF\xFE", 4));
    set("Binary", 3, "\x01\x02");
    set("Huge", Registry::RegSz, std::string(1025, 'x'));
    set("Full", Registry::RegSz, std::string(1024, 'y'));

    // A number comes back in decimal, whatever KeyVal held before.
    QString v = QStringLiteral("12");
    EXPECT_TRUE(get("Number", v));
    EXPECT_EQ(v, QStringLiteral("65541"));
    EXPECT_TRUE(get("Big", v));
    EXPECT_EQ(v, QStringLiteral("4277128619"));

    // Another type is read but leaves KeyVal as it came.
    v = QStringLiteral("keep");
    EXPECT_TRUE(get("Binary", v));
    EXPECT_EQ(v, QStringLiteral("keep"));

    // Missing value, missing key, a value too large for the buffer: false and empty.
    v = QStringLiteral("x");
    EXPECT_FALSE(get("Missing", v));
    EXPECT_EQ(v, QString());
    v = QStringLiteral("x");
    EXPECT_FALSE(box.GetKeyValue(HKeyLocalMachine, QStringLiteral("SOFTWARE\\Nowhere"),
                                 QStringLiteral("PATH"), v));
    EXPECT_EQ(v, QString());
    v = QStringLiteral("x");
    EXPECT_FALSE(get("Huge", v));
    EXPECT_EQ(v, QString());
    EXPECT_TRUE(get("Full", v));
    EXPECT_EQ(v.size(), 1024);
    EXPECT_EQ(reg.openCount(), 0u);
}

TEST_F(SysInfoFixture, StartSysInfoStartsTheRegisteredProgramUnchecked) {
    reg.setText(HKeyLocalMachine, MsInfoKey, "PATH", "C:\\Gone\\msinfo32.exe");
    reg.setText(HKeyLocalMachine, FolderKey, "MSINFO", "C:\\Other");
    platform.existingFiles.insert(QStringLiteral("C:\\Other\\MSINFO32.EXE"));
    box.StartSysInfo();
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0], QStringLiteral("C:\\Gone\\msinfo32.exe"));
    EXPECT_TRUE(platform.messages.empty());

    // The same start failing: the message, OK only, no icon.
    platform.refuseStarts = true;
    box.cmdSysInfo->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], std::make_pair(Unavailable, 0));
    EXPECT_EQ(platform.startedPrograms.size(), 2u);
    EXPECT_EQ(reg.openCount(), 0u);
}

TEST_F(SysInfoFixture, StartSysInfoFallsBackToTheFolderOnlyWhenTheProgramIsThere) {
    reg.setText(HKeyLocalMachine, FolderKey, "MSINFO", "C:\\Shared\\MSInfo");
    reg.addKey(HKeyLocalMachine, MsInfoKey); // the key without its value

    box.StartSysInfo();
    EXPECT_TRUE(platform.startedPrograms.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].first, Unavailable);

    platform.existingFiles.insert(QStringLiteral("C:\\Shared\\MSInfo\\MSINFO32.EXE"));
    box.StartSysInfo();
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0], QStringLiteral("C:\\Shared\\MSInfo\\MSINFO32.EXE"));
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(SysInfoFixture, StartSysInfoWithNothingUsableSaysItIsUnavailable) {
    // Nothing registered: nothing started.
    box.StartSysInfo();
    EXPECT_TRUE(platform.startedPrograms.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], std::make_pair(Unavailable, 0));

    // A path of an unknown type reads as empty text, which cannot be started.
    reg.setValue(HKeyLocalMachine, MsInfoKey, "PATH", {7, "C:\\x\0\0"});
    box.StartSysInfo();
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0], QString());
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].first, Unavailable);
}

} // namespace
} // namespace lanternix
