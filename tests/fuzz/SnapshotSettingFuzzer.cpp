// Any text as a "name=value" setting of the snapshot tool, plain or normalised: it is applied or
// refused with a message, and the plug-in's sliders stay in range.
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "plugin/vst/PluginFactory.h"
#include "runtime/Quill.h"
#include "tests/fuzz/FuzzInstance.h"
#include "tools/snapshot/ParameterSettings.h"
#include "tools/snapshot/SnapshotHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool normalised = (data[0] & 1) != 0;
    const std::string setting(reinterpret_cast<const char*>(data) + 1, size - 1);
    static AEffect* effect = [] {
        AEffect* made = createOrbitoneInstance(snapshot::hostCallback);
        made->dispatcher(made, effOpen, 0, 0, nullptr, 0);
        made->dispatcher(made, effMainsChanged, 0, 1, nullptr, 0);
        return made;
    }();
    const TQuill& quill = quillOf(effect);
    const std::vector<double> before(std::begin(quill.sliders), std::end(quill.sliders));
    const std::string error = snapshot::applySetting(effect, setting, normalised);
    if (!error.empty())
        fuzzCheck(std::vector<double>(std::begin(quill.sliders), std::end(quill.sliders)) == before,
                  "a refused setting changes nothing");
    checkSliders(effect);
    return 0;
}
