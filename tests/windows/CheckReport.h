// Minimal check reporting for the Windows test programs: one line per check, then a summary line
// "<program>: N passed, N failed". The exit code is 1 when any check failed.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

class CheckReport {
  public:
    explicit CheckReport(const char* program) : program_(program) {}

    bool check(bool ok, const std::string& what, const std::string& detail = {}) {
        if (ok) {
            ++passed_;
            std::printf("ok - %s\n", what.c_str());
        } else {
            ++failed_;
            std::printf("FAIL - %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
        }
        std::fflush(stdout);
        return ok;
    }

    bool approx(double actual, double expected, double tolerance, const std::string& what) {
        return check(std::fabs(actual - expected) <= tolerance, what,
                     "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
    }

    template <typename T>
    bool equal(const T& actual, const T& expected, const std::string& what) {
        return check(actual == expected, what, "got " + show(actual) + ", expected " + show(expected));
    }

    int finish() {
        std::printf("%s: %d passed, %d failed\n", program_, passed_, failed_);
        std::fflush(stdout);
        return failed_ == 0 && passed_ > 0 ? 0 : 1;
    }

  private:
    static std::string show(const std::string& v) { return "\"" + v + "\""; }
    static std::string show(const char* v) { return v ? show(std::string(v)) : "null"; }
    template <typename T>
    static std::string show(const T& v) {
        return std::to_string(v);
    }

    const char* program_;
    int passed_ = 0;
    int failed_ = 0;
};
