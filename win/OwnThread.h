#pragma once
#include <windows.h>

namespace win {

// While one exists on a thread, the messages taken from that thread's queue are watched, so that
// a posted message is told from one sent on the thread itself (InSendMessageEx reports both alike).
// Made and dropped on the thread of the windows whose addresses it guards.
class PostedMessageWatch {
public:
    PostedMessageWatch();
    ~PostedMessageWatch();
    PostedMessageWatch(const PostedMessageWatch&) = delete;
    PostedMessageWatch& operator=(const PostedMessageWatch&) = delete;
};

// True when message `msg` now being handled was sent by a call on the receiver's own thread:
// false for one posted, or sent from another thread or process, and for any while no
// PostedMessageWatch exists on the thread.
bool SentOnOwnThread(UINT msg, LPARAM lParam);

// An address in lParam means something only when the message was sent on the receiver's own
// thread; a null one is refused too.
bool AddressFromOwnThread(UINT msg, LPARAM lParam);

}  // namespace win
