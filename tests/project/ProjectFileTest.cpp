#include "project/ProjectFile.h"

#include "TempFolder.h"
#include "project/ProjectCodec.h"

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

TEST(ProjectFile, SaveReplacesWhole9600BytesOrNothing) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp");
    writeBytes(path, std::string(12000, '\x7F')); // longer than any project
    MenuTable t;
    t.makeNewRecord(1);
    EXPECT_EQ(saveProjectFile(path, t), std::nullopt);
    EXPECT_EQ(readBytes(path), encodeProject(t).bytes);

    const std::string old = readBytes(path);
    t.slot(1).Target = std::string(80, 't'); // refused before the file is touched
    EXPECT_NE(saveProjectFile(path, t), std::nullopt);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(dir.listing(), "menu.lxp\n");

    t.slot(1).Target = "";
    const std::string lost = dir.file("gone/menu.lxp");
    EXPECT_EQ(saveProjectFile(lost, t),
              "Cannot save the project to \"" + lost + "\": No such file or directory.");
}

TEST(ProjectFile, ReadReportsFileAndFault) {
    TempFolder dir;
    const std::string missing = dir.file("new.lxp");
    EXPECT_EQ(readProjectFile(missing, WhenMissing::Fail).error,
              "Cannot open the project file \"" + missing + "\": No such file or directory.");
    EXPECT_FALSE(std::filesystem::exists(missing));

    // Open's old habit: a name that does not exist becomes an empty file and an empty project.
    ProjectRead r = readProjectFile(missing, WhenMissing::CreateEmpty);
    EXPECT_EQ(r.error, std::nullopt);
    EXPECT_EQ(r.table, MenuTable{});
    EXPECT_EQ(readBytes(missing), "");
    ASSERT_TRUE(std::filesystem::exists(missing));

    const std::string nowhere = dir.file("gone/new.lxp");
    EXPECT_EQ(readProjectFile(nowhere, WhenMissing::CreateEmpty).error,
              "Cannot open the project file \"" + nowhere + "\": No such file or directory.");
    EXPECT_EQ(readProjectFile(dir.path().string(), WhenMissing::Fail).error,
              "Cannot open the project file \"" + dir.path().string() + "\": Is a directory.");

    const std::string bad = dir.file("bad.lxp");
    std::string bytes(9600, '\0');
    bytes[96 * 4 + 2] = '\x09'; // slot 5's DefaultImage tag
    writeBytes(bad, bytes);
    r = readProjectFile(bad, WhenMissing::Fail);
    EXPECT_EQ(r.error, "\"" + bad +
                           "\" is not a valid Lanternix project: slot 5: DefaultImage "
                           "has the type tag 9, not 0 (unset) or 8 (text).");
    EXPECT_EQ(readBytes(bad), bytes); // reading never writes
}
