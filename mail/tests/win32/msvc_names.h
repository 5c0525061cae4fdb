// The name MSVC gives an Email.dll export in this tree: tests bind the
// library's functions as an MSVC-built host would.
#pragma once

#ifdef _WIN64
#define MSVC_NAME(name64, name32) name64
#else
#define MSVC_NAME(name64, name32) name32
#endif
