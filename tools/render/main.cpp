// orbitone-render: renders audio files through a VST 2.4 plug-in into 5.1.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/render/CommandLine.h"
#include "tools/render/RenderError.h"
#include "tools/render/RenderSession.h"

int main(int argc, char** argv) {
    using namespace render;
    try {
        const RenderOptions options = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
        if (options.showHelp) {
            std::fputs(CommandLine::usage().c_str(), stdout);
            return 0;
        }
        RenderSession session(options);
        session.run();
        return 0;
    } catch (const RenderError& error) {
        std::fprintf(stderr, "orbitone-render: %s\n", error.what());
        return static_cast<int>(error.code());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orbitone-render: %s\n", error.what());
        return static_cast<int>(ExitCode::output);
    }
}
