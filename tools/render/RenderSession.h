// One run of the renderer: load the module, set it up, render, write, report.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/render/AudioSource.h"
#include "tools/render/HostContext.h"
#include "tools/render/PluginInstance.h"
#include "tools/render/PluginModule.h"
#include "tools/render/RenderOptions.h"

namespace render {

class RenderSession {
  public:
    explicit RenderSession(const RenderOptions& options);
    ~RenderSession();

    // Throws RenderError; prints progress and the summary unless quiet.
    void run();

  private:
    struct TimedChange {
        int64_t frame;
        int index;
        float value;
    };

    void openSource();
    void openPlugin();
    void applySettings();
    std::vector<TimedChange> loadAutomation() const;
    void listParameters() const;
    std::string outputPath() const;
    void render(const std::vector<TimedChange>& changes);
    void savePreset() const;
    void writeSnapshot() const;
    void describeModuleInstall() const;

    RenderOptions options_;
    std::unique_ptr<AudioSource> source_;
    std::unique_ptr<PluginModule> module_;
    HostContext host_;
    HostContext probeHost_;
    std::unique_ptr<PluginInstance> plugin_;
    std::unique_ptr<PluginInstance> probe_;
};

}  // namespace render
