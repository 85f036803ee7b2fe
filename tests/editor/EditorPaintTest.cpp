// Paints and the timed refresh, seen from the effect's graphics section.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "EditorInstance.h"
#include "HostWindow.h"
#include "plugin/vst/Lumo.h"

using namespace editortest;
using namespace std::chrono;
using namespace std::chrono_literals;

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
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    instance.idleFor(200ms);
    instance.probe().gfxRate = 30;
    const int before = instance.probe().paints;
    const auto start = steady_clock::now();
    const int idles = instance.idleFor(2000ms);
    const double seconds = duration<double>(steady_clock::now() - start).count();
    const int paints = instance.probe().paints - before;
    // A refresh is due only after more than 33.3 ms: at 60 Hz that is every second or third idle.
    SCOPED_TRACE(::testing::Message() << paints << " paints, " << idles << " idles in " << seconds << " s");
    EXPECT_GE(paints, 30);
    EXPECT_LE(paints, 80);
    // Spacing of at least 16 ms makes every third idle late enough, and no two refreshes come
    // closer than 33.3 ms, whatever the machine's load.
    EXPECT_GE(paints, idles / 3 - 1);
    EXPECT_LE(paints, seconds * 30 + 1);
    EXPECT_EQ(instance.probe().paintsWithoutContext, 0);
    instance.close();
    std::printf("timed refresh: %d paints, %d idles in %.2f s\n", paints, idles, seconds);
}

TEST(EditorPaint, RefreshRateZeroGivesNoTimedPaints) {
    HostWindow host;
    EditorInstance instance;
    instance.open(host.handle());
    ASSERT_TRUE(instance.idleUntil([&] { return instance.probe().paints > 0; }));
    instance.idleFor(200ms);
    const int before = instance.probe().paints;
    instance.idleFor(1000ms);
    EXPECT_EQ(instance.probe().paints, before);
    instance.close();
}

TEST(EditorPaint, IdleBeforeOpenOrAfterCloseRunsNoRefresh) {
    HostWindow host;
    EditorInstance instance;
    instance.probe().gfxRate = 30;
    instance.idleFor(100ms);
    EXPECT_EQ(instance.probe().lastRefreshClock, 0);
    instance.open(host.handle());
    instance.idleFor(100ms);
    instance.close();
    const int32_t lastRefresh = instance.probe().lastRefreshClock;
    EXPECT_NE(lastRefresh, 0);
    instance.idleFor(100ms);
    EXPECT_EQ(instance.probe().lastRefreshClock, lastRefresh);
}

// The second registration of these tests runs them under libfaketime; a preload that did not take
// would let them pass at the machine's real uptime.
TEST(EditorPaint, AMovedClockReallyReadsPastThirtyDays) {
    if (std::getenv("FAKETIME") == nullptr) GTEST_SKIP() << "the clock is not moved in this run";
    const auto uptime = steady_clock::now().time_since_epoch();
    EXPECT_GE(duration_cast<hours>(uptime).count(), 30 * 24);
}
