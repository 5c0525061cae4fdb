#include "common/directshow/win32/live_objects.h"

namespace kz8::directshow {

namespace {
// Touched from any thread: streaming threads release samples and pins too.
volatile LONG objects = 0;
volatile LONG locks = 0;
}  // namespace

void LiveObjects::objectCreated() { InterlockedIncrement(&objects); }
void LiveObjects::objectDestroyed() { InterlockedDecrement(&objects); }

void LiveObjects::lockServer(bool lock) {
    if (lock) {
        InterlockedIncrement(&locks);
    } else {
        InterlockedDecrement(&locks);
    }
}

LONG LiveObjects::objectCount() { return InterlockedCompareExchange(&objects, 0, 0); }
LONG LiveObjects::serverLocks() { return InterlockedCompareExchange(&locks, 0, 0); }

}  // namespace kz8::directshow
