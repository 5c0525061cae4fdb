#include "common/directshow/win32/source_filter.h"

namespace kz8::directshow {

int SourceFilter::pinCount() { return 1; }

BasePin* SourceFilter::pin(int index) { return index == 0 ? &stream() : nullptr; }

}  // namespace kz8::directshow
