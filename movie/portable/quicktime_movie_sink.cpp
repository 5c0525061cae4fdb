#include "movie/portable/quicktime_movie_sink.h"

#include "movie/portable/jpeg_encoder.h"

namespace kz8::movie {

bool QuickTimeMovieSink::addFrame(const BgrPicture& frame, uint32_t duration) {
    const BgrPicture scaled = scalePicture(frame, kMovieWidth, kMovieHeight);
    const std::optional<std::vector<uint8_t>> jpeg = encodeJpeg(scaled);
    return jpeg && writer_.addFrame(jpeg->data(), jpeg->size(), duration);
}

bool QuickTimeMovieSink::finish(const std::vector<uint8_t>& sound) { return writer_.finish(sound); }

}  // namespace kz8::movie
