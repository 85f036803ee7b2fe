// lv2apply, a host that offers no feature and connects only audio and control ports, renders a
// stereo file through the bundle into six channels equal to orbitone-render's render of the VST
// module with the same settings.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/lv2/Lv2TestHost.h"

namespace {

struct Sound {
    int channels = 0;
    int rate = 0;
    std::vector<float> samples;  // interleaved
};

bool writeSound(const std::string& path, const Sound& sound) {
    SF_INFO info{};
    info.channels = sound.channels;
    info.samplerate = sound.rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) return false;
    const auto frames = static_cast<sf_count_t>(sound.samples.size() / static_cast<size_t>(sound.channels));
    const bool written = sf_writef_float(file, sound.samples.data(), frames) == frames;
    sf_close(file);
    return written;
}

Sound readSound(const std::string& path) {
    Sound sound;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return sound;
    sound.channels = info.channels;
    sound.rate = info.samplerate;
    sound.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

std::string shellQuoted(const std::string& text) {
    return "'" + text + "'";
}

class Lv2Apply : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/orbitone-lv2apply-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf " + shellQuoted(folder_)).c_str()); }
    std::string file(const char* name) const { return folder_ + "/" + name; }

  private:
    std::string folder_;
};

}  // namespace

TEST_F(Lv2Apply, RendersWhatTheVstModuleRenders) {
    Sound input{2, 48000, {}};
    const int frames = 48000;
    const auto left = lv2test::testSignal(frames, 3);
    const auto right = lv2test::testSignal(frames, 4);
    for (int j = 0; j < frames; ++j) {
        input.samples.push_back(left[static_cast<size_t>(j)]);
        input.samples.push_back(right[static_cast<size_t>(j)]);
    }
    ASSERT_TRUE(writeSound(file("in.wav"), input));

    // The same settings both ways: symbols and values for lv2apply, host names for the renderer.
    const std::vector<std::pair<std::string, std::string>> settings = {
        {"input_channels", "Input Channels=2"},    {"left_right_ch1", "Left - Right CH1=-35"},
        {"front_back_ch1", "Front - Back CH1=60"}, {"left_right_ch2", "Left - Right CH2=72"},
        {"send_c", "Send To C [dB]=-9"},           {"send_lfe", "Send To LFE [dB]=-15"},
        {"output_gain", "Output [dB]=-3.5"},       {"smoothing_time", "Smoothing Time [ms]=30"},
        {"animation_ch1", "Animation=Rotate"},
    };
    const std::vector<std::string> lv2Values = {"1", "-35", "60", "72", "-9", "-15", "-3.5", "30", "1"};
    std::string lv2apply = "LV2_PATH=" + shellQuoted(std::string(ORBITONE_LV2_BUNDLE) + "/..") +
                           " lv2apply -i " + shellQuoted(file("in.wav")) + " -o " +
                           shellQuoted(file("lv2.wav"));
    // lv2apply offers no transport, so the renderer's transport stands still too.
    std::string render = shellQuoted(ORBITONE_RENDER) + " --quiet --stopped --bits float -m " +
                         shellQuoted(ORBITONE_MODULE_FILE) + " " + shellQuoted(file("in.wav")) + " " +
                         shellQuoted(file("vst.wav"));
    for (size_t i = 0; i < settings.size(); ++i) {
        lv2apply += " -c " + settings[i].first + " " + lv2Values[i];
        render += " -p " + shellQuoted(settings[i].second);
    }
    lv2apply += std::string(" ") + lv2test::kPluginUri + " >/dev/null";
    ASSERT_EQ(std::system(lv2apply.c_str()), 0) << lv2apply;
    ASSERT_EQ(std::system(render.c_str()), 0) << render;

    const Sound lv2 = readSound(file("lv2.wav"));
    const Sound vst = readSound(file("vst.wav"));
    ASSERT_EQ(lv2.channels, 6);
    ASSERT_EQ(vst.channels, 6);
    EXPECT_EQ(lv2.rate, 48000);
    ASSERT_EQ(lv2.samples.size(), vst.samples.size());
    size_t differing = 0;
    for (size_t i = 0; i < lv2.samples.size(); ++i) differing += lv2.samples[i] != vst.samples[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u);
    // Not silence: the comparison compared sound.
    float peak = 0;
    for (float s : lv2.samples) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.1f);
}
