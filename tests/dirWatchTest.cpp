// The quiet-time rule on a fake clock, and the real inotify on a scratch
// folder: each way an editor saves a file is seen.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/dirWatch.h"

namespace {

struct Step {
    long long atMs;
    unsigned event;     // bits noted at this time, 0 for none
    unsigned expected;  // what takeSettled gives right after
};

struct QuietCase {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const QuietCase& c, std::ostream* out)
{
    *out << c.name;
}

class QuietTimeRule : public testing::TestWithParam<QuietCase> {};

TEST_P(QuietTimeRule, givesEachChangeOnceAfterTheFolderWentQuiet)
{
    QuietTime quiet;
    for (const Step& step : GetParam().steps) {
        noteEvent(quiet, step.event, step.atMs);
        EXPECT_EQ(takeSettled(quiet, step.atMs), step.expected) << "at " << step.atMs << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Unit, QuietTimeRule,
    testing::Values(
        QuietCase{"nothingHappened", {{0, 0, 0}, {500, 0, 0}}},
        QuietCase{"oneEventWaitsItsQuietTime", {{1000, 1, 0}, {1099, 0, 0}, {1100, 0, 1}, {1200, 0, 0}}},
        // A save's events keep pushing the change back; all of them make one.
        QuietCase{"burstMakesOneChange",
                  {{1000, 1, 0}, {1040, 2, 0}, {1090, 1, 0}, {1189, 0, 0}, {1190, 0, 3}, {1400, 0, 0}}},
        QuietCase{"eventAfterSettlingStartsAnew",
                  {{0, 4, 0}, {100, 0, 4}, {150, 4, 0}, {249, 0, 0}, {250, 0, 4}}},
        // Files the program does not read add no bits and must not delay the others.
        QuietCase{"unrelatedEventsDoNotDelay", {{0, 8, 0}, {90, 0, 0}, {100, 0, 8}}}),
    [](const testing::TestParamInfo<QuietCase>& param) { return std::string(param.param.name); });

// Every file name the watch reported, by folder index.
std::vector<std::string> seen;

void collect(int dir, const char* name)
{
    seen.push_back(std::to_string(dir) + ":" + name);
}

class DirWatchOnDisk : public testing::Test {
protected:
    std::string root;
    DirWatch watch;

    void SetUp() override
    {
        char pattern[] = "/tmp/dirWatchTest-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        std::filesystem::create_directory(root + "/a");
        std::filesystem::create_directory(root + "/b");
        std::ofstream(root + "/a/x.frag") << "old";
        ASSERT_TRUE(openDirWatch(watch));
        ASSERT_EQ(watchDir(watch, (root + "/a").c_str()), 0);
        ASSERT_EQ(watchDir(watch, (root + "/b").c_str()), 1);
        seen.clear();
    }
    void TearDown() override
    {
        closeDirWatch(watch);
        std::filesystem::remove_all(root);
    }
    // A few reads, since the kernel may hand the events over in parts.
    std::vector<std::string> readAll()
    {
        for (int i = 0; i < 5; ++i)
            readDirEvents(watch, collect);
        return seen;
    }
};

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& n : names)
        if (n == name)
            return true;
    return false;
}

}  // namespace

TEST_F(DirWatchOnDisk, seesWritesInPlaceRenamesOverAndDeleteThenCreate)
{
    EXPECT_TRUE(readAll().empty()) << "nothing changed yet";

    std::ofstream(root + "/a/x.frag") << "written in place";
    EXPECT_TRUE(contains(readAll(), "0:x.frag"));

    seen.clear();
    std::ofstream(root + "/a/.x.frag.tmp") << "renamed over";
    std::filesystem::rename(root + "/a/.x.frag.tmp", root + "/a/x.frag");
    EXPECT_TRUE(contains(readAll(), "0:x.frag"));

    seen.clear();
    std::filesystem::remove(root + "/a/x.frag");
    EXPECT_TRUE(contains(readAll(), "0:x.frag")) << "the delete";
    seen.clear();
    std::ofstream(root + "/a/x.frag") << "recreated";
    EXPECT_TRUE(contains(readAll(), "0:x.frag")) << "the create";

    seen.clear();
    std::ofstream(root + "/b/y.bmp") << "other folder";
    EXPECT_TRUE(contains(readAll(), "1:y.bmp"));
}

TEST_F(DirWatchOnDisk, readingWithNothingPendingReturnsAtOnce)
{
    const long long start = monotonicMs();
    for (int i = 0; i < 1000; ++i)
        readDirEvents(watch, collect);
    EXPECT_TRUE(seen.empty());
    EXPECT_LT(monotonicMs() - start, 500) << "the read must not block";
}

TEST(DirWatch, missingFolderIsRefusedAndTheOthersStillWatched)
{
    DirWatch watch;
    ASSERT_TRUE(openDirWatch(watch));
    EXPECT_EQ(watchDir(watch, "/nonexistent/shaders"), -1);
    char pattern[] = "/tmp/dirWatchTest-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    EXPECT_EQ(watchDir(watch, pattern), 0);
    closeDirWatch(watch);
    std::filesystem::remove_all(pattern);
}
