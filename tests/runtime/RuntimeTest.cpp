// The script runtime on its own: strings, file records, sliders, state framing and the timed refresh.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "runtime/FileRecord.h"
#include "runtime/FolderListing.h"
#include "runtime/PluginPaths.h"
#include "runtime/Quill.h"
#include "runtime/RandomSource.h"
#include "runtime/ScriptNumbers.h"
#include "tests/support/ManualClock.h"

namespace {

// Counts the sections the runtime runs and saves three sliders.
class CountingEffect : public TQuill {
  public:
    void DoInit() override { ++inits; }
    void DoSlider() override { ++sliderRuns; }
    void DoSerialize() override {
        for (int k = 1; k <= saved; ++k) FileValue(files[0], sliders[k]);
    }
    int inits = 0;
    int sliderRuns = 0;
    int saved = 3;

    // The timed refresh against a clock and repaint hook the test controls.
    int repaints = 0;
    int32_t clockMs = 0;

  protected:
    void RequestRepaint() override { ++repaints; }
    int32_t RefreshClock() const override { return clockMs; }
};

std::vector<float> stateWith(std::initializer_list<float> values) {
    return std::vector<float>(values);
}

}  // namespace

TEST(ScriptNumbers, IndexConversionForgivesRoundingBelowAnInteger) {
    EXPECT_EQ(quill::toIndex(5.99995), 6);
    EXPECT_EQ(quill::toIndex(6.0), 6);
    EXPECT_EQ(quill::toIndex(5.9998), 5);
    EXPECT_EQ(quill::toIndex(-2.99995), -3);
    EXPECT_EQ(quill::toIndex(1e300), INT32_MAX);
    EXPECT_EQ(quill::toIndex(std::nan("")), INT32_MIN);
}

TEST(Strings, LookupCreatesAndCounts) {
    CountingEffect effect;
    EXPECT_EQ(effect.StringGet(5.99995), "");
    EXPECT_EQ(effect.stringCount, 1);
    effect.StringSet(6, "six");
    EXPECT_EQ(effect.StringGet(6.0), "six");
    EXPECT_EQ(effect.StringGet(5.9998), "");
    EXPECT_EQ(effect.stringCount, 2);
    effect.DoOpen();
    EXPECT_TRUE(effect.strings.empty());
    EXPECT_EQ(effect.stringCount, 0);
}

TEST(FileRecords, WritingAppendsAndReadingStopsAtTheEnd) {
    FileRecord record;
    ResetFileRecord(record, FileRecord::kWriting);
    record.data.push_back(-1000.0f);
    record.position = 1;
    double a = 1.5, b = -2.0;
    FileValue(record, a);
    FileValue(record, b);
    EXPECT_EQ(record.data, (std::vector<float>{-1000.0f, 1.5f, -2.0f}));

    ResetFileRecord(record, FileRecord::kReading);
    record.data = {-1000.0f, 7.0f, 8.0f};
    record.position = 1;
    double values[4] = {0, 0, 0, 42};
    for (double& v : values) FileValue(record, v);
    EXPECT_EQ(values[0], 7.0);
    EXPECT_EQ(values[1], 8.0);
    EXPECT_EQ(values[2], 0.0);
    EXPECT_EQ(values[3], 42.0);

    ResetFileRecord(record, FileRecord::kClosed);
    FileValue(record, a);
    EXPECT_TRUE(record.data.empty());
}

TEST(State, SaveFramesTheSerializedValuesBehindTheMarker) {
    CountingEffect effect;
    effect.sliders[1] = 0.25;
    effect.sliders[3] = -4;
    void* data = nullptr;
    ASSERT_EQ(effect.DoGetChunk(&data, false), 16);
    const float* values = static_cast<const float*>(data);
    EXPECT_EQ(values[0], -1000.0f);
    EXPECT_EQ(values[1], 0.25f);
    EXPECT_EQ(values[3], -4.0f);

    effect.saved = 0;
    data = nullptr;
    EXPECT_EQ(effect.DoGetChunk(&data, false), 0);
    EXPECT_EQ(data, nullptr);
}

TEST(State, LoadRunsInitOnlyOnTheFirstLoad) {
    CountingEffect effect;
    effect.DoResume();
    EXPECT_EQ(effect.inits, 1);
    std::vector<float> state = stateWith({-1000.0f, 9.0f});
    EXPECT_EQ(effect.DoSetChunk(state.data(), 8, false), 8);
    EXPECT_EQ(effect.inits, 2);
    EXPECT_EQ(effect.sliderRuns, 2);
    EXPECT_EQ(effect.sliders[1], 9.0);
    EXPECT_EQ(effect.DoSetChunk(state.data(), 8, false), 8);
    EXPECT_EQ(effect.inits, 2);
    EXPECT_EQ(effect.initCount, 2);

    const std::vector<float> wrongMarker = stateWith({-999.0f, 1.0f});
    EXPECT_EQ(effect.DoSetChunk(wrongMarker.data(), 8, false), 8);
    EXPECT_EQ(effect.sliderRuns, 3);
    EXPECT_EQ(effect.DoSetChunk(wrongMarker.data(), 3, false), 3);
    EXPECT_EQ(effect.DoSetChunk(nullptr, 260, false), 260);
    EXPECT_EQ(effect.sliderRuns, 3);
    EXPECT_EQ(effect.sliders[1], 9.0);
}

