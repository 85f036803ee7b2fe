#include "tools/render/InstallLayout.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A throwaway prefix with a bin/ folder, removed at the end of the test.
class InstallLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "orbitone-layout.XXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        prefix_ = pattern;
        std::filesystem::create_directories(prefix_ + "/bin");
    }
    void TearDown() override { std::filesystem::remove_all(prefix_); }

    void touch(const std::string& relative) {
        std::filesystem::create_directories(std::filesystem::path(prefix_ + "/" + relative).parent_path());
        std::ofstream(prefix_ + "/" + relative) << "x";
    }
    std::string bin() const { return prefix_ + "/bin/"; }

    std::string prefix_;
};

TEST_F(InstallLayout, ModuleBesideTheProgramComesFirst) {
    touch("bin/Orbitone.so");
    touch("lib/vst/Orbitone.so");
    EXPECT_EQ(render::moduleFor(bin()), bin() + "Orbitone.so");
}

TEST_F(InstallLayout, InstalledPrefixFindsTheModuleInLibVstWithoutDotDot) {
    touch("lib/vst/Orbitone.so");
    const std::string found = render::moduleFor(bin());
    EXPECT_EQ(found, std::filesystem::canonical(prefix_ + "/lib/vst/Orbitone.so").string());
    EXPECT_EQ(found.find(".."), std::string::npos);
}

TEST_F(InstallLayout, NoModuleAnywhereNamesThePathBesideTheProgram) {
    // A folder of that name is not a module.
    std::filesystem::create_directories(prefix_ + "/lib/vst/Orbitone.so");
    EXPECT_EQ(render::moduleFor(bin()), bin() + "Orbitone.so");
}

TEST(InstallLayoutOfThisProgram, ProgramFolderHoldsTheRunningProgram) {
    const std::string folder = render::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(render::besideProgram("render_unit_tests")));
}

}  // namespace
