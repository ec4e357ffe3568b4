#include "textio/report_file.h"

#include <gtest/gtest.h>

#include "../support/temp_directory.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using textio::report_file;

using ReportFile = test_support::temp_directory_test;

TEST_F(ReportFile, CreatedEmptyEvenWhenItExisted) {
  const std::string file = path("vollfarb.txt");
  { std::ofstream(file) << "old contents"; }
  report_file report(file);
  ASSERT_TRUE(report.is_open());
  EXPECT_EQ(fs::file_size(file), 0u);
  report.close();
  EXPECT_EQ(contents(file), "");
  EXPECT_FALSE(report.problem());
}

TEST_F(ReportFile, WrittenInBlocksOf8192AndCompletelyAtClose) {
  const std::string file = path("vollfarb.txt");
  report_file report(file);
  report.write(std::string(8191, 'a'));
  EXPECT_EQ(fs::file_size(file), 0u);
  report.write("bc");
  EXPECT_EQ(fs::file_size(file), 8192u);
  report.write(std::string(20000, '\r'));
  EXPECT_EQ(fs::file_size(file), 3 * 8192u);
  report.close();
  const std::string bytes = contents(file);
  EXPECT_EQ(bytes.size(), 8191u + 2 + 20000);
  EXPECT_EQ(bytes.substr(8190, 3), "abc");
  EXPECT_EQ(bytes.back(), '\r');  // nothing added at the end
  report.write("late");           // after close: nothing
  EXPECT_EQ(fs::file_size(file), bytes.size());
}

TEST_F(ReportFile, ProblemsAreReportedNotThrown) {
  report_file missing(path("no/such/dir/vollfarb.txt"));
  EXPECT_FALSE(missing.is_open());
  EXPECT_EQ(missing.problem(),
            "could not create " + path("no/such/dir/vollfarb.txt") + ": No such file or directory");
  missing.write("ignored");
  missing.close();

  if (fs::exists("/dev/full")) {
    report_file full("/dev/full");
    ASSERT_TRUE(full.is_open());
    full.write(std::string(9000, 'x'));
    EXPECT_EQ(full.problem(), "could not write /dev/full: No space left on device");
    full.write("more");
    full.close();
    EXPECT_EQ(full.problem(), "could not write /dev/full: No space left on device");
  }
}

TEST_F(ReportFile, AReportInUseIsLeftToItsOwner) {
  const std::string file = path("vollfarb.txt");
  report_file first(file);
  first.write(std::string(9000, 'a'));  // one block already on disk
  report_file second(file);
  EXPECT_FALSE(second.is_open());
  EXPECT_EQ(second.problem(), file + " was in use by another running vollfarbe: this run's "
                                     "results were not written");
  second.write("b");
  second.close();
  first.write("c");
  first.close();
  EXPECT_EQ(contents(file), std::string(9000, 'a') + "c");
  EXPECT_FALSE(first.problem());

  report_file third(file);  // free again once the first has closed it
  EXPECT_TRUE(third.is_open());
}

TEST_F(ReportFile, OnlyRegularFilesAndCharacterDevicesHoldAReport) {
  const std::string fifo = path("vollfarb.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  report_file without_reader(fifo);  // would wait for a reader for good
  EXPECT_FALSE(without_reader.is_open());
  EXPECT_EQ(without_reader.problem(), "could not create " + fifo + ": not a regular file");

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  report_file with_reader(fifo);
  EXPECT_FALSE(with_reader.is_open());
  EXPECT_EQ(with_reader.problem(), "could not create " + fifo + ": not a regular file");
  ::close(reader);

  report_file null_device("/dev/null");
  EXPECT_TRUE(null_device.is_open());
  null_device.write("x");
  null_device.close();
  EXPECT_FALSE(null_device.problem());
}

TEST_F(ReportFile, ADeletedReportIsReportedLost) {
  const std::string file = path("vollfarb.txt");
  report_file report(file);
  report.write("pass");
  fs::remove_all(dir_);
  report.close();
  EXPECT_EQ(report.problem(),
            "could not write " + file + ": the file or its directory was deleted during the run");
}

}  // namespace
