// DIB bytes in movable global memory: the form in which pictures cross
// module boundaries.
#pragma once

#include <cstdint>
#include <vector>

#include "common/portable/dib.h"
#include "common/win32/handles.h"

namespace kz8 {
inline namespace common {

// Copies bytes into a new movable block; empty when memory runs out.
GlobalMemory copyToGlobal(const std::vector<uint8_t>& bytes);

// A checked view of the DIB in a locked block; nothing when the block does not
// hold a whole valid DIB.
std::optional<DibView> viewDib(const GlobalLockGuard& lock, std::string* error = nullptr);

}  // namespace common
}  // namespace kz8
