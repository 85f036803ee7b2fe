// Paints and the timed refresh, seen from the effect's graphics section.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "EditorInstance.h"
#include "HostWindow.h"
#include "plugin/vst/Lumo.h"

using namespace editortest;
using namespace std::chrono;

TEST(EditorPaint, PaintRunsTheGraphicsSectionWithTheContextSetAndClearedAfter) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    // Mapping the window exposes it: the first paint needs no refresh rate.
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
    EXPECT_EQ(instance.probe().paintsWithoutContext, 0);
    EXPECT_EQ(instance.adapter()->currentContext, nullptr);
    instance.close();
}

TEST(EditorPaint, RefreshRateThirtyPaintsAboutThirtyTimesASecondAtSixtyHertzIdles) {
    testsupport::ManualClock clock;
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    instance.probe().gfxRate = 30;
    // The window's exposure and the first refresh, due at once after an open, paint together.
    instance.idle();
    EXPECT_EQ(instance.probe().paints, 1);
    // A refresh is due only after more than 33.3 ms: idles 17 ms apart (about 60 Hz) paint every
    // second one, 20 ms apart too, 16 ms apart every third, 34 ms apart each.
    struct Rhythm {
        long long stepMs;
        int paints;
    };
    for (const Rhythm rhythm : {Rhythm{17, 60}, Rhythm{20, 60}, Rhythm{16, 40}, Rhythm{34, 120}}) {
        SCOPED_TRACE(rhythm.stepMs);
        // Starting right after a refresh.
        instance.idleEvery(clock, 40, 1);
        const int before = instance.probe().paints;
        instance.idleEvery(clock, rhythm.stepMs, 120);
        EXPECT_EQ(instance.probe().paints - before, rhythm.paints);
    }
    EXPECT_EQ(instance.probe().paintsWithoutContext, 0);
    instance.close();
}

TEST(EditorPaint, RefreshRateZeroGivesNoTimedPaints) {
    testsupport::ManualClock clock;
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
    const int before = instance.probe().paints;
    instance.idleEvery(clock, 17, 60);
    instance.idleEvery(clock, 1000, 3);
    EXPECT_EQ(instance.probe().paints, before);
    instance.close();
}

TEST(EditorPaint, IdleBeforeOpenOrAfterCloseRunsNoRefresh) {
    testsupport::ManualClock clock;
    HostWindow host;
    EditorInstance instance;
    instance.probe().gfxRate = 30;
    instance.idleEvery(clock, 34, 3);
    EXPECT_EQ(instance.probe().lastRefreshClock, 0);
    instance.open(host.handle());
    instance.idleEvery(clock, 34, 3);
    instance.close();
    const int32_t lastRefresh = instance.probe().lastRefreshClock;
    EXPECT_EQ(lastRefresh, clock.now());
    instance.idleEvery(clock, 34, 3);
    EXPECT_EQ(instance.probe().lastRefreshClock, lastRefresh);
}

// The second registration of these tests runs them under libfaketime; a preload that did not take
// would let them pass at the machine's real uptime.
TEST(EditorPaint, AMovedClockReallyReadsPastThirtyDays) {
    if (std::getenv("FAKETIME") == nullptr) GTEST_SKIP() << "the clock is not moved in this run";
    const auto uptime = steady_clock::now().time_since_epoch();
    EXPECT_GE(duration_cast<hours>(uptime).count(), 30 * 24);
}
