// The transport read from time:Position objects: tempo, signature and position as the effect's
// time answers give them, running on between positions, and what is not a position left alone.
#include <gtest/gtest.h>
#include <lv2/atom/forge.h>
#include <lv2/time/time.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

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

// What a host's time port may hold beyond what it should: events and properties cut short or
// claiming more bytes than there are, each at the end of its buffer with an unreadable page behind it.
namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& bytes, uint32_t value) {
    const auto* raw = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

void put64(Bytes& bytes, uint64_t value) {
    put32(bytes, static_cast<uint32_t>(value));
    put32(bytes, static_cast<uint32_t>(value >> 32));
}

uint32_t urid(const char* uri) {
    return lv2test::World::shared().uris().map(uri);
}

Bytes floatProperty(const char* key, float value) {
    Bytes bytes;
    put32(bytes, urid(key));
    put32(bytes, 0);
    put32(bytes, sizeof value);
    put32(bytes, urid(LV2_ATOM__Float));
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    put64(bytes, bits);  // padded to 8 bytes
    return bytes;
}

// A time:Position object around the properties; its size as given, or the bytes it holds.
Bytes position(const Bytes& properties, uint32_t claimed = 0) {
    Bytes bytes;
    put32(bytes,
          claimed != 0 ? claimed : static_cast<uint32_t>(sizeof(LV2_Atom_Object_Body) + properties.size()));
    put32(bytes, urid(LV2_ATOM__Object));
    put32(bytes, 0);
    put32(bytes, urid(LV2_TIME__Position));
    bytes.insert(bytes.end(), properties.begin(), properties.end());
    return bytes;
}

// An event at frame 0 around an atom, padded to 8 bytes.
Bytes event(Bytes atom) {
    Bytes bytes;
    put64(bytes, 0);
    atom.resize((atom.size() + 7) / 8 * 8);
    bytes.insert(bytes.end(), atom.begin(), atom.end());
    return bytes;
}

// A sequence as large as the bytes it holds.
Bytes sequence(const Bytes& events) {
    Bytes bytes;
    put32(bytes, static_cast<uint32_t>(sizeof(LV2_Atom_Sequence_Body) + events.size()));
    put32(bytes, urid(LV2_ATOM__Sequence));
    put64(bytes, 0);
    bytes.insert(bytes.end(), events.begin(), events.end());
    return bytes;
}

Bytes joined(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The last of two blocks of a rotating input with the sequence on the time port at each run.
std::vector<std::vector<float>> motionWith(const void* time) {
    lv2test::Instance lv2;
    lv2.activate();
    lv2.setControl(11, 1);  // Animation CH1: Rotate
    lv2.setControl(12, 60);
    lv2.setControl(6, 0);
    lv2.connectTime(time);
    const std::vector<float> ones(256, 1.0f);
    lv2.run(ones, ones);
    return lv2.run(ones, ones);
}

}  // namespace

TEST(Lv2HostBuffers, WhatDoesNotFitIsIgnoredAndWhatFitsBeforeItIsTaken) {
    const Bytes rolling =
        joined(floatProperty(LV2_TIME__speed, 1), floatProperty(LV2_TIME__beatsPerMinute, 120));
    const Bytes stopped = floatProperty(LV2_TIME__speed, 0);
    const Bytes valid = sequence(event(position(rolling)));
    const auto expected = motionWith(valid.data());
    ASSERT_NE(expected, motionWith(sequence({}).data())) << "the position sets the motion going";

    Bytes keyOnly;
    put32(keyOnly, urid(LV2_TIME__beat));
    put32(keyOnly, 0);
    Bytes valueCutShort = keyOnly;  // a double's header, without its 8 bytes
    put32(valueCutShort, sizeof(double));
    put32(valueCutShort, urid(LV2_ATOM__Double));
    const struct {
        const char* what;
        Bytes time;
    } cases[] = {
        {"an event cut short after its time", joined(event(position(rolling)), Bytes(8, 0))},
        {"an event claiming a million bytes",
         joined(event(position(rolling)), event(position(stopped, 1000000)))},
        {"a property cut short after its key", event(position(joined(rolling, keyOnly)))},
        {"a property claiming more bytes than follow", event(position(joined(rolling, valueCutShort)))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const lv2test::PageEndBytes time(sequence(c.time));
        EXPECT_EQ(motionWith(time.data()), expected);
    }
}
