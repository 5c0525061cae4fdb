#include "common/directshow/win32/property_page.h"

#include <cstring>
#include <cwchar>

#include "common/directshow/win32/hresult.h"

namespace kz8::directshow {

namespace {

// Where the size sits in the two layouts of a dialog template.
constexpr size_t kTemplateSizeOffset = 14;
constexpr size_t kExtendedTemplateSizeOffset = 22;
constexpr WORD kExtendedTemplateSignature = 0xFFFF;

// The width and height of a dialog template, in dialog units.
SIZE templateDialogUnits(HMODULE module, WORD dialogId) {
    HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(dialogId), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    size_t size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes || size < 4) return SIZE{0, 0};

    WORD signature;
    std::memcpy(&signature, bytes + 2, sizeof signature);
    size_t offset =
        signature == kExtendedTemplateSignature ? kExtendedTemplateSizeOffset : kTemplateSizeOffset;
    if (size < offset + 4) return SIZE{0, 0};
    short units[2];
    std::memcpy(units, bytes + offset, sizeof units);
    return SIZE{units[0], units[1]};
}

}  // namespace

PropertyPage::PropertyPage(HMODULE module, WORD dialogId, const wchar_t* title)
    : module_(module), dialogId_(dialogId), title_(title) {}

PropertyPage::~PropertyPage() { Deactivate(); }

void* PropertyPage::interfaceFor(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) return static_cast<IPropertyPage*>(this);
    return nullptr;
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
    site_ = retain(site);
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (!rect) return E_POINTER;
    if (dialog_) return E_UNEXPECTED;
    dialog_.reset(CreateDialogParamW(module_, MAKEINTRESOURCEW(dialogId_), parent, dialogProcedure,
                                     reinterpret_cast<LPARAM>(this)));
    if (!dialog_) return E_FAIL;
    return Move(rect);
}

// The dialog forgets the page first: destruction sends it messages, and
// the page may be half gone by then.
STDMETHODIMP PropertyPage::Deactivate() {
    if (!dialog_) return E_UNEXPECTED;
    SetWindowLongPtrW(dialog_.get(), DWLP_USER, 0);
    dialog_.reset();
    return S_OK;
}

// The frame turns the size back into dialog units with the system's base
// units, so converting with the same units keeps the template's size.
SIZE PropertyPage::templateSize() const {
    SIZE units = templateDialogUnits(module_, dialogId_);
    LONG base = GetDialogBaseUnits();
    return SIZE{MulDiv(units.cx, LOWORD(base), 4), MulDiv(units.cy, HIWORD(base), 8)};
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    size_t bytes = (title_.size() + 1) * sizeof(wchar_t);
    auto* title = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!title) return E_OUTOFMEMORY;
    std::wmemcpy(title, title_.c_str(), title_.size() + 1);
    *info = PROPPAGEINFO{};
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = title;
    info->size = templateSize();
    return S_OK;
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    return hresultOf([&] {
        if (count != 0) checkPointer(objects);
        objects_.clear();
        for (ULONG i = 0; i < count; ++i) objects_.push_back(retain(objects[i]));
    });
}

STDMETHODIMP PropertyPage::Show(UINT command) {
    if (!dialog_) return E_UNEXPECTED;
    ShowWindow(dialog_.get(), static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (!dialog_) return E_UNEXPECTED;
    MoveWindow(dialog_.get(), rect->left, rect->top, rect->right - rect->left,
               rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP PropertyPage::IsPageDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP PropertyPage::Apply() {
    if (!dirty_) return S_OK;
    HRESULT applied = hresultOf([&] { return apply(); });
    if (SUCCEEDED(applied)) dirty_ = false;
    return applied;
}

STDMETHODIMP PropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP PropertyPage::TranslateAccelerator(MSG*) { return S_FALSE; }

void PropertyPage::setDirty(bool dirty) {
    dirty_ = dirty;
    if (dirty && site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

void PropertyPage::onInit(HWND) {}

INT_PTR PropertyPage::onMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK PropertyPage::dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<PropertyPage*>(lParam)->onInit(dialog);
        return TRUE;
    }
    auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return page ? page->onMessage(dialog, message, wParam, lParam) : FALSE;
}

}  // namespace kz8::directshow
