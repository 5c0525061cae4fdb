# The frame decoder (reader, libmpg123 fed frame by frame, block assembly)
# into a sink that discards, against the mpg123 program decoding the same
# three-minute 128 kbit/s file to /dev/null.
set(KZ8_BENCH_SONG ${CMAKE_BINARY_DIR}/bench-data/three-minutes-128k.mp3)
add_custom_command(OUTPUT ${KZ8_BENCH_SONG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bench-data
    COMMAND ffmpeg -v error -y -f lavfi
        -i "sine=frequency=330:sample_rate=44100:duration=180" -f lavfi
        -i "anoisesrc=color=pink:sample_rate=44100:duration=180:amplitude=0.2"
        -filter_complex amix=inputs=2 -ac 2 -c:a libmp3lame -b:a 128k ${KZ8_BENCH_SONG}
    COMMENT "Making a three-minute 128 kbit/s MP3 for the decoder benchmark")
add_custom_target(bench_decoder_data DEPENDS ${KZ8_BENCH_SONG})
kz8_benchmark(bench_decoder SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_decoder.cpp
    DEPS kz8_audio_portable ARGS ${KZ8_BENCH_SONG})
add_dependencies(run_bench_decoder bench_decoder_data)
