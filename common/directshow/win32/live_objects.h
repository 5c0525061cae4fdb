// The module's count of live COM objects and server locks, which is all that
// DllCanUnloadNow needs to know. Each DLL linking this library has its own.
#pragma once

#include <windows.h>

namespace kz8::directshow {

class LiveObjects {
public:
    static void objectCreated();
    static void objectDestroyed();
    static void lockServer(bool lock);

    static LONG objectCount();
    static LONG serverLocks();
    static bool canUnload() { return objectCount() == 0 && serverLocks() == 0; }
};

}  // namespace kz8::directshow
