#include "common/directshow/win32/class_factory.h"

#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/live_objects.h"

namespace kz8::directshow {

ClassFactory::ClassFactory(CreateFunction create) : create_(create) {}

void* ClassFactory::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    return hresultOf([&] {
        checkPointer(out);
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return create_(iid, out);
    });
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    LiveObjects::lockServer(lock != FALSE);
    return S_OK;
}

HRESULT dllGetClassObject(const ClassEntry* table, size_t count, REFCLSID clsid, REFIID iid,
                          void** out) {
    return hresultOf([&] {
        checkPointer(out);
        *out = nullptr;
        for (size_t i = 0; i < count; ++i) {
            if (table[i].clsid == clsid) {
                return makeComObject<IClassFactory, ClassFactory>(table[i].create)
                    ->QueryInterface(iid, out);
            }
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    });
}

HRESULT dllCanUnloadNow() { return LiveObjects::canUnload() ? S_OK : S_FALSE; }

}  // namespace kz8::directshow
