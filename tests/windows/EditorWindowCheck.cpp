// The editor of Orbitone.dll in a host window under a display: the window class, a paint that
// shows the panel, a left press and drag on the radar through SendInput that reaches the effect
// and the host's automation, an OLE text drop that is accepted with the copy effect and changes
// nothing, a drag that ends when another window takes the mouse, and the class shared by two editors.
// Usage: EditorWindowCheck <path to Orbitone.dll> <path to bg.png>
#include <ole2.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "tests/windows/CheckReport.h"
#include "tests/windows/DropSource.h"
#include "tests/windows/HostWindow.h"
#include "tests/windows/PluginHost.h"

namespace {

constexpr int kRadarLeft = 20, kRadarTop = 20;

std::string frameClassName(const PluginModule& module) {
    char name[64];
    std::snprintf(name, sizeof name, "Plugin%p", static_cast<void*>(module.handle()));
    return name;
}

bool classRegistered(const PluginModule& module) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(module.handle(), frameClassName(module).c_str(), &info) != 0;
}

struct Editor {
    PluginInstance& plugin;
    HWND host;
    Editor(PluginInstance& p, HWND h) : plugin(p), host(h) { plugin.dispatch(effEditOpen, 0, 0, host); }
    ~Editor() { plugin.dispatch(effEditClose); }
    // Host cycles: the waiting messages (the input sent so far), the host's idle, then a paint of the
    // host window and the editor's at once, as uncovering them would give; the panel reads the mouse
    // when it paints.
    void cycles(int count) {
        for (int i = 0; i < count; ++i) {
            pumpMessages();
            plugin.dispatch(effEditIdle);
            RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
};

// Colour of the panel background image at a pixel, decoded independently of the plug-in.
COLORREF imagePixel(const char* path, int x, int y) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::ARGB argb = 0;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(wide, &bitmap) == Gdiplus::Ok) {
        Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, x, y, &argb);
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

void moveCursorTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void leftButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

std::vector<unsigned char> chunkOf(PluginInstance& plugin) {
    void* data = nullptr;
    const intptr_t size = plugin.dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return {};
    return std::vector<unsigned char>(static_cast<unsigned char*>(data),
                                      static_cast<unsigned char*>(data) + size);
}

void checkOpenPaintAndDrag(CheckReport& report, const PluginModule& module, const char* backgroundPath) {
    HostWindow host("Orbitone host", 0, 0);
    PluginInstance plugin(module);
    plugin.start();
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    report.check(rect && rect->right == 1130 && rect->bottom == 540, "editor rectangle 1130 x 540");
    report.check(!classRegistered(module), "no frame class before the first editor");
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    report.check(frame != nullptr, "the frame window is a child of the host window, class \"Plugin%p\"");
    if (!frame) return;
    RECT client;
    GetClientRect(frame, &client);
    report.check(client.right == 1130 && client.bottom == 540, "frame window is 1130 x 540");
    editor.cycles(3);

    HDC dc = GetDC(frame);
    const COLORREF shown = GetPixel(dc, 5, 5);
    ReleaseDC(frame, dc);
    const COLORREF expected = imagePixel(backgroundPath, 5, 5);
    report.check(shown == expected, "a paint shows the panel background in the window",
                 "window " + std::to_string(shown) + ", image " + std::to_string(expected));

    const float beforeX = plugin.effect()->getParameter(plugin.effect(), 0);
    const float beforeY = plugin.effect()->getParameter(plugin.effect(), 1);
    SetForegroundWindow(host.handle());
    moveCursorTo(frame, kRadarLeft + 250, kRadarTop + 250);
    editor.cycles(2);
    leftButton(true);
    editor.cycles(2);
    for (int step = 1; step <= 5; ++step) {
        moveCursorTo(frame, kRadarLeft + 250 - 25 * step, kRadarTop + 250 - 25 * step);
        editor.cycles(1);
    }
    editor.cycles(2);
    leftButton(false);
    editor.cycles(2);
    const float afterX = plugin.effect()->getParameter(plugin.effect(), 0);
    const float afterY = plugin.effect()->getParameter(plugin.effect(), 1);
    report.check(afterX < beforeX - 0.1f && afterY < beforeY - 0.1f,
                 "the drag moved CH1 towards the top left",
                 "x " + std::to_string(beforeX) + " -> " + std::to_string(afterX) + ", y " +
                     std::to_string(beforeY) + " -> " + std::to_string(afterY));
    bool automatedX = false, automatedY = false;
    for (const AutomationEvent& e : plugin.automation()) {
        automatedX |= e.index == 0;
        automatedY |= e.index == 1;
    }
    report.check(automatedX && automatedY, "the host was sent automation for both CH1 positions",
                 std::to_string(plugin.automation().size()) + " events");
    report.check(GetCapture() == nullptr, "the release gave the mouse capture back");
}

// Starts a left drag at the radar's centre and moves it up and to the left; answers CH1's position then.
std::pair<float, float> startDrag(PluginInstance& plugin, Editor& editor, HWND frame) {
    moveCursorTo(frame, kRadarLeft + 250, kRadarTop + 250);
    editor.cycles(2);
    leftButton(true);
    editor.cycles(2);
    moveCursorTo(frame, kRadarLeft + 150, kRadarTop + 175);  // u = 0.3, v = 0.35
    editor.cycles(2);
    return {plugin.effect()->getParameter(plugin.effect(), 0),
            plugin.effect()->getParameter(plugin.effect(), 1)};
}

// Plain moves over the radar after the drag lost the mouse: they must change and automate nothing.
void checkDragEnded(CheckReport& report, PluginInstance& plugin, Editor& editor, HWND frame,
                    std::pair<float, float> dragged, const std::string& how) {
    const size_t automationBefore = plugin.automation().size();
    for (int step = 1; step <= 4; ++step) {
        moveCursorTo(frame, kRadarLeft + 150 + 60 * step, kRadarTop + 175 + 50 * step);
        editor.cycles(1);
    }
    editor.cycles(2);
    const float x = plugin.effect()->getParameter(plugin.effect(), 0);
    const float y = plugin.effect()->getParameter(plugin.effect(), 1);
    report.check(std::fabs(x - dragged.first) < 1e-4f && std::fabs(y - dragged.second) < 1e-4f,
                 how + ": later plain moves drag nothing",
                 "x " + std::to_string(dragged.first) + " -> " + std::to_string(x) + ", y " +
                     std::to_string(dragged.second) + " -> " + std::to_string(y));
    report.equal(plugin.automation().size(), automationBefore, how + ": later plain moves automate nothing");
}

// Another window takes the mouse in the middle of a SendInput drag, as a host dialog or Alt-Tab does,
// so the release goes elsewhere; and a WM_CANCELMODE ends a second drag, released outside the editor.
// Either way the drag ends.
void checkLostCapture(CheckReport& report, const PluginModule& module) {
    HostWindow host("Orbitone capture host", 0, 0);
    PluginInstance plugin(module);
    plugin.start();
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    if (!report.check(frame != nullptr, "an editor for the capture checks")) return;
    editor.cycles(3);
    SetForegroundWindow(host.handle());

    std::pair<float, float> dragged = startDrag(plugin, editor, frame);
    report.check(dragged.first < 0.4f && dragged.second < 0.45f && GetCapture() == frame,
                 "a drag holding the capture moved CH1",
                 std::to_string(dragged.first) + ", " + std::to_string(dragged.second));
    SetCapture(host.handle());
    editor.cycles(1);
    leftButton(false);
    editor.cycles(1);
    ReleaseCapture();
    editor.cycles(1);
    checkDragEnded(report, plugin, editor, frame, dragged, "capture taken by another window");

    dragged = startDrag(plugin, editor, frame);
    SendMessageA(frame, WM_CANCELMODE, 0, 0);
    editor.cycles(1);
    report.check(GetCapture() != frame, "WM_CANCELMODE gives the capture back");
    // The release lands outside the editor, on the host's title bar, as it would on a dialog.
    moveCursorTo(frame, 300, -10);
    editor.cycles(1);
    leftButton(false);
    editor.cycles(1);
    checkDragEnded(report, plugin, editor, frame, dragged, "WM_CANCELMODE");
}

void checkTextDrop(CheckReport& report, const PluginModule& module) {
    HostWindow host("Orbitone drop host", 0, 0);
    PluginInstance plugin(module);
    plugin.start();
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    editor.cycles(3);
    moveCursorTo(frame, 700, 300);  // beside the radar, over no control
    editor.cycles(2);
    const std::vector<unsigned char> before = chunkOf(plugin);
    const size_t automationBefore = plugin.automation().size();
    TextDataObject* data = new TextDataObject(L"dropped text");
    DropSource* source = new DropSource(4);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    report.equal<long>(result, DRAGDROP_S_DROP, "the text drag ends in a drop");
    report.equal<unsigned long>(source->lastFeedback(), DROPEFFECT_COPY, "the window offers the copy effect");
    report.equal<unsigned long>(effect, DROPEFFECT_COPY, "the drop is accepted with the copy effect");
    data->Release();
    source->Release();
    editor.cycles(2);
    report.check(chunkOf(plugin) == before && plugin.automation().size() == automationBefore,
                 "the drop changes nothing in the effect");
}

void checkSharedClass(CheckReport& report, const PluginModule& module) {
    HostWindow firstHost("first host", 0, 0);
    HostWindow secondHost("second host", 40, 40);
    PluginInstance first(module);
    PluginInstance second(module);
    first.dispatch(effEditOpen, 0, 0, firstHost.handle());
    second.dispatch(effEditOpen, 0, 0, secondHost.handle());
    const bool both = FindWindowExA(firstHost.handle(), nullptr, frameClassName(module).c_str(), nullptr) &&
                      FindWindowExA(secondHost.handle(), nullptr, frameClassName(module).c_str(), nullptr);
    report.check(both, "two editors open with the one class");
    first.dispatch(effEditClose);
    report.check(classRegistered(module), "the class stays while the second editor is open");
    second.dispatch(effEditClose);
    report.check(!classRegistered(module), "the class is unregistered with the last editor");
    first.dispatch(effEditOpen, 0, 0, firstHost.handle());
    report.check(classRegistered(module), "a new editor registers it again");
    first.dispatch(effEditClose);
}

}  // namespace

int main(int argc, char** argv) {
    CheckReport report("EditorWindowCheck");
    OleInitialize(nullptr);
    {
        const PluginModule module(argc > 1 ? argv[1] : "Orbitone.dll");
        if (report.check(module.loaded(), "LoadLibrary opens the DLL")) {
            checkOpenPaintAndDrag(report, module, argc > 2 ? argv[2] : "bg.png");
            checkLostCapture(report, module);
            checkTextDrop(report, module);
            checkSharedClass(report, module);
        }
    }
    OleUninitialize();
    return report.finish();
}
