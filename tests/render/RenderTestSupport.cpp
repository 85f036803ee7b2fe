#include "RenderTestSupport.h"

#include <dirent.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/orbitone-render-test.XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& name : files()) std::remove(path(name).c_str());
    rmdir(folder_.c_str());
}

std::vector<std::string> ScratchFolder::files() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder_.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.push_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

RunResult runRenderer(const std::string& arguments) {
    return runProgram(RENDERER, arguments);
}

RunResult runProgram(const std::string& program, const std::string& arguments) {
    const std::string command = program + " " + arguments + " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

Audio readAudio(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<float> frames(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    Audio audio;
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    audio.channels.assign(static_cast<size_t>(info.channels),
                          std::vector<float>(static_cast<size_t>(info.frames)));
    for (size_t i = 0; i < static_cast<size_t>(info.frames); ++i)
        for (size_t c = 0; c < audio.channels.size(); ++c)
            audio.channels[c][i] = frames[i * audio.channels.size() + c];
    return audio;
}

void writeAudio(const std::string& path, const Audio& audio, int format) {
    SF_INFO info{};
    info.channels = static_cast<int>(audio.channels.size());
    info.samplerate = audio.sampleRate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path);
    const size_t frames = audio.channels[0].size();
    std::vector<float> interleaved(frames * audio.channels.size());
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < audio.channels.size(); ++c)
            interleaved[i * audio.channels.size() + c] = audio.channels[c][i];
    sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
}

std::vector<std::vector<float>> testSignal(int channels, size_t frames) {
    std::vector<std::vector<float>> signal(static_cast<size_t>(channels), std::vector<float>(frames));
    uint32_t state = 12345;
    for (auto& channel : signal)
        for (float& sample : channel) {
            state = state * 1664525u + 1013904223u;
            sample = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
        }
    return signal;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
