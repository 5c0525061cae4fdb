#include "movie/portable/picture_scaler.h"

#include <algorithm>

namespace kz8::movie {

namespace {

// Weights are in 1/65536; a row scaled across keeps that scale, so the
// result is rounded only once, after the pass down.
constexpr uint32_t kOne = 1u << 16;
constexpr uint64_t kHalfOfOneSquared = uint64_t(1) << 31;

struct Tap {
    int source;
    uint32_t weight;
};

// The taps of target pixel i are taps[begin[i]] up to taps[begin[i + 1]].
struct AxisTaps {
    std::vector<size_t> begin;
    std::vector<Tap> taps;
};

// Lengths are in 1/outSize of a source pixel, so every edge is an integer.
// Rounding the running total rather than each share keeps the weights of
// one pixel adding up to exactly kOne.
void addAreaTaps(int target, int inSize, int outSize, std::vector<Tap>& taps) {
    const int64_t start = int64_t(target) * inSize, end = start + inSize;
    int64_t covered = 0;
    uint32_t given = 0;
    for (int64_t source = start / outSize; source * outSize < end; ++source) {
        covered += std::min((source + 1) * outSize, end) - std::max(source * outSize, start);
        const auto total = uint32_t((uint64_t(covered) * kOne + uint64_t(inSize) / 2) / inSize);
        if (total > given) taps.push_back({int(source), total - given});
        given = total;
    }
}

// Centres aligned: source = (target + 0.5) * in / out - 0.5, counted in
// 1/(2 * outSize) of a pixel. Growing means in <= out, which keeps the
// product below 2^63 for any int size.
void addBilinearTaps(int target, int inSize, int outSize, std::vector<Tap>& taps) {
    const int64_t halves = 2 * int64_t(outSize);
    const int64_t position = std::max<int64_t>((2 * int64_t(target) + 1) * inSize - outSize, 0);
    int64_t left = position / halves;
    auto fraction =
        uint32_t((uint64_t(position % halves) * kOne + uint64_t(halves) / 2) / uint64_t(halves));
    if (fraction == kOne) ++left, fraction = 0;
    if (fraction == 0 || left + 1 >= inSize) {
        taps.push_back({int(std::min<int64_t>(left, inSize - 1)), kOne});
        return;
    }
    taps.push_back({int(left), kOne - fraction});
    taps.push_back({int(left + 1), fraction});
}

AxisTaps axisTaps(int inSize, int outSize) {
    AxisTaps axis;
    axis.begin.reserve(size_t(outSize) + 1);
    for (int target = 0; target < outSize; ++target) {
        axis.begin.push_back(axis.taps.size());
        if (outSize < inSize)
            addAreaTaps(target, inSize, outSize, axis.taps);
        else
            addBilinearTaps(target, inSize, outSize, axis.taps);
    }
    axis.begin.push_back(axis.taps.size());
    return axis;
}

// Neighbouring target rows share the source rows at their edges, so the
// last two rows scaled across are kept.
class AcrossRows {
public:
    AcrossRows(const BgrPicture& from, const AxisTaps& across, int width)
        : from_(from), across_(across), width_(width) {}

    const std::vector<uint32_t>& row(int source) {
        for (int slot = 0; slot < 2; ++slot) {
            if (slots_[slot].source == source) {
                older_ = 1 - slot;
                return slots_[slot].values;
            }
        }
        Slot& slot = slots_[older_];
        older_ = 1 - older_;
        slot.source = source;
        scale(from_.rows.data() + size_t(source) * size_t(from_.width) * 3, slot.values);
        return slot.values;
    }

private:
    struct Slot {
        int source = -1;
        std::vector<uint32_t> values;
    };

    void scale(const uint8_t* row, std::vector<uint32_t>& values) const {
        values.resize(size_t(width_) * 3);
        for (int x = 0; x < width_; ++x) {
            uint32_t blue = 0, green = 0, red = 0;
            for (size_t t = across_.begin[x]; t < across_.begin[x + 1]; ++t) {
                const uint8_t* pixel = row + size_t(across_.taps[t].source) * 3;
                const uint32_t weight = across_.taps[t].weight;
                blue += weight * pixel[0];
                green += weight * pixel[1];
                red += weight * pixel[2];
            }
            values[size_t(x) * 3] = blue;
            values[size_t(x) * 3 + 1] = green;
            values[size_t(x) * 3 + 2] = red;
        }
    }

    const BgrPicture& from_;
    const AxisTaps& across_;
    const int width_;
    Slot slots_[2];
    int older_ = 0;
};

bool hasAllPixels(const BgrPicture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.rows.size() >= size_t(picture.width) * size_t(picture.height) * 3;
}

}  // namespace

BgrPicture scalePicture(const BgrPicture& from, int width, int height) {
    BgrPicture to;
    if (width <= 0 || height <= 0) return to;
    to.width = width;
    to.height = height;
    const size_t rowBytes = size_t(width) * 3;
    if (!hasAllPixels(from)) {
        to.rows.assign(rowBytes * size_t(height), 0);
        return to;
    }
    if (from.width == width && from.height == height) {
        to.rows.assign(from.rows.begin(), from.rows.begin() + rowBytes * size_t(height));
        return to;
    }
    to.rows.resize(rowBytes * size_t(height));
    const AxisTaps across = axisTaps(from.width, width), down = axisTaps(from.height, height);
    AcrossRows sourceRows(from, across, width);
    std::vector<uint64_t> sums(rowBytes);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (size_t t = down.begin[y]; t < down.begin[y + 1]; ++t) {
            const std::vector<uint32_t>& values = sourceRows.row(down.taps[t].source);
            const uint64_t weight = down.taps[t].weight;
            for (size_t i = 0; i < rowBytes; ++i) sums[i] += weight * values[i];
        }
        uint8_t* target = to.rows.data() + size_t(y) * rowBytes;
        for (size_t i = 0; i < rowBytes; ++i)
            target[i] = uint8_t((sums[i] + kHalfOfOneSquared) >> 32);
    }
    return to;
}

}  // namespace kz8::movie
