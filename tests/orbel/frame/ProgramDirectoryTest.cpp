// The program folder is the module name up to and including its last '\'.
#include "orbel/frame/MyOrbelApp.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramDirectory, KeepsTheTrailingBackslashAndNothingAfterIt)
{
    EXPECT_STREQ(ProgramDirectoryOf("\\home\\user\\orbel\\bin\\Orbel"), "\\home\\user\\orbel\\bin\\");
    EXPECT_STREQ(ProgramDirectoryOf("\\Orbel"), "\\");
    EXPECT_STREQ(ProgramDirectoryOf("Orbel"), "");
    EXPECT_STREQ(ProgramDirectoryOf(""), "");
    EXPECT_STREQ(ProgramDirectoryOf(nullptr), "");
}

}  // namespace
