#include "project/ProjectFile.h"

#include "TempFolder.h"
#include "project/ProjectCodec.h"

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

namespace {

MenuTable sampleTable() {
    MenuTable t;
    for (int n = 1; n <= 4; ++n)
        t.makeNewRecord(n);
    t.slot(2).DefaultImage = "b.gif";
    t.clearRecord(3);
    return t;
}

} // namespace

TEST(ProjectFile, SaveReplacesTheFileWithExactly9600Bytes) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp");
    writeBytes(path, std::string(12000, '\x7F'));
    const MenuTable t = sampleTable();
    EXPECT_EQ(saveProjectFile(path, t), std::nullopt);
    EXPECT_EQ(readBytes(path), encodeProject(t).bytes);

    const ProjectRead back = readProjectFile(path, WhenMissing::Fail);
    EXPECT_EQ(back.error, std::nullopt);
    EXPECT_EQ(back.table, t);
}

TEST(ProjectFile, RefusedSaveLeavesTheOldFileWhole) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp");
    const std::string old = "an older project";
    writeBytes(path, old);

    MenuTable t = sampleTable();
    t.slot(4).Target = std::string(68, 't');
    EXPECT_EQ(saveProjectFile(path, t),
              "Image4 cannot be saved: its texts take 2 bytes more than the 96 bytes a project "
              "record holds. Shorten Target or another text of this image.");
    EXPECT_EQ(readBytes(path), old);

    t.slot(4).Target = "\xE2\x98\x83"; // snowman
    EXPECT_EQ(saveProjectFile(path, t), "Image4 cannot be saved: its Target holds \"\xE2\x98\x83\" "
                                        "(U+2603), which a project file cannot hold.");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(dir.listing(), "menu.lxp\n");

    t.slot(4).Target = "";
    const std::string lost = dir.file("gone/menu.lxp");
    EXPECT_EQ(saveProjectFile(lost, t),
              "Cannot save the project to \"" + lost + "\": No such file or directory.");
}

TEST(ProjectFile, ReadReportsFileAndFault) {
    TempFolder dir;
    const std::string missing = dir.file("new.lxp");
    ProjectRead r = readProjectFile(missing, WhenMissing::Fail);
    EXPECT_EQ(r.error,
              "Cannot open the project file \"" + missing + "\": No such file or directory.");
    EXPECT_FALSE(std::filesystem::exists(missing));

    // Open's old habit: a name that does not exist becomes an empty file and an empty project.
    r = readProjectFile(missing, WhenMissing::CreateEmpty);
    EXPECT_EQ(r.error, std::nullopt);
    EXPECT_EQ(r.table, MenuTable{});
    ASSERT_TRUE(std::filesystem::exists(missing));
    EXPECT_EQ(std::filesystem::file_size(missing), 0u);
    EXPECT_EQ(readProjectFile(missing, WhenMissing::Fail).table, MenuTable{});

    const std::string nowhere = dir.file("gone/new.lxp");
    EXPECT_EQ(readProjectFile(nowhere, WhenMissing::CreateEmpty).error,
              "Cannot open the project file \"" + nowhere + "\": No such file or directory.");
    EXPECT_EQ(readProjectFile(dir.path().string(), WhenMissing::Fail).error,
              "Cannot open the project file \"" + dir.path().string() + "\": Is a directory.");

    const std::string bad = dir.file("bad.lxp");
    std::string bytes = encodeProject(sampleTable()).bytes;
    bytes[96 * 4 + 2] = '\x09'; // slot 5's DefaultImage tag
    writeBytes(bad, bytes);
    r = readProjectFile(bad, WhenMissing::Fail);
    EXPECT_EQ(r.error, "\"" + bad +
                           "\" is not a valid Lanternix project: slot 5: DefaultImage "
                           "has the type tag 9, not 0 (unset) or 8 (text).");
    EXPECT_EQ(r.table, MenuTable{});
    EXPECT_EQ(readBytes(bad), bytes); // reading never writes
}
