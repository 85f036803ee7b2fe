// The plug-in as a host meets it: entry points, the interface record and the dispatcher's answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/host/TestHost.h"

namespace {

const char* const kParameterNames[] = {"Left - Right CH1",
                                       "Front - Back CH1",
                                       "Left - Right CH2",
                                       "Front - Back CH2",
                                       "Center Channel Influence",
                                       "Center/Edge Zone Influence [dB]",
                                       "Smoothing Time [ms]",
                                       "Send To C [dB]",
                                       "Send To LFE [dB]",
                                       "Input Channels",
                                       "Output [dB]",
                                       "Animation",
                                       "Speed",
                                       "X Scale",
                                       "Y Scale",
                                       "X Offset",
                                       "Y Offset",
                                       "Animation",
                                       "Speed",
                                       "X Scale",
                                       "Y Scale",
                                       "X Offset",
                                       "Y Offset"};

const char* const kDefaultDisplays[] = {"0.00",   "0.00",   "0.00",   "0.00", "0.00", "0.00",
                                        "100.00", "-60.00", "-60.00", "1",    "0.00", "Manual (off)",
                                        "1.00",   "1.00",   "1.00",   "0.00", "0.00", "Manual (off)",
                                        "1.00",   "1.00",   "1.00",   "0.00", "0.00"};

constexpr int kSendToC = 7;
constexpr int kAnimationCh1 = 11;
constexpr int kSpeedCh1 = 12;
constexpr int kSmoothing = 6;

}  // namespace

TEST(Entry, RecordDescribesTheEffect) {
    TestInstance plugin;
    AEffect* e = plugin.effect();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numInputs, 6);
    EXPECT_EQ(e->numOutputs, 6);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 23);
    EXPECT_EQ(e->flags, 0x1031);
    EXPECT_EQ(e->uniqueID, fourCharId('O', 'b', '2', '1'));
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
}

TEST(Entry, AllThreeNamesMakeInstancesAndMainIsTheSameFunction) {
    TestModule& module = TestModule::orbitone();
    ASSERT_TRUE(module.loaded());
    EXPECT_EQ(module.entry("main"), module.entry("VSTPluginMain"));
    for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
        TestInstance plugin(name);
        ASSERT_NE(plugin.effect(), nullptr) << name;
        EXPECT_EQ(plugin.effect()->numParams, 23) << name;
    }
}

TEST(Entry, HostWithoutVersionGetsNoInstance) {
    TestInstance plugin("VSTPluginMain", 0);
    EXPECT_EQ(plugin.effect(), nullptr);
}

TEST(Entry, OldHostVersionsStillGetAnInstance) {
    for (intptr_t version : {2, 2300}) {
        TestInstance plugin("main", version);
        ASSERT_NE(plugin.effect(), nullptr);
        EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
    }
}

TEST(Dispatcher, PlugInLevelAnswers) {
    TestInstance plugin;
    char receive[] = "receiveVstMidiEvent";
    char send[] = "sendVstEvents";
    char receiveLower[] = "receivevstmidievent";
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, receive), 1);
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, send), -1);
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, receiveLower), -1);
    EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 1000);
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 0);
    EXPECT_EQ(plugin.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 3), 1);
    EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, 4410), 4410);
    for (int32_t opcode : std::initializer_list<int32_t>{effString2Parameter, effGetInputProperties,
                                                         effSetBypass, effGetTailSize, effStartProcess,
                                                         effStopProcess, effSetProcessPrecision, 9, 200}) {
        EXPECT_EQ(plugin.dispatch(opcode), 0) << opcode;
    }
}

TEST(Dispatcher, SpeakerArrangementClearsBothPlaces) {
    TestInstance plugin;
    int dummy = 0;
    void* inputs = &dummy;
    void* outputs = &dummy;
    EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&inputs), &outputs), 0);
    EXPECT_EQ(inputs, nullptr);
    EXPECT_EQ(outputs, nullptr);
}

TEST(Dispatcher, ProgramsAndNames) {
    TestInstance plugin;
    EXPECT_EQ(plugin.text(effGetEffectName), "Orbitone");
    EXPECT_EQ(plugin.text(effGetVendorString), "Velmora");
    EXPECT_EQ(plugin.text(effGetProductString), "Orbitone 2.1");
    EXPECT_EQ(plugin.text(effGetProgramName), "Orbitone 2.1");
    char name[] = "Wide Hall";
    plugin.dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(plugin.text(effGetProgramName), "Wide Hall");
    char buffer[64] = "unchanged";
    EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 0, 0, buffer), 0);
    EXPECT_EQ(plugin.dispatch(effSetProgram, 0, 5), 0);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
}

