#include "plot/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/temp_directory.h"
#include "textio/planted_links.h"

namespace {

namespace fs = std::filesystem;

// In a shared directory (sticky, world-writable, like /tmp) a link to the
// user's file: whoever made it, writing the figure never changes that file.
class OutputFileLinks : public test_support::temp_directory_test {
 protected:
  void SetUp() override {
    temp_directory_test::SetUp();
    ASSERT_EQ(::chmod(dir_.c_str(), 01777), 0);
    std::ofstream(path("victim.txt")) << "mine";
    fs::create_symlink(path("victim.txt"), path("x.svg"));
  }
};

TEST_F(OutputFileLinks, TheUsersOwnLinkIsReplacedNotItsTarget) {
  EXPECT_EQ(plot::write_file_whole(path("x.svg"), "<svg/>"), std::nullopt);
  EXPECT_EQ(contents(path("victim.txt")), "mine");
  EXPECT_FALSE(fs::is_symlink(path("x.svg")));
  EXPECT_EQ(contents(path("x.svg")), "<svg/>");
}

TEST_F(OutputFileLinks, AnotherUsersLinkIsRefused) {
  if (::lchown(path("x.svg").c_str(), 65534, static_cast<gid_t>(-1)) != 0) {
    GTEST_SKIP() << "cannot give a link to another user";
  }
  EXPECT_EQ(plot::write_file_whole(path("x.svg"), "<svg/>"),
            std::string(textio::planted_link_reason));
  EXPECT_EQ(contents(path("victim.txt")), "mine");
  EXPECT_TRUE(fs::is_symlink(path("x.svg")));
}

}  // namespace
