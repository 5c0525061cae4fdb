# The MP3 stream reader against ffprobe's packet listing, on a one-hour
# 128 kbit/s file made once into the build folder from a generated tone.
set(KZ8_BENCH_MP3 ${CMAKE_BINARY_DIR}/bench-data/one-hour-128k.mp3)
add_custom_command(OUTPUT ${KZ8_BENCH_MP3}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bench-data
    COMMAND ffmpeg -v error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=3600"
        -ac 2 -c:a libmp3lame -b:a 128k -write_xing 0 -id3v2_version 0 ${KZ8_BENCH_MP3}
    COMMENT "Making a one-hour 128 kbit/s MP3 for the reader benchmark")
add_custom_target(bench_mp3_reader_data DEPENDS ${KZ8_BENCH_MP3})
kz8_benchmark(bench_mp3_reader SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_mp3_reader.cpp
    DEPS kz8_audio_portable ARGS ${KZ8_BENCH_MP3})
add_dependencies(run_bench_mp3_reader bench_mp3_reader_data)
