// A Win32 critical section and its scoped lock, for state that two threads
// change (the audio player's client and playback threads, for one).
#pragma once

#include <windows.h>

namespace kz8 {
inline namespace common {

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() { EnterCriticalSection(&section_); }
    void leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

class SectionLock {
public:
    explicit SectionLock(CriticalSection& section) : section_(section) { section_.enter(); }
    ~SectionLock() { section_.leave(); }
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

private:
    CriticalSection& section_;
};

}  // namespace common
}  // namespace kz8
