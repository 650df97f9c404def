// Until the alignment positions are gathered, no line can become a source line.
#include "control/Handlers_win.h"

namespace notaline {

bool ApplyCPdqLine(Editor&, int32_t) {
    return false;
}

}  // namespace notaline
