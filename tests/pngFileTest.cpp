#include "gfx/pngFile.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/pngRead.h"

namespace {

// A fresh folder under /tmp, removed with its files at the end.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        char name[] = "/tmp/pngTestXXXXXX";
        path = mkdtemp(name);
    }
    ~TempFolder()
    {
        for (const std::string& f : files())
            std::remove((path + "/" + f).c_str());
        rmdir(path.c_str());
    }
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        if (DIR* dir = opendir(path.c_str())) {
            while (dirent* e = readdir(dir))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.emplace_back(e->d_name);
            closedir(dir);
        }
        return names;
    }
};

// Every pixel different, so a swapped row or channel shows.
std::vector<unsigned char> pattern(int width, int height)
{
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                rgb.push_back(static_cast<unsigned char>(y * 61 + x * 7 + c * 90));
    return rgb;
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(PngFile, writesRgbRowsTopFirstThatReadBackExactly)
{
    TempFolder folder;
    for (const auto& size : {std::pair<int, int>{1, 1}, {3, 2}, {5, 7}, {320, 240}}) {
        const std::string path = folder.path + "/out.png";
        const std::vector<unsigned char> rgb = pattern(size.first, size.second);
        ASSERT_EQ(writePng(path, size.first, size.second, rgb.data()), "");
        RgbImage image;
        ASSERT_TRUE(readPng(path, image));
        EXPECT_EQ(image.width, size.first);
        EXPECT_EQ(image.height, size.second);
        EXPECT_EQ(image.rgb, rgb) << size.first << "x" << size.second;
        // Written over the old one; no temporary left beside it.
        EXPECT_EQ(folder.files(), std::vector<std::string>{"out.png"});
    }
    struct stat status {};
    ASSERT_EQ(stat((folder.path + "/out.png").c_str(), &status), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << "a screenshot is an ordinary file";
}

TEST(PngFile, aFailedWriteSaysWhyAndLeavesNothingUnderTheName)
{
    TempFolder folder;
    const std::vector<unsigned char> rgb = pattern(64, 64);
    EXPECT_EQ(writePng(folder.path + "/missing/out.png", 64, 64, rgb.data()),
              "No such file or directory");
    // A folder in the way: the rename is refused and the folder stays.
    ASSERT_EQ(mkdir((folder.path + "/taken").c_str(), 0755), 0);
    EXPECT_EQ(writePng(folder.path + "/taken", 64, 64, rgb.data()), "Is a directory");
    EXPECT_EQ(folder.files(), std::vector<std::string>{"taken"});
    rmdir((folder.path + "/taken").c_str());
}

TEST(PngFile, aWriteCutShortKeepsThePreviousFileWhole)
{
    // A file-size limit fails the write partway, as a full disk does.
    TempFolder folder;
    const std::string path = folder.path + "/shot.png";
    {
        std::ofstream(path) << "the previous picture";
    }
    const std::vector<unsigned char> rgb = pattern(512, 512);
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = writePng(path, 512, 512, rgb.data());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(contents(path), "the previous picture");
    EXPECT_EQ(folder.files(), std::vector<std::string>{"shot.png"});
}
