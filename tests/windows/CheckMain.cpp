// The main of the Windows test programs: GoogleTest's, with one line per test and the summary line
// "<program>: N passed, N failed" that tools/test-windows.sh reads. Exits 1 when a test failed or
// none ran.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/windows/CheckMain.h"

namespace {

std::vector<std::string> arguments;

class SummaryPrinter : public testing::EmptyTestEventListener {
  public:
    explicit SummaryPrinter(std::string program) : program_(std::move(program)) {}

    void OnTestEnd(const testing::TestInfo& test) override {
        const bool ok = test.result()->Passed();
        ++(ok ? passed_ : failed_);
        std::printf("%s - %s.%s\n", ok ? "ok" : "FAIL", test.test_suite_name(), test.name());
        std::fflush(stdout);
    }
    void OnTestProgramEnd(const testing::UnitTest&) override {
        std::printf("%s: %d passed, %d failed\n", program_.c_str(), passed_, failed_);
        std::fflush(stdout);
    }
    bool succeeded() const { return failed_ == 0 && passed_ > 0; }

  private:
    std::string program_;
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace

std::string checkArgument(size_t index, const char* fallback) {
    return index < arguments.size() ? arguments[index] : fallback;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    arguments.assign(argv + 1, argv + argc);
    std::string program = argc > 0 ? argv[0] : "check";
    program = program.substr(program.find_last_of("/\\") + 1);
    program = program.substr(0, program.rfind(".exe"));
    auto* printer = new SummaryPrinter(program);
    testing::UnitTest::GetInstance()->listeners().Append(printer);
    const int status = RUN_ALL_TESTS();
    return status == 0 && printer->succeeded() ? 0 : 1;
}
