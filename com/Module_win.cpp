#include "Module.h"

namespace com {
namespace {
LONG gLocks = 0;
}

void ModuleLock() {
    InterlockedIncrement(&gLocks);
}
void ModuleUnlock() {
    InterlockedDecrement(&gLocks);
}
LONG ModuleLockCount() {
    return gLocks;
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&gLocks), &module);
    return module;
}

}  // namespace com
