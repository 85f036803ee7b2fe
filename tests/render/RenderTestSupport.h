// Running the renderer program and looking at what it wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RunResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

// A fresh folder per test, removed with its contents at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    std::vector<std::string> files() const;

  private:
    std::string folder_;
};

RunResult runRenderer(const std::string& arguments);
// Runs a command line through the shell: the program, then its arguments.
RunResult runProgram(const std::string& program, const std::string& arguments);

// Channel-major float audio read from or written to a sound file with libsndfile.
struct Audio {
    int sampleRate = 0;
    int format = 0;
    std::vector<std::vector<float>> channels;
};
Audio readAudio(const std::string& path);
void writeAudio(const std::string& path, const Audio& audio, int format);
std::vector<std::vector<float>> testSignal(int channels, size_t frames);

std::vector<uint8_t> readBytes(const std::string& path);
void writeText(const std::string& path, const std::string& text);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
