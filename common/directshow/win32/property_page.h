// IPropertyPage over a dialog template of a module: the page is a modeless
// child dialog made in Activate and destroyed in Deactivate. The derived
// page fills the dialog from objects() in onInit, reacts in onMessage
// (calling setDirty when the user changes something) and writes the
// settings back to the objects in apply.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <string>
#include <vector>

#include "common/directshow/win32/com_object.h"
#include "common/win32/handles.h"

namespace kz8::directshow {

struct DialogWindowTraits {
    using Handle = HWND;
    static Handle empty() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { ::DestroyWindow(h); }
};
using DialogWindow = UniqueHandle<DialogWindowTraits>;

class PropertyPage : public ComObject, public IPropertyPage {
public:
    PropertyPage(HMODULE module, WORD dialogId, const wchar_t* title);
    ~PropertyPage() override;

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    // WM_INITDIALOG: fill the controls from objects().
    virtual void onInit(HWND dialog);
    // Any other dialog message; TRUE when handled, as in a dialog procedure.
    virtual INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Writes the page's settings to objects().
    virtual HRESULT apply() { return S_OK; }

    void setDirty(bool dirty);
    const std::vector<ComPtr<IUnknown>>& objects() const { return objects_; }
    HWND dialog() const { return dialog_.get(); }

    void* interfaceFor(REFIID iid) override;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    SIZE templateSize() const;

    HMODULE module_;
    WORD dialogId_;
    std::wstring title_;
    ComPtr<IPropertyPageSite> site_;
    std::vector<ComPtr<IUnknown>> objects_;
    DialogWindow dialog_;
    bool dirty_ = false;
};

}  // namespace kz8::directshow
