#include <win32/Win32.h>

#include "ScratchFolder.h"

#include <gtest/gtest.h>

using orbel::test::ScratchFolder;

TEST(Paths, BackslashesBecomeSlashesAndBack)
{
    EXPECT_EQ(orbel::ToNativePath("Temp\\Un7.bin"), "Temp/Un7.bin");
    EXPECT_EQ(orbel::ToProgramPath("/opt/orbel/bin/"), "\\opt\\orbel\\bin\\");
    EXPECT_EQ(orbel::ToNativePath(static_cast<const char*>(nullptr)), "");
}

TEST(Paths, ExistingNamesAreMatchedIgnoringCase)
{
    ScratchFolder folder;
    folder.WriteFile("Temp/Un7.bin", "x");
    folder.WriteFile("Images/Wood.BMP", "y");

    EXPECT_EQ(orbel::ToNativePath(folder.Backslashed("temp\\UN7.BIN")), folder.Native("Temp/Un7.bin"));
    EXPECT_EQ(orbel::ToNativePath(folder.Backslashed("IMAGES\\wood.bmp")), folder.Native("Images/Wood.BMP"));

    // Relative to the current directory as well.
    std::filesystem::current_path(folder.Path());
    EXPECT_EQ(orbel::ToNativePath("TEMP\\un7.bin"), "Temp/Un7.bin");
}

TEST(Paths, MissingNamesKeepTheirSpellingUnderAResolvedFolder)
{
    ScratchFolder folder;
    folder.WriteFile("Temp/keep", "");
    // A file about to be created: the folder is found, the new name stays as written.
    EXPECT_EQ(orbel::ToNativePath(folder.Backslashed("TEMP\\NewFile.bin")), folder.Native("Temp/NewFile.bin"));
    EXPECT_EQ(orbel::ToNativePath(folder.Backslashed("Missing\\Deeper\\x")), folder.Native("Missing/Deeper/x"));
}

TEST(Paths, AnExactSpellingWinsOverOtherCases)
{
    ScratchFolder folder;
    folder.WriteFile("a.txt", "lower");
    folder.WriteFile("A.txt", "upper");
    EXPECT_EQ(orbel::ToNativePath(folder.Native("A.txt")), folder.Native("A.txt"));
    EXPECT_EQ(orbel::ToNativePath(folder.Native("a.txt")), folder.Native("a.txt"));
    // Neither spelling given: the first in byte order.
    EXPECT_EQ(orbel::ToNativePath(folder.Native("a.TXT")), folder.Native("A.txt"));
}
