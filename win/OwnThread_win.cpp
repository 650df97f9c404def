#include "win/OwnThread.h"

namespace win {

bool AddressFromOwnThread(LPARAM lParam) {
    if (lParam == 0) return false;
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) == 0;
}

}  // namespace win
