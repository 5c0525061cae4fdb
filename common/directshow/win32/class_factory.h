// The COM server side of a DLL: a class factory per class, and the bodies of
// DllGetClassObject and DllCanUnloadNow over a table of our classes.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <cstddef>

#include "common/directshow/win32/com_object.h"

namespace kz8::directshow {

// Makes a new object and queries it for iid (CoCreateInstance's contract);
// may throw std::bad_alloc.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);

struct ClassEntry {
    const CLSID& clsid;
    CreateFunction create;
};

class ClassFactory : public ComObject, public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create);

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

protected:
    void* interfaceFor(REFIID iid) override;

private:
    CreateFunction create_;
};

HRESULT dllGetClassObject(const ClassEntry* table, size_t count, REFCLSID clsid, REFIID iid,
                          void** out);

template <size_t N>
HRESULT dllGetClassObject(const ClassEntry (&table)[N], REFCLSID clsid, REFIID iid, void** out) {
    return dllGetClassObject(table, N, clsid, iid, out);
}

// S_OK once no object of ours lives and no server lock is held.
HRESULT dllCanUnloadNow();

}  // namespace kz8::directshow
