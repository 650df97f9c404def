#pragma once
#include <windows.h>

#include <string>

#include "ComPtr.h"

namespace com {

// Creates a class of one of the program's own DLLs by class identifier,
// loading the DLL from the program's folder, so nothing has to be registered.
HRESULT CreateFromDll(const wchar_t* dllName, REFCLSID clsid, REFIID iid, void** out);

template <class T>
Ptr<T> CreateFromDll(const wchar_t* dllName, REFCLSID clsid) {
    Ptr<T> p;
    CreateFromDll(dllName, clsid, __uuidof(T), p.OutVoid());
    return p;
}

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

}  // namespace com