TEST(Dispatcher, LongProgramNamesAreCutToTheProgramNameSize) {
    TestInstance plugin;
    std::string longName(100, 'x');
    plugin.dispatch(effSetProgramName, 0, 0, &longName[0]);
    EXPECT_EQ(plugin.text(effGetProgramName), std::string(23, 'x'));
}

TEST(Dispatcher, ResumeAsksForMidiEveryTime) {
    TestInstance plugin;
    plugin.start();
    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(plugin.host().wantMidiCalls, 2);
}

TEST(Dispatcher, NullPointersAreAnsweredWithoutACrash) {
    TestInstance plugin;
    for (int32_t opcode : std::initializer_list<int32_t>{
             effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramName, effSetProgramName,
             effGetEffectName, effGetVendorString, effGetProductString, effCanDo, effGetChunk, effSetChunk,
             effProcessEvents, effEditGetRect, effGetProgramNameIndexed}) {
        EXPECT_EQ(plugin.dispatch(opcode, 0, 260, nullptr), 0) << opcode;
    }
    plugin.dispatch(effGetSpeakerArrangement, 0, 0, nullptr);
}

TEST(Dispatcher, EditorRectangleIsThePanel) {
    TestInstance plugin;
    ERect* rect = nullptr;
    EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 540);
    EXPECT_EQ(rect->right, 1130);
}

TEST(Parameters, NamesAndDefaultDisplays) {
    TestInstance plugin;
    for (int i = 0; i < 23; ++i) {
        EXPECT_EQ(plugin.text(effGetParamName, i), kParameterNames[i]) << i;
        EXPECT_EQ(plugin.text(effGetParamLabel, i), "") << i;
        EXPECT_EQ(plugin.text(effGetParamDisplay, i), kDefaultDisplays[i]) << i;
    }
}

TEST(Parameters, TextCopiesStayInsideThirtyTwoBytes) {
    TestInstance plugin;
    char buffer[64];
    std::memset(buffer, 0x55, sizeof buffer);
    plugin.dispatch(effGetParamName, 5, 0, buffer);
    EXPECT_STREQ(buffer, "Center/Edge Zone Influence [dB]");
    for (size_t i = 32; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0x55) << i;

    plugin.setParameter(10, 1.0f);
    std::memset(buffer, 0x55, sizeof buffer);
    plugin.dispatch(effGetParamDisplay, 10, 0, buffer);
    EXPECT_STREQ(buffer, "20.00");
    for (size_t i = 6; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0x55) << i;
}

TEST(Parameters, MappingSnapsToTheStepGrid) {
    TestInstance plugin;
    plugin.setParameter(0, 0.5f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 0), "0.00");
    plugin.setParameter(0, 0.625f);
    EXPECT_FLOAT_EQ(plugin.getParameter(0), 0.625f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 0), "25.00");
    plugin.setParameter(kSendToC, 0.5f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSendToC), "-25.00");
    plugin.setParameter(kSendToC, 0.5104f);  // -24.272 on the panel's grid of 0.1 dB
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSendToC), "-24.30");
}

TEST(Parameters, EnumeratedDisplaysFollowTheValue) {
    TestInstance plugin;
    plugin.setParameter(kAnimationCh1, 0.5f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kAnimationCh1), "Cruise");
    plugin.setParameter(kAnimationCh1, 1.0f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kAnimationCh1), "Fish Bowl");
    plugin.setParameter(9, 1.0f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, 9), "2");
}

TEST(Parameters, BadIndicesAndValuesAreHarmless) {
    TestInstance plugin;
    for (int32_t index : {-1, 23, 1000, std::numeric_limits<int32_t>::min()}) {
        EXPECT_EQ(plugin.getParameter(index), 0.0f);
        plugin.setParameter(index, 0.7f);
        EXPECT_EQ(plugin.text(effGetParamName, index), "");
        EXPECT_EQ(plugin.text(effGetParamDisplay, index), "");
    }
    const float before = plugin.getParameter(kSmoothing);
    plugin.setParameter(kSmoothing, std::numeric_limits<float>::quiet_NaN());
    plugin.setParameter(kSmoothing, std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ(plugin.getParameter(kSmoothing), before);
    plugin.setParameter(kSmoothing, -3.0f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "0.00");
    plugin.setParameter(kSmoothing, 7.0f);
    EXPECT_EQ(plugin.text(effGetParamDisplay, kSmoothing), "1000.00");
}
