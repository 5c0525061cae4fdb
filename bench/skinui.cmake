# The template parser: parse, check and build a generated 200-control
# template, against Python's configparser reading the same text.
kz8_benchmark(bench_template SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_template.cpp
    DEPS kz8_skinui_portable)

# The bitmap reader on 12-megapixel 24-bit and RLE8 files, against
# ImageMagick's convert decoding the same files (its start-up included).
set(KZ8_BENCH_BMP24 ${CMAKE_BINARY_DIR}/bench-data/photo-12mp-24.bmp)
set(KZ8_BENCH_BMP8 ${CMAKE_BINARY_DIR}/bench-data/photo-12mp-rle8.bmp)
add_custom_command(OUTPUT ${KZ8_BENCH_BMP24} ${KZ8_BENCH_BMP8}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bench-data
    COMMAND convert -size 4000x3000 -seed 4 plasma:red-blue -type TrueColor BMP3:${KZ8_BENCH_BMP24}
    COMMAND convert ${KZ8_BENCH_BMP24} -colors 64 -type Palette -compress RLE BMP3:${KZ8_BENCH_BMP8}
    COMMENT "Making 12-megapixel bitmaps for the bitmap reader benchmark")
add_custom_target(bench_bitmap_data DEPENDS ${KZ8_BENCH_BMP24} ${KZ8_BENCH_BMP8})
kz8_benchmark(bench_bitmap SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_bitmap.cpp
    DEPS kz8_skinui_portable ARGS ${KZ8_BENCH_BMP24} ${KZ8_BENCH_BMP8})
add_dependencies(run_bench_bitmap bench_bitmap_data)

# The list model in a host-like run, against std::vector<std::string> with
# std::stable_sort and the same comparison.
kz8_benchmark(bench_list_model SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_list_model.cpp
    DEPS kz8_skinui_portable)
