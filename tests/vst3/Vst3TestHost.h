// A small VST 3 host for tests: loads the bundle's module, makes the component and reaches its
// processor and controller, and plays the host's side of the interfaces (streams, parameter change
// queues, the component handler, the view's frame with a run loop).
#pragma once

#include <travesty/audio_processor.h>
#include <travesty/component.h>
#include <travesty/edit_controller.h>
#include <travesty/factory.h>
#include <travesty/view.h>

#include <string>
#include <vector>

namespace vst3test {

// The module the tests load (the build's bundle unless set before the first factory call).
void useModule(const std::string& path);
v3_plugin_factory** factory();
// Loads the module, calls its platform's load entry and answers its factory; null on failure. Each
// platform has its own (Vst3ModuleLinux.cpp, Vst3ModuleWin32.cpp).
v3_plugin_factory** loadVst3Module(const std::string& path);
std::string text(const int16_t* utf16);
std::vector<int16_t> utf16(const std::string& text);

// What the plug-in told the host through the component handler, in order.
struct Edit {
    char kind;  // 'b'egin, 'p'erform, 'e'nd
    v3_param_id id;
    double value;
};

// A host stream over bytes; reads may be cut to a few bytes at a time.
struct MemoryStream {
    MemoryStream();
    explicit MemoryStream(std::vector<unsigned char> bytes);
    v3_bstream** stream() { return static_cast<v3_bstream**>(static_cast<void*>(this)); }

    const void* table;
    std::vector<unsigned char> bytes;
    size_t position = 0;
    int32_t largestRead = 1 << 30;
};

// The host's parameter changes of one block: a queue per parameter, points in offset order.
class ParameterChanges {
  public:
    ParameterChanges();
    void add(v3_param_id id, int32_t offset, double value);
    v3_param_changes** changes() { return static_cast<v3_param_changes**>(static_cast<void*>(&face_)); }

    struct Queue {
        const void* table;
        v3_param_id id;
        std::vector<std::pair<int32_t, double>> points;
    };
    std::vector<Queue> queues;

  private:
    struct Face {
        const void* table;
        ParameterChanges* owner;
    } face_;
};

// One component, initialised, its buses set to stereo in and 5.1 out, processing set up and active.
class Instance {
  public:
    explicit Instance(double sampleRate = 44100, int32_t block = 512, bool doublePrecision = false);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    v3_component** component = nullptr;
    v3_audio_processor** processor = nullptr;
    v3_edit_controller** controller = nullptr;

    const v3_component_cpp& componentCalls() { return **reinterpret_cast<v3_component_cpp**>(component); }
    const v3_audio_processor_cpp& processorCalls() {
        return **reinterpret_cast<v3_audio_processor_cpp**>(processor);
    }
    const v3_edit_controller_cpp& controllerCalls() {
        return **reinterpret_cast<v3_edit_controller_cpp**>(controller);
    }

    // Sets a parameter through the processing data of the next block, at offset 0.
    void set(v3_param_id id, double normalised) { pending.add(id, 0, normalised); }
    // The host's transport for the following blocks; null: no process context.
    void setTransport(bool playing, double tempo = 120);
    void clearTransport() { hasContext_ = false; }

    // One block with the two inputs given; the pending changes go with it. Six outputs.
    std::vector<std::vector<float>> process(const std::vector<float>& left, const std::vector<float>& right);
    std::vector<std::vector<double>> processDouble(const std::vector<double>& left,
                                                   const std::vector<double>& right);

    std::vector<unsigned char> state();
    v3_result setState(MemoryStream& stream);

    ParameterChanges pending;
    std::vector<Edit> edits;
    v3_process_context context{};

  private:
    template <typename Sample>
    std::vector<std::vector<Sample>> run(const std::vector<Sample>& left, const std::vector<Sample>& right);

    bool hasContext_ = false;
    bool double_ = false;
    struct Handler {
        const void* table;
        Instance* owner;
    } handler_;
};

// The frame a view is attached under: the host's run loop, whose timers and handlers the test runs.
class HostFrame {
  public:
    HostFrame();
    v3_plugin_frame** frame() { return static_cast<v3_plugin_frame**>(static_cast<void*>(&frame_)); }
    // Runs every registered timer and event handler once, as one turn of the host's loop.
    void turn();

    struct Face {
        const void* table;
        HostFrame* owner;
    };
    std::vector<v3_timer_handler**> timers;
    std::vector<std::pair<v3_event_handler**, int>> handlers;
    std::vector<uint64_t> periods;
    int resizes = 0;

  private:
    Face frame_;
    Face loop_;
    friend struct HostFrameCalls;
};

}  // namespace vst3test
