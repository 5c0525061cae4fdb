// Reference counting for our COM objects. A class derives from ComObject (or,
// for a pin, from BasePin, whose count is its filter's) and names its
// interfaces in interfaceFor(); ComClass<> then writes the IUnknown methods
// once, so that they answer for every interface the class derives from.
#pragma once

#include <objbase.h>

#include <atomic>
#include <utility>

#include "common/directshow/win32/live_objects.h"
#include "common/win32/handles.h"

namespace kz8::directshow {

class ComObject {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG addRef() { return ++references_; }
    ULONG release() {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT queryInterface(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = interfaceFor(iid);
        if (!*out) return E_NOINTERFACE;
        addRef();
        return S_OK;
    }

protected:
    // Born with one reference, the creator's.
    ComObject() { LiveObjects::objectCreated(); }
    virtual ~ComObject() { LiveObjects::objectDestroyed(); }

    // The interface iid names on this object (IUnknown included), or null.
    virtual void* interfaceFor(REFIID iid) = 0;

private:
    std::atomic<ULONG> references_{1};
};

template <typename Class>
class ComClass final : public Class {
public:
    using Class::Class;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return Class::queryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return Class::addRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Class::release(); }
};

// A new object of Class, its first reference held by the result.
template <typename Interface, typename Class, typename... Args>
ComPtr<Interface> makeComObject(Args&&... args) {
    return ComPtr<Interface>(new ComClass<Class>(std::forward<Args>(args)...));
}

// A reference of our own to an interface someone handed us.
template <typename Interface>
ComPtr<Interface> retain(Interface* object) {
    if (object) object->AddRef();
    return ComPtr<Interface>(object);
}

// Gives the caller a reference of its own through an out-parameter.
template <typename Interface>
void handOut(Interface* object, Interface** out) {
    *out = object;
    if (object) object->AddRef();
}

}  // namespace kz8::directshow
