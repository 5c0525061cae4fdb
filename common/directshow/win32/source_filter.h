// A source filter with one output stream. The derived filter owns its
// SourceStream (as a ComClass<> member) and says whether it is live.
#pragma once

#include "common/directshow/win32/base_filter.h"
#include "common/directshow/win32/source_stream.h"

namespace kz8::directshow {

class SourceFilter : public BaseFilter {
public:
    using BaseFilter::BaseFilter;

    int pinCount() override;
    BasePin* pin(int index) override;

protected:
    virtual SourceStream& stream() = 0;
};

}  // namespace kz8::directshow
