# The movie export's core (driver, scaler, JPEG, writer) against ffmpeg
# making the same movie from the same raw frames and sound.
kz8_benchmark(bench_movie SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_movie.cpp
    DEPS kz8_movie_portable ARGS ${CMAKE_BINARY_DIR}/bench/movie)
