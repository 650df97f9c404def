#pragma once

// The mark table lives with the shared records, read alike by the tools and the editor.
#include "records/Marks.h"

namespace notaline {
using namespace tessaly::marks;
}  // namespace notaline
