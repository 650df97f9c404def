#include "model/document/StoredWord.h"

namespace notaline {

// Shared by every document of the process: a document's fonts and marks are few and repeat, and
// a backup written on another thread reads them while the editor adds new ones.
InternPool<tessaly::mLogFont>& FontPool() {
    static InternPool<tessaly::mLogFont> pool;
    return pool;
}

InternPool<MarkSlotArray>& MarkSlotPool() {
    static InternPool<MarkSlotArray> pool;
    return pool;
}

}  // namespace notaline
