#include "common/testing/win32/malloc_spy.h"

namespace kz8::testkit {

MallocSpy::MallocSpy() { registered_ = SUCCEEDED(CoRegisterMallocSpy(this)); }

MallocSpy::~MallocSpy() {
    if (registered_) CoRevokeMallocSpy();
}

size_t MallocSpy::outstanding() {
    SectionLock lock(guard_);
    return blocks_.size();
}

STDMETHODIMP MallocSpy::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object =
        iid == IID_IUnknown || iid == IID_IMallocSpy ? static_cast<IMallocSpy*>(this) : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP_(void*) MallocSpy::PostAlloc(void* actual) {
    SectionLock lock(guard_);
    if (actual) blocks_.insert(actual);
    return actual;
}

STDMETHODIMP_(void*) MallocSpy::PreFree(void* request, BOOL spied) {
    SectionLock lock(guard_);
    if (spied) blocks_.erase(request);
    return request;
}

STDMETHODIMP_(SIZE_T)
MallocSpy::PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL spied) {
    SectionLock lock(guard_);
    if (spied) blocks_.erase(request);
    *newRequest = request;
    return size;
}

STDMETHODIMP_(void*) MallocSpy::PostRealloc(void* actual, BOOL) {
    SectionLock lock(guard_);
    if (actual) blocks_.insert(actual);
    return actual;
}

}  // namespace kz8::testkit
