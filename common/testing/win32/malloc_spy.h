// Every block of COM task memory allocated while the spy is in place, and
// whether it was freed again: a test that connects, enumerates and
// disconnects filters asks it whether any media type or name was left
// behind.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <objidl.h>

#include <set>

#include "common/win32/critical_section.h"

namespace kz8::testkit {

class MallocSpy : public IMallocSpy {
public:
    // Registered with COM for its lifetime.
    MallocSpy();
    ~MallocSpy();
    MallocSpy(const MallocSpy&) = delete;
    MallocSpy& operator=(const MallocSpy&) = delete;

    bool registered() const { return registered_; }
    // Blocks allocated through the spy and not freed yet.
    size_t outstanding();

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T request) override { return request; }
    STDMETHODIMP_(void*) PostAlloc(void* actual) override;
    STDMETHODIMP_(void*) PreFree(void* request, BOOL spied) override;
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T)
    PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL spied) override;
    STDMETHODIMP_(void*) PostRealloc(void* actual, BOOL spied) override;
    STDMETHODIMP_(void*) PreGetSize(void* request, BOOL) override { return request; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    STDMETHODIMP_(void*) PreDidAlloc(void* request, BOOL) override { return request; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

private:
    CriticalSection guard_;
    std::set<void*> blocks_;
    bool registered_ = false;
};

}  // namespace kz8::testkit
