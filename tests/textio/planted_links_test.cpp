#include "textio/planted_links.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/temp_directory.h"
#include "textio/report_file.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t other_user = 65534;  // nobody

// A shared directory (sticky, world-writable) holding `victim` and a link
// named vollfarb.txt that another user planted.
class PlantedLinks : public test_support::temp_directory_test {
 protected:
  void SetUp() override {
    temp_directory_test::SetUp();
    ASSERT_EQ(::chmod(dir_.c_str(), 01777), 0);
    victim_ = path("victim.txt");
    std::ofstream(victim_) << "mine";
  }
  // Plants `name` -> `target` owned by another user; false where that cannot
  // be done (not root).
  bool plant(const std::string& name, const std::string& target, uid_t owner = other_user) {
    fs::create_symlink(target, name);
    return ::lchown(name.c_str(), owner, static_cast<gid_t>(-1)) == 0;
  }
  std::string victim_;
};

TEST_F(PlantedLinks, TheReportIsNotWrittenThroughAnotherUsersLink) {
  const std::string report_name = path("vollfarb.txt");
  const std::string dangling_target = path("elsewhere.txt");
  for (const std::string& target : {victim_, dangling_target}) {
    SCOPED_TRACE(target);
    fs::remove(report_name);
    if (!plant(report_name, target)) GTEST_SKIP() << "cannot give a link to another user";
    EXPECT_TRUE(textio::is_planted_link(report_name));
    textio::report_file report(report_name);
    EXPECT_FALSE(report.is_open());
    EXPECT_EQ(report.problem(),
              "could not create " + report_name + ": " + textio::planted_link_reason);
    report.write("overwritten");
    report.close();
    EXPECT_EQ(contents(victim_), "mine");
    EXPECT_FALSE(fs::exists(dangling_target));
  }
}

TEST_F(PlantedLinks, LinksTheKernelRuleTrustsAreFollowed) {
  const std::string own = path("own.txt");
  fs::create_symlink(victim_, own);  // the user's own link
  EXPECT_FALSE(textio::is_planted_link(own));
  textio::report_file report(own);
  EXPECT_TRUE(report.is_open());
  report.write("new");
  report.close();
  EXPECT_EQ(contents(victim_), "new");

  // Another user's link outside a shared directory: that user could have
  // written the file anyway.
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  if (!plant(path("theirs.txt"), victim_)) GTEST_SKIP() << "cannot give a link to another user";
  EXPECT_FALSE(textio::is_planted_link(path("theirs.txt")));
  EXPECT_FALSE(textio::is_planted_link(victim_));
}

}  // namespace
