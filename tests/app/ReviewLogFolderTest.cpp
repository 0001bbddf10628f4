#include "app/Environment.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

TEST(ReviewLogFolder, FollowsTheDataFolderOfTheUser) {
    Environment environment;
    EXPECT_TRUE(ReviewLogFolder(environment).empty());
    environment.home = "/home/ann";
    EXPECT_EQ(ReviewLogFolder(environment), "/home/ann/.local/share/Corvane/Lexaro/Reviews");
    environment.xdgDataHome = "relative";
    EXPECT_EQ(ReviewLogFolder(environment), "/home/ann/.local/share/Corvane/Lexaro/Reviews");
    environment.xdgDataHome = "/data";
    EXPECT_EQ(ReviewLogFolder(environment), "/data/Corvane/Lexaro/Reviews");
}

} // namespace
} // namespace lexaro
