// The editor of Orbitone.dll in a host window under a display: the window class, a paint that
// shows the panel, a left press and drag on the radar through SendInput that reaches the effect
// and the host's automation, an OLE text drop that is accepted with the copy effect and changes
// nothing, a drag that ends when another window takes the mouse, and the class shared by two editors.
// Usage: EditorWindowCheck <path to Orbitone.dll> <path to bg.png>
#include <gtest/gtest.h>
#include <ole2.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "tests/host/TestHost.h"
#include "tests/windows/CheckMain.h"
#include "tests/windows/DropSource.h"
#include "tests/windows/HostWindow.h"

namespace {

constexpr int kRadarLeft = 20, kRadarTop = 20;

std::string frameClassName(const TestModule& module) {
    char name[64];
    std::snprintf(name, sizeof name, "Plugin%p", module.handle());
    return name;
}

bool classRegistered(const TestModule& module) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(static_cast<HMODULE>(module.handle()), frameClassName(module).c_str(), &info) != 0;
}

struct Editor {
    TestInstance& plugin;
    HWND host;
    Editor(TestInstance& p, HWND h) : plugin(p), host(h) { plugin.dispatch(effEditOpen, 0, 0, host); }
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

void checkOpenPaintAndDrag(const TestModule& module, const char* backgroundPath) {
    HostWindow host("Orbitone host", 0, 0);
    TestInstance plugin(module, "VSTPluginMain");
    plugin.start();
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_TRUE(rect && rect->right == 1130 && rect->bottom == 540) << "editor rectangle 1130 x 540";
    EXPECT_TRUE(!classRegistered(module)) << "no frame class before the first editor";
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    ASSERT_NE(frame, nullptr) << "the frame window is a child of the host window, class \"Plugin%p\"";
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_TRUE(client.right == 1130 && client.bottom == 540) << "frame window is 1130 x 540";
    editor.cycles(3);

    HDC dc = GetDC(frame);
    const COLORREF shown = GetPixel(dc, 5, 5);
    ReleaseDC(frame, dc);
    const COLORREF expected = imagePixel(backgroundPath, 5, 5);
    EXPECT_TRUE(shown == expected) << "a paint shows the panel background in the window"
                                   << ": "
                                   << "window " + std::to_string(shown) + ", image " +
                                          std::to_string(expected);

    const float beforeX = plugin.getParameter(0);
    const float beforeY = plugin.getParameter(1);
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
    const float afterX = plugin.getParameter(0);
    const float afterY = plugin.getParameter(1);
    EXPECT_TRUE(afterX < beforeX - 0.1f && afterY < beforeY - 0.1f)
        << "the drag moved CH1 towards the top left"
        << ": "
        << "x " + std::to_string(beforeX) + " -> " + std::to_string(afterX) + ", y " +
               std::to_string(beforeY) + " -> " + std::to_string(afterY);
    bool automatedX = false, automatedY = false;
    for (const AutomateCall& e : plugin.host().automations) {
        automatedX |= e.index == 0;
        automatedY |= e.index == 1;
    }
    EXPECT_TRUE(automatedX && automatedY)
        << "the host was sent automation for both CH1 positions"
        << ": " << std::to_string(plugin.host().automations.size()) + " events";
    EXPECT_TRUE(GetCapture() == nullptr) << "the release gave the mouse capture back";
}

// Starts a left drag at the radar's centre and moves it up and to the left; answers CH1's position then.
std::pair<float, float> startDrag(TestInstance& plugin, Editor& editor, HWND frame) {
    moveCursorTo(frame, kRadarLeft + 250, kRadarTop + 250);
    editor.cycles(2);
    leftButton(true);
    editor.cycles(2);
    moveCursorTo(frame, kRadarLeft + 150, kRadarTop + 175);  // u = 0.3, v = 0.35
    editor.cycles(2);
    return {plugin.getParameter(0), plugin.getParameter(1)};
}

// Plain moves over the radar after the drag lost the mouse: they must change and automate nothing.
void checkDragEnded(TestInstance& plugin, Editor& editor, HWND frame, std::pair<float, float> dragged,
                    const std::string& how) {
    const size_t automationBefore = plugin.host().automations.size();
    for (int step = 1; step <= 4; ++step) {
        moveCursorTo(frame, kRadarLeft + 150 + 60 * step, kRadarTop + 175 + 50 * step);
        editor.cycles(1);
    }
    editor.cycles(2);
    const float x = plugin.getParameter(0);
    const float y = plugin.getParameter(1);
    EXPECT_TRUE(std::fabs(x - dragged.first) < 1e-4f && std::fabs(y - dragged.second) < 1e-4f)
        << how + ": later plain moves drag nothing"
        << ": "
        << "x " + std::to_string(dragged.first) + " -> " + std::to_string(x) + ", y " +
               std::to_string(dragged.second) + " -> " + std::to_string(y);
    EXPECT_EQ(plugin.host().automations.size(), automationBefore)
        << how + ": later plain moves automate nothing";
}

// Another window takes the mouse in the middle of a SendInput drag, as a host dialog or Alt-Tab does,
// so the release goes elsewhere; and a WM_CANCELMODE ends a second drag, released outside the editor.
// Either way the drag ends.
void checkLostCapture(const TestModule& module) {
    HostWindow host("Orbitone capture host", 0, 0);
    TestInstance plugin(module, "VSTPluginMain");
    plugin.start();
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    ASSERT_TRUE(frame != nullptr) << "an editor for the capture checks";
    editor.cycles(3);
    SetForegroundWindow(host.handle());

    std::pair<float, float> dragged = startDrag(plugin, editor, frame);
    EXPECT_TRUE(dragged.first < 0.4f && dragged.second < 0.45f && GetCapture() == frame)
        << "a drag holding the capture moved CH1"
        << ": " << std::to_string(dragged.first) + ", " + std::to_string(dragged.second);
    SetCapture(host.handle());
    editor.cycles(1);
    leftButton(false);
    editor.cycles(1);
    ReleaseCapture();
    editor.cycles(1);
    checkDragEnded(plugin, editor, frame, dragged, "capture taken by another window");

    dragged = startDrag(plugin, editor, frame);
    SendMessageA(frame, WM_CANCELMODE, 0, 0);
    editor.cycles(1);
    EXPECT_TRUE(GetCapture() != frame) << "WM_CANCELMODE gives the capture back";
    // The release lands outside the editor, on the host's title bar, as it would on a dialog.
    moveCursorTo(frame, 300, -10);
    editor.cycles(1);
    leftButton(false);
    editor.cycles(1);
    checkDragEnded(plugin, editor, frame, dragged, "WM_CANCELMODE");
}

void checkTextDrop(const TestModule& module) {
    HostWindow host("Orbitone drop host", 0, 0);
    TestInstance plugin(module, "VSTPluginMain");
    plugin.start();
    Editor editor(plugin, host.handle());
    HWND frame = FindWindowExA(host.handle(), nullptr, frameClassName(module).c_str(), "Window");
    editor.cycles(3);
    moveCursorTo(frame, 700, 300);  // beside the radar, over no control
    editor.cycles(2);
    const std::vector<uint8_t> before = plugin.chunk();
    const size_t automationBefore = plugin.host().automations.size();
    TextDataObject* data = new TextDataObject(L"dropped text");
    DropSource* source = new DropSource(4);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    EXPECT_EQ(static_cast<long>(result), static_cast<long>(DRAGDROP_S_DROP))
        << "the text drag ends in a drop";
    EXPECT_EQ(static_cast<unsigned long>(source->lastFeedback()), static_cast<unsigned long>(DROPEFFECT_COPY))
        << "the window offers the copy effect";
    EXPECT_EQ(static_cast<unsigned long>(effect), static_cast<unsigned long>(DROPEFFECT_COPY))
        << "the drop is accepted with the copy effect";
    data->Release();
    source->Release();
    editor.cycles(2);
    EXPECT_TRUE(plugin.chunk() == before && plugin.host().automations.size() == automationBefore)
        << "the drop changes nothing in the effect";
}

void checkSharedClass(const TestModule& module) {
    HostWindow firstHost("first host", 0, 0);
    HostWindow secondHost("second host", 40, 40);
    TestInstance first(module, "VSTPluginMain");
    TestInstance second(module, "VSTPluginMain");
    first.dispatch(effEditOpen, 0, 0, firstHost.handle());
    second.dispatch(effEditOpen, 0, 0, secondHost.handle());
    const bool both = FindWindowExA(firstHost.handle(), nullptr, frameClassName(module).c_str(), nullptr) &&
                      FindWindowExA(secondHost.handle(), nullptr, frameClassName(module).c_str(), nullptr);
    EXPECT_TRUE(both) << "two editors open with the one class";
    first.dispatch(effEditClose);
    EXPECT_TRUE(classRegistered(module)) << "the class stays while the second editor is open";
    second.dispatch(effEditClose);
    EXPECT_TRUE(!classRegistered(module)) << "the class is unregistered with the last editor";
    first.dispatch(effEditOpen, 0, 0, firstHost.handle());
    EXPECT_TRUE(classRegistered(module)) << "a new editor registers it again";
    first.dispatch(effEditClose);
}

// The DLL for all of them; OLE for the drops.
class EditorWindow : public testing::Test {
  protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }
    static const TestModule& dll() {
        static const TestModule module(checkArgument(0, "Orbitone.dll"));
        return module;
    }
};

}  // namespace

// In this order: the first one also checks that no editor has registered the frame class yet.
TEST_F(EditorWindow, OpensPaintsAndTakesARadarDrag) {
    ASSERT_TRUE(dll().loaded()) << "LoadLibrary opens the DLL";
    checkOpenPaintAndDrag(dll(), checkArgument(1, "bg.png").c_str());
}

TEST_F(EditorWindow, ADragEndsWhenTheMouseIsTaken) {
    ASSERT_TRUE(dll().loaded());
    checkLostCapture(dll());
}

TEST_F(EditorWindow, ATextDropIsAcceptedAndChangesNothing) {
    ASSERT_TRUE(dll().loaded());
    checkTextDrop(dll());
}

TEST_F(EditorWindow, EditorsShareOneFrameClass) {
    ASSERT_TRUE(dll().loaded());
    checkSharedClass(dll());
}
