// Until its module is written, printing, the pictures and the position dialog: do nothing, so the control runs without it.
#include "control/Handlers_win.h"

namespace notaline {

bool PrintDocument(Editor&, const std::wstring&) {
    return false;
}
bool SavePagePictures(Editor&, const std::wstring&) {
    return false;
}
void ShowFormSetYcYgPos(Editor&) {}

}  // namespace notaline
