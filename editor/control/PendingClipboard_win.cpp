// Until its module is written, the clipboard formats: do nothing, so the control runs without it.
#include "control/Handlers_win.h"

namespace notaline {

bool CopyWordsToClipboard(Editor&, int32_t, int32_t) {
    return false;
}
bool ReadClipboardWords(Editor&) {
    return false;
}

}  // namespace notaline
