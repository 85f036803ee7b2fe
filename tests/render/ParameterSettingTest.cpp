// The tools' one rule for what a parameter text means: names before "name#k" before indices.
#include "tools/settings/ParameterSetting.h"

#include <gtest/gtest.h>

namespace {

using settings::findParameter;
using settings::ParameterSetting;

const std::vector<std::string> kNames = {"Speed", "speed", "Animation", "Animation", "7", "Gain=Trim"};

int find(const std::string& parameter, std::string* message = nullptr) {
    std::string error;
    const int index = findParameter(kNames, parameter, error);
    if (message != nullptr) *message = error;
    return index;
}

TEST(ParameterSetting, NamesMatchExactlyBeforeAnyCaseAndRepeatedNamesCountFromOne) {
    EXPECT_EQ(find("speed"), 1);  // the exact match wins over the earlier any-case one
    EXPECT_EQ(find("SPEED"), 0);
    EXPECT_EQ(find("Animation"), 2);
    EXPECT_EQ(find("animation#2"), 3);
    EXPECT_EQ(find("Animation #1"), 2);
    std::string message;
    EXPECT_EQ(find("Animation#3", &message), -1);
    EXPECT_EQ(message, "'Animation#3': there are 2 parameters of that name");
}

TEST(ParameterSetting, AnIndexCountsOnlyWhenNoNameMatches) {
    EXPECT_EQ(find("7"), 4);  // a parameter named "7" shadows index 7
    EXPECT_EQ(find("5"), 5);
    std::string message;
    EXPECT_EQ(find("6", &message), -1);
    EXPECT_EQ(message, "unknown parameter '6'");
    EXPECT_EQ(find("-1"), -1);
    EXPECT_EQ(find("Speed#x"), -1);
}

TEST(ParameterSetting, TheLastEqualsSignSeparatesAndNormPrefixesAreChecked) {
    ParameterSetting setting;
    std::string error;
    ASSERT_TRUE(ParameterSetting::parse(" Gain=Trim = norm:0.5 ", setting, error));
    EXPECT_EQ(setting.parameter, "Gain=Trim");
    EXPECT_EQ(setting.value, "0.5");
    EXPECT_TRUE(setting.normalised);
    EXPECT_EQ(findParameter(kNames, setting.parameter, error), 5);
    EXPECT_FALSE(ParameterSetting::parse("Gain=norm:1.5", setting, error));
    EXPECT_EQ(error, "normalised value must be a number from 0 to 1 in 'Gain=norm:1.5'");
    EXPECT_FALSE(ParameterSetting::parse("Gain", setting, error));
    EXPECT_FALSE(ParameterSetting::parse("=1", setting, error));
    EXPECT_FALSE(ParameterSetting::parse("Gain= ", setting, error));
}

}  // namespace
