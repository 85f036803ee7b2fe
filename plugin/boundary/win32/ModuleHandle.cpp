#include "plugin/boundary/win32/ModuleHandle.h"

namespace platform {

HMODULE moduleHandle() {
    // The module holding this very function is ours; the handle stays valid while the code runs.
    static const HMODULE module = [] {
        HMODULE found = nullptr;
        const DWORD flags =
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
        if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&moduleHandle), &found)) return HMODULE{};
        return found;
    }();
    return module;
}

}  // namespace platform
