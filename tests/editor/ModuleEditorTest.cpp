// The built module, loaded as a host loads it, shows its panel in a host window.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "HostWindow.h"
#include "plugin/sdk/aeffect.h"

using namespace editortest;

namespace {
intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}
}  // namespace

TEST(ModuleEditor, RealEffectOpensPaintsAndClosesItsEditor) {
    void* module = dlopen(ORBITONE_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(module, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    AEffect* effect = entry(hostCallback);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
    ERect* rect = nullptr;
    ASSERT_NE(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0), 0);
    EXPECT_EQ(rect->right - rect->left, 1130);
    EXPECT_EQ(rect->bottom - rect->top, 540);
    {
        HostWindow host;
        for (int round = 0; round < 2; ++round) {
            EXPECT_NE(effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0), 0);
            // Idles with the window exposed: each paints the real panel.
            for (int i = 0; i < 3; ++i) {
                host.exposeChildren();
                effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0);
            }
            EXPECT_EQ(host.children().size(), 1u);
            effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0);
            EXPECT_TRUE(host.children().empty());
        }
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
    dlclose(module);
}
