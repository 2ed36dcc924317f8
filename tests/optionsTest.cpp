#include "app/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    CommandLine line;
    std::vector<std::string> left;  // what the toolkit is handed
};

Parsed parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "shaders");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(args.size());
    Parsed parsed;
    parsed.line = parseCommandLine(&argc, argv.data());
    for (int i = 0; i < argc; ++i)
        parsed.left.emplace_back(argv[static_cast<size_t>(i)]);
    EXPECT_EQ(argv[static_cast<size_t>(argc)], nullptr);
    return parsed;
}

std::string describe(const Options& o)
{
    return "mode " + std::to_string(o.mode) + (o.wireframe ? " wireframe" : "") + " size " +
           std::to_string(o.width) + "x" + std::to_string(o.height) + " frames " +
           std::to_string(o.frames) + (o.screenshot.empty() ? "" : " shot " + o.screenshot) +
           (o.watch ? " watch" : "");
}

}  // namespace

TEST(CommandLine, noOptionsIsThePlainStartAndLeavesArgvAlone)
{
    const Parsed p = parse({});
    EXPECT_EQ(p.line.outcome, CommandLineOutcome::run);
    EXPECT_EQ(describe(p.line.options), "mode 0 size 800x600 frames 0");
    EXPECT_EQ(p.left, std::vector<std::string>{"shaders"});
}

TEST(CommandLine, goodFormsInBothSpellings)
{
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"--mode", "5"}, "mode 5 size 800x600 frames 0"},
        {{"--mode=0"}, "mode 0 size 800x600 frames 0"},
        {{"--mode", "3", "--mode=4"}, "mode 4 size 800x600 frames 0"},
        {{"--wireframe"}, "mode 0 wireframe size 800x600 frames 0"},
        {{"--size", "1280x720"}, "mode 0 size 1280x720 frames 0"},
        {{"--size=1x8192"}, "mode 0 size 1x8192 frames 0"},
        {{"--size", "8192X1"}, "mode 0 size 8192x1 frames 0"},
        {{"--frames", "1"}, "mode 0 size 800x600 frames 1"},
        {{"--frames=2147483647"}, "mode 0 size 800x600 frames 2147483647"},
        {{"--screenshot", "a.png"}, "mode 0 size 800x600 frames 1 shot a.png"},
        {{"--screenshot=dir/b c.png", "--frames", "7"}, "mode 0 size 800x600 frames 7 shot dir/b c.png"},
        {{"--frames", "7", "--screenshot", "x.png"}, "mode 0 size 800x600 frames 7 shot x.png"},
        {{"--watch"}, "mode 0 size 800x600 frames 0 watch"},
        {{"--mode", "5", "--wireframe", "--size", "320x240", "--frames", "3", "--screenshot",
          "m.png", "--watch"},
         "mode 5 wireframe size 320x240 frames 3 shot m.png watch"},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.args);
        EXPECT_EQ(p.line.outcome, CommandLineOutcome::run) << c.expected << ": " << p.line.error;
        EXPECT_EQ(describe(p.line.options), c.expected);
        EXPECT_EQ(p.left, std::vector<std::string>{"shaders"}) << c.expected;
    }
}

TEST(CommandLine, theToolkitKeepsItsOwnOptionsInOrder)
{
    const Parsed p = parse({"-display", ":3", "--mode", "2", "-geometry", "10x10+0+0", "-sync",
                            "--wireframe", "plain"});
    EXPECT_EQ(p.line.outcome, CommandLineOutcome::run) << p.line.error;
    EXPECT_EQ(p.line.options.mode, 2);
    EXPECT_TRUE(p.line.options.wireframe);
    const std::vector<std::string> expected = {"shaders", "-display", ":3", "-geometry",
                                               "10x10+0+0", "-sync", "plain"};
    EXPECT_EQ(p.left, expected);
}

TEST(CommandLine, helpStopsParsingAndPrintsTheUsageOnStdout)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"--mode", "1", "--help", "--bogus"}}) {
        const Parsed p = parse(args);
        EXPECT_EQ(p.line.outcome, CommandLineOutcome::help);
    }
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(reportCommandLine(parse({"--help"}).line), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(out, usageText);
    for (const char* option : {"--mode N", "--wireframe", "--size WxH", "--frames N",
                               "--screenshot FILE", "--watch", "--help"})
        EXPECT_NE(out.find(std::string("\n  ") + option + " "), std::string::npos) << option;
}

TEST(CommandLine, badInputNamesTheOptionThenTheUsageWithStatus2)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--mode"}, "--mode needs a value"},
        {{"--mode", "--wireframe"}, "--mode needs a value"},
        {{"--mode", "6"}, "--mode takes a shading mode from 0 to 5, not '6'"},
        {{"--mode=-1"}, "--mode takes a shading mode from 0 to 5, not '-1'"},
        {{"--mode", "+2"}, "--mode takes a shading mode from 0 to 5, not '+2'"},
        {{"--mode", " 2"}, "--mode takes a shading mode from 0 to 5, not ' 2'"},
        {{"--mode", "2x"}, "--mode takes a shading mode from 0 to 5, not '2x'"},
        {{"--mode="}, "--mode takes a shading mode from 0 to 5, not ''"},
        {{"--wireframe=yes"}, "--wireframe takes no value"},
        {{"--watch=1"}, "--watch takes no value"},
        {{"--help=me"}, "--help takes no value"},
        {{"--size", "800"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '800'"},
        {{"--size", "0x600"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '0x600'"},
        {{"--size", "800x8193"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '800x8193'"},
        {{"--size", "800x"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '800x'"},
        {{"--size", "x600"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not 'x600'"},
        {{"--size", "8x6x4"}, "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '8x6x4'"},
        {{"--size=99999999999999999999x1"},
         "--size takes WIDTHxHEIGHT, each from 1 to 8192, not '99999999999999999999x1'"},
        {{"--frames", "0"}, "--frames takes a whole number from 1 up, not '0'"},
        {{"--frames", "2147483648"}, "--frames takes a whole number from 1 up, not '2147483648'"},
        {{"--frames", "1.5"}, "--frames takes a whole number from 1 up, not '1.5'"},
        {{"--screenshot"}, "--screenshot needs a value"},
        {{"--screenshot="}, "--screenshot takes a file name, not an empty one"},
        {{"--mode", "1", "--size", "big", "--frames", "0"},
         "--size takes WIDTHxHEIGHT, each from 1 to 8192, not 'big'"},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.args);
        EXPECT_EQ(p.line.outcome, CommandLineOutcome::error) << c.message;
        EXPECT_EQ(p.line.error, c.message);
    }
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(reportCommandLine(parse({"--mode", "9"}).line), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("shaders: --mode takes a shading mode from 0 to 5, not '9'\n") + usageText);
}
