#include "audio/portable/stream_source.h"

namespace kz8::audio {

namespace {

// Owns an opened caller stream: its destructor is the stream's close.
class CallbackSource final : public ByteSource {
public:
    CallbackSource(const StreamSource& functions, uint32_t userValue)
        : fn_(functions), user_(userValue) {}
    ~CallbackSource() override { fn_.close(fn_.context, user_); }

    bool takeSize() { return fn_.size(fn_.context, user_, &size_) != 0; }

    bool read(void* buffer, uint32_t count, uint32_t& got) override {
        got = 0;
        if (fn_.read(fn_.context, user_, buffer, count, &got) == 0) return false;
        // A stream that claims more than was asked for is not believed.
        if (got > count) got = count;
        return true;
    }

    bool seek(int32_t offset, SeekOrigin origin, uint32_t& position) override {
        int32_t at = offset;
        if (fn_.seek(fn_.context, user_, &at, int32_t(origin)) == 0) return false;
        position = uint32_t(at);
        return true;
    }

    uint32_t size() const override { return size_; }

private:
    StreamSource fn_;
    uint32_t user_;
    uint32_t size_ = 0;
};

}  // namespace

OpenedStream openStreamSource(const StreamSource& functions) {
    OpenedStream opened;
    if (!functions.complete()) return opened;
    uint32_t userValue = 0;
    uint8_t flag = 0;
    if (functions.open(functions.context, &userValue, &flag) == 0) return opened;
    auto source = std::make_unique<CallbackSource>(functions, userValue);
    if (!source->takeSize()) return opened;  // closes the stream
    opened.source = std::move(source);
    opened.userValue = userValue;
    opened.flag = flag;
    return opened;
}

}  // namespace kz8::audio
