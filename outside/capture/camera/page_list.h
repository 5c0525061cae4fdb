// ISpecifyPropertyPages::GetPages for an object with a single page.
#pragma once

#include <windows.h>

#include <ocidl.h>

namespace kz8::capture::testkit {

HRESULT handOutPage(const CLSID& page, CAUUID* pages);

}  // namespace kz8::capture::testkit