TEST(TimedRefresh, RepaintsOnlyAfterThePeriodAtItsRate) {
    CountingEffect effect;
    effect.gfxRate = 0;
    effect.clockMs = 1000;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 0);

    effect.gfxRate = 30;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 1);
    effect.clockMs += 20;
    effect.DoGfxTimer();
    effect.clockMs += 13;  // 33 ms: not more than 33.33
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 1);
    effect.clockMs += 1;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 2);
    effect.clockMs += 35;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 3);
}

// A clock counted from boot reads 2^31 and more after 24.9 days of uptime and wraps after 49.7.
TEST(TimedRefresh, KeepsItsPeriodFromAnyClockReadingAndAcrossTheWrap) {
    for (const uint32_t start : {0x80000000u, 0xFFFFFF00u, 0x7FFFFFF0u, 5u}) {
        SCOPED_TRACE(start);
        CountingEffect effect;
        effect.gfxRate = 30;
        uint32_t now = start;
        effect.clockMs = static_cast<int32_t>(now);
        effect.DoGfxTimer();
        EXPECT_EQ(effect.repaints, 1) << "a refresh that never fired is due";
        int expected = 1;
        // 40 steps of 34 ms and 40 of 20 ms: every step of 34 ms repaints, every second step of 20 ms.
        for (int step = 0; step < 80; ++step) {
            const bool longStep = step < 40;
            now += longStep ? 34 : 20;
            effect.clockMs = static_cast<int32_t>(now);
            effect.DoGfxTimer();
            if (longStep || step % 2 == 1) ++expected;
            ASSERT_EQ(effect.repaints, expected) << "at step " << step << ", clock " << now;
        }
    }
}

TEST(TimedRefresh, OpenMakesTheNextRefreshDueAgain) {
    CountingEffect effect;
    effect.gfxRate = 30;
    effect.clockMs = static_cast<int32_t>(0x90000000u);
    effect.DoGfxTimer();
    effect.DoOpen();
    effect.gfxRate = 30;
    effect.clockMs += 1;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 2);
    effect.clockMs += 1;
    effect.DoGfxTimer();
    EXPECT_EQ(effect.repaints, 2);
}

// Without an override the timed refresh measures with the plug-in's monotonic clock, which a test
// may stand in for; the system's comes back after it.
TEST(TimedRefresh, MeasuresWithTheMonotonicClockATestMayReplace) {
    class PlainClockEffect : public TQuill {
      public:
        int32_t clock() const { return RefreshClock(); }
    } effect;
    {
        testsupport::ManualClock manual(0xFFFFFFF0LL);
        EXPECT_EQ(effect.clock(), -16);  // a 32-bit tick count, wrapping
        manual.advance(20);
        EXPECT_EQ(effect.clock(), 4);
    }
    using namespace std::chrono;
    const auto systemMs = [] {
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
    const long long before = systemMs();
    const long long reading = platform::monotonicMilliseconds();
    EXPECT_GE(reading, before);
    EXPECT_LE(reading, systemMs());
}

TEST(Sliders, AFileSliderListsRegularFilesOnly) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "orbitone-listing-test";
    fs::remove_all(folder);
    fs::create_directories(folder / "sub");
    std::ofstream(folder / "a.dat") << "x";
    std::ofstream(folder / "b.dat") << "y";
    std::ofstream(folder / ".hidden") << "z";
    SliderRecord record;
    ListFolder(folder.string(), record);
    std::sort(record.texts.begin(), record.texts.end());
    EXPECT_EQ(record.texts, (std::vector<std::string>{"a.dat", "b.dat"}));
    fs::remove_all(folder);

    CountingEffect effect;
    effect.sliders[9] = 3;
    const int index = effect.AddSlider(9, nullptr, 2, -5, 5, 1, "no-such-folder-here", "", "", "Files");
    const SliderRecord& files = effect.sliderRecords[static_cast<size_t>(index)];
    EXPECT_EQ(files.texts, (std::vector<std::string>{"(No Data Files)"}));
    EXPECT_EQ(files.minimum, 0);
    EXPECT_EQ(files.maximum, 0);
    EXPECT_EQ(files.defaultValue, 0);
    EXPECT_EQ(files.step, 0.5);
    EXPECT_EQ(effect.sliders[9], 2);  // the declared default, not the record's reset one
}

TEST(Paths, ALeadingSeparatorIsDropped) {
    EXPECT_EQ(PluginPath("\\images\\a.png"), PluginPath("images\\a.png"));
    EXPECT_EQ(PluginPath("/a.png"), PluginFolder() + "a.png");
    const std::string folder = PluginFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
}

TEST(RandomSource, SameSequenceEverywhereWithinRange) {
    RandomSource random;
    // The classic linear congruential step from seed 1.
    EXPECT_EQ(random.next(), 41);
    EXPECT_EQ(random.next(), 18467);
    EXPECT_EQ(random.next(), 6334);
    int low = RandomSource::kMax, high = 0;
    for (int i = 0; i < 100000; ++i) {
        const int r = random.next();
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, RandomSource::kMax);
}

TEST(RandomSource, PairsContinueTheSequenceOfSingleDraws) {
    RandomSource single(12345), paired(12345);
    for (int i = 0; i < 10000; ++i) {
        int first = -1, second = -1;
        paired.nextPair(first, second);
        ASSERT_EQ(first, single.next()) << "pair " << i;
        ASSERT_EQ(second, single.next()) << "pair " << i;
        // Mixed with single draws.
        if (i % 3 == 0) {
            ASSERT_EQ(paired.next(), single.next());
        }
    }
}
