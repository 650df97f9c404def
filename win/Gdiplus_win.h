#pragma once

// GDI+ headers use min and max unqualified; the build defines NOMINMAX.
#include <windows.h>
// Left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers.
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
