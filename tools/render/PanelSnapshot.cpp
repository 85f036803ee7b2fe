#include "tools/render/PanelSnapshot.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/render/InstallLayout.h"
#include "tools/render/RenderError.h"

extern char** environ;

namespace render {

namespace {

const char* const kSnapshotProgram = "orbitone-snapshot";
// The name Orbitone gives for effGetEffectName: the snapshot program draws no other plug-in's panel.
const char* const kOrbitoneName = "Orbitone";

[[noreturn]] void snapshotFailed(const std::string& why) {
    throw RenderError(ExitCode::snapshot, "panel snapshot not written: " + why);
}

// A state file in the temporary folder, removed when it goes out of scope.
class TemporaryState {
  public:
    explicit TemporaryState(const std::vector<uint8_t>& bytes) {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder && *folder ? folder : "/tmp") + "/orbitone-state.XXXXXX";
        const int fd = mkstemp(&path_[0]);
        if (fd < 0)
            snapshotFailed("cannot create a temporary file in " + path_ + ": " + std::strerror(errno));
        const bool written = writeAll(fd, bytes);
        const bool closed = close(fd) == 0;
        if (!written || !closed) {
            unlink(path_.c_str());
            snapshotFailed("cannot write the temporary file " + path_);
        }
    }
    ~TemporaryState() { unlink(path_.c_str()); }
    TemporaryState(const TemporaryState&) = delete;
    TemporaryState& operator=(const TemporaryState&) = delete;

    const std::string& path() const { return path_; }

  private:
    static bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) return false;
            done += static_cast<size_t>(count);
        }
        return true;
    }

    std::string path_;
};

// Runs the program without a shell, its standard output (the file name it wrote) silenced and its
// error messages passed through; answers its exit status as waitpid gives it.
int runQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) snapshotFailed("cannot run " + arguments[0] + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) snapshotFailed("lost track of " + arguments[0]);
    return status;
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
}

}  // namespace

void checkPanelSnapshotPossible(const PluginInstance& plugin) {
    const std::string name = plugin.effectName();
    if (name != kOrbitoneName)
        throw RenderError(ExitCode::snapshot,
                          "--snapshot draws Orbitone's panel only; this plug-in is '" + name + "'");
    const std::string program = besideProgram(kSnapshotProgram);
    if (access(program.c_str(), X_OK) != 0)
        throw RenderError(ExitCode::snapshot, "--snapshot needs " + program + ", which is not there");
}

void writePanelSnapshot(const PluginInstance& plugin, const std::string& pngPath) {
    const std::vector<uint8_t> state = plugin.chunk(true);
    if (state.empty()) snapshotFailed("the plug-in gave no state");
    const TemporaryState file(state);
    const std::string program = besideProgram(kSnapshotProgram);
    const int status = runQuietly({program, "--state", file.path(), pngPath});
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        snapshotFailed(std::string(kSnapshotProgram) + " ended with " + describeStatus(status));
}

}  // namespace render
