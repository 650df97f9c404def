#pragma once
#include <windows.h>

namespace com {

// Count of live objects and server locks of the module this kit is linked into.
void ModuleLock();
void ModuleUnlock();
LONG ModuleLockCount();

// The module (DLL or program) that this copy of the kit is linked into.
HMODULE ThisModule();

}  // namespace com
