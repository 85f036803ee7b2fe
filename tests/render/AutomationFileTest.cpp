#include "tools/render/AutomationFile.h"

#include <gtest/gtest.h>

#include "tools/render/RenderError.h"

using render::AutomationFile;
using render::RenderError;

namespace {

// The message of the error a text raises, or "" when it parses.
std::string errorFor(const std::string& text) {
    try {
        AutomationFile::parse(text, "moves.txt");
    } catch (const RenderError& error) {
        EXPECT_EQ(error.code(), render::ExitCode::automation);
        return error.what();
    }
    return "";
}

}  // namespace

TEST(AutomationFile, ParsesNamesWithSpacesCommentsAndSortsByTime) {
    const auto events = AutomationFile::parse(
        "# a comment\n"
        "\n"
        "  2.5\tSmoothing Time [ms] = 250\r\n"
        "0 Animation#2=Rotate\n"
        "2.5 7=norm:0.125\n"
        "1e-1 Speed=-15\n",
        "moves.txt");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].assignment.parameter, "Animation#2");
    EXPECT_DOUBLE_EQ(events[1].seconds, 0.1);
    EXPECT_EQ(events[1].assignment.value, "-15");
    EXPECT_EQ(events[2].assignment.parameter, "Smoothing Time [ms]");
    EXPECT_EQ(events[2].assignment.value, "250");
    EXPECT_EQ(events[2].line, 3);
    // Equal times keep the order of the file.
    EXPECT_EQ(events[3].assignment.parameter, "7");
    EXPECT_TRUE(events[3].assignment.normalised);
    EXPECT_EQ(events[3].assignment.value, "0.125");
}

TEST(AutomationFile, ErrorsNameFileLineAndReason) {
    EXPECT_EQ(errorFor("0 Gain=1\nabc Gain=1\n"), "moves.txt:2: time 'abc' is not a number of seconds");
    EXPECT_EQ(errorFor("\n\n-1 Gain=1\n"), "moves.txt:3: time -1 is before the start");
    EXPECT_EQ(errorFor("1.5\n"), "moves.txt:1: expected 'SECONDS NAME=VALUE', got '1.5'");
    EXPECT_EQ(errorFor("1 Gain 3\n"), "moves.txt:1: expected NAME=VALUE, got 'Gain 3'");
    EXPECT_EQ(errorFor("1 =3\n"), "moves.txt:1: missing parameter name in '=3'");
    EXPECT_EQ(errorFor("1 Gain=\n"), "moves.txt:1: missing value in 'Gain='");
    EXPECT_EQ(errorFor("1 Gain=norm:2\n"),
              "moves.txt:1: normalised value must be a number from 0 to 1 in 'Gain=norm:2'");
    EXPECT_EQ(errorFor("1 Gain=norm:x\n"),
              "moves.txt:1: normalised value must be a number from 0 to 1 in 'Gain=norm:x'");
    EXPECT_EQ(errorFor("inf Gain=1\n"), "moves.txt:1: time 'inf' is not a number of seconds");
}
