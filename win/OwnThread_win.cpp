#include "win/OwnThread.h"

namespace win {
namespace {

// The last message this thread took from its queue, until a window procedure has looked at it.
struct Watch {
    HHOOK hook = nullptr;
    int users = 0;
    bool pending = false;
    UINT msg = 0;
    LPARAM lParam = 0;
};

thread_local Watch watch;

LRESULT CALLBACK OnQueueMessage(int code, WPARAM removed, LPARAM lParam) {
    if (code == HC_ACTION && removed == PM_REMOVE) {
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        watch.pending = true;
        watch.msg = m->message;
        watch.lParam = m->lParam;
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

PostedMessageWatch::PostedMessageWatch() {
    if (watch.users++ == 0)
        watch.hook = SetWindowsHookExW(WH_GETMESSAGE, OnQueueMessage, nullptr, GetCurrentThreadId());
}

PostedMessageWatch::~PostedMessageWatch() {
    if (--watch.users > 0) return;
    if (watch.hook) UnhookWindowsHookEx(watch.hook);
    watch = Watch{};
}

bool SentOnOwnThread(UINT msg, LPARAM lParam) {
    if (!watch.hook) return false;
    if (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) return false;
    // A posted message reaches its window straight from the queue: the hook saw it first.
    if (watch.pending && watch.msg == msg && watch.lParam == lParam) {
        watch.pending = false;
        return false;
    }
    return true;
}

bool AddressFromOwnThread(UINT msg, LPARAM lParam) {
    return lParam != 0 && SentOnOwnThread(msg, lParam);
}

}  // namespace win
