// The transport read from time:Position objects: tempo, signature and position as the effect's
// time answers give them, running on between positions, and what is not a position left alone.
#include <gtest/gtest.h>
#include <lv2/atom/forge.h>
#include <lv2/time/time.h>

#include <cmath>
#include <limits>

#include "plugin/lv2/Lv2Transport.h"
#include "tests/lv2/Lv2TestHost.h"

namespace {

class Lv2TransportRead : public testing::Test {
  protected:
    void SetUp() override { transport.mapUris(uris.mapFeature()); }

    // Starts an object of the given class in the buffer; keys and values follow through forge.
    void begin(const char* objectClass) {
        lv2_atom_forge_init(&forge, uris.mapFeature());
        lv2_atom_forge_set_buffer(&forge, buffer, sizeof buffer);
        lv2_atom_forge_object(&forge, &frame, 0, uris.map(objectClass));
    }
    void key(const char* uri) { lv2_atom_forge_key(&forge, uris.map(uri)); }
    const LV2_Atom* end() {
        lv2_atom_forge_pop(&forge, &frame);
        return reinterpret_cast<const LV2_Atom*>(buffer);
    }

    lv2test::UridMap uris;
    CLv2Transport transport;
    LV2_Atom_Forge forge{};
    LV2_Atom_Forge_Frame frame{};
    alignas(8) uint8_t buffer[1024] = {};
};

}  // namespace

TEST_F(Lv2TransportRead, BarAndBeatBecomeQuarterNotesInTheSignature) {
    HostTime time;
    EXPECT_FALSE(transport.answer(time)) << "no transport before a position arrives";
    begin(LV2_TIME__Position);
    key(LV2_TIME__speed);
    lv2_atom_forge_float(&forge, 1);
    key(LV2_TIME__beatsPerMinute);
    lv2_atom_forge_double(&forge, 90);
    key(LV2_TIME__beatsPerBar);
    lv2_atom_forge_float(&forge, 6);
    key(LV2_TIME__beatUnit);
    lv2_atom_forge_int(&forge, 8);
    key(LV2_TIME__bar);
    lv2_atom_forge_long(&forge, 3);
    key(LV2_TIME__barBeat);
    lv2_atom_forge_float(&forge, 2.5f);
    transport.read(end());
    ASSERT_TRUE(transport.answer(time));
    EXPECT_TRUE(time.playing);
    EXPECT_FALSE(time.recording);
    EXPECT_DOUBLE_EQ(time.tempo, 90);
    EXPECT_DOUBLE_EQ(time.timeSigNumerator, 6);
    EXPECT_DOUBLE_EQ(time.timeSigDenominator, 8);
    // Bar 3 of 6/8 starts after 18 eighths (9 quarters); 2.5 eighths later is 10.25 quarters.
    EXPECT_DOUBLE_EQ(time.barStartPos, 9);
    EXPECT_DOUBLE_EQ(time.ppqPos, 10.25);

    // One second at 90 eighths a minute plays 1.5 eighths on, 0.75 quarters.
    transport.advance(48000, 48000);
    ASSERT_TRUE(transport.answer(time));
    EXPECT_NEAR(time.ppqPos, 11.0, 1e-12);
}

TEST_F(Lv2TransportRead, StoppedHeldAndGarbageIgnored) {
    begin(LV2_TIME__Position);
    key(LV2_TIME__speed);
    lv2_atom_forge_float(&forge, 0);
    key(LV2_TIME__beatsPerMinute);
    lv2_atom_forge_float(&forge, 120);
    key(LV2_TIME__beat);
    lv2_atom_forge_double(&forge, 8);
    transport.read(end());
    HostTime time;
    ASSERT_TRUE(transport.answer(time));
    EXPECT_FALSE(time.playing);
    transport.advance(44100, 44100);
    transport.answer(time);
    EXPECT_DOUBLE_EQ(time.ppqPos, 8) << "a stopped transport stays where it is";

    // Not a position, a non-finite tempo, a text where a number belongs: nothing of it is taken.
    begin(LV2_TIME__Rate);
    key(LV2_TIME__speed);
    lv2_atom_forge_float(&forge, 1);
    transport.read(end());
    begin(LV2_TIME__Position);
    key(LV2_TIME__beatsPerMinute);
    lv2_atom_forge_float(&forge, std::numeric_limits<float>::infinity());
    key(LV2_TIME__speed);
    lv2_atom_forge_string(&forge, "fast", 4);
    transport.read(end());
    transport.read(nullptr);
    transport.answer(time);
    EXPECT_FALSE(time.playing);
    EXPECT_DOUBLE_EQ(time.tempo, 120);
}

TEST(Lv2TransportWithoutMap, ReadsNothing) {
    CLv2Transport transport;
    transport.mapUris(nullptr);
    EXPECT_FALSE(transport.canRead());
    const LV2_Atom atom{0, 0};
    transport.read(&atom);
    HostTime time;
    EXPECT_FALSE(transport.answer(time));
}
