# The template parser: parse, check and build a generated 200-control
# template, against Python's configparser reading the same text.
kz8_benchmark(bench_template SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_template.cpp
    DEPS kz8_skinui_portable)
