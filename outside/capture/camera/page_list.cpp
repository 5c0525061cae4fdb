#include "outside/capture/camera/page_list.h"

namespace kz8::capture::testkit {

HRESULT handOutPage(const CLSID& page, CAUUID* pages) {
    if (!pages) return E_POINTER;
    auto* pageIds = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pageIds) return E_OUTOFMEMORY;
    *pageIds = page;
    pages->cElems = 1;
    pages->pElems = pageIds;
    return S_OK;
}

}  // namespace kz8::capture::testkit
