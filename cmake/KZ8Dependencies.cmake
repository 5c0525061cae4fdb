# libjpeg, libmpg123 and GoogleTest: the system's packages in the native tree,
# the cached static cross builds (scripts/setup-deps.sh) in the Windows trees.

if(KZ8_WINDOWS)
    set(KZ8_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps" CACHE PATH "Cached dependency builds")
    set(deps_file "${KZ8_DEPS_DIR}/${KZ8_TRIPLET}/deps.cmake")
    if(NOT EXISTS "${deps_file}")
        message(FATAL_ERROR "No dependency builds for ${KZ8_TRIPLET}: run scripts/setup-deps.sh")
    endif()
    include("${deps_file}")

    add_library(kz8::jpeg STATIC IMPORTED GLOBAL)
    set_target_properties(kz8::jpeg PROPERTIES
        IMPORTED_LOCATION "${KZ8_LIBJPEG_PREFIX}/lib/libjpeg.a"
        INTERFACE_INCLUDE_DIRECTORIES "${KZ8_LIBJPEG_PREFIX}/include")

    add_library(kz8::mpg123 STATIC IMPORTED GLOBAL)
    set_target_properties(kz8::mpg123 PROPERTIES
        IMPORTED_LOCATION "${KZ8_MPG123_PREFIX}/lib/libmpg123.a"
        INTERFACE_INCLUDE_DIRECTORIES "${KZ8_MPG123_PREFIX}/include"
        INTERFACE_LINK_LIBRARIES "kz8_delay_shlwapi;shlwapi")

    add_library(kz8::gtest INTERFACE IMPORTED GLOBAL)
    target_include_directories(kz8::gtest INTERFACE "${KZ8_GTEST_PREFIX}/include")
    target_link_libraries(kz8::gtest INTERFACE
        "${KZ8_GTEST_PREFIX}/lib/libgmock.a" "${KZ8_GTEST_PREFIX}/lib/libgtest_main.a"
        "${KZ8_GTEST_PREFIX}/lib/libgtest.a")

    # Windows tests run under Wine through the harness.
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")
else()
    find_package(JPEG REQUIRED)
    add_library(kz8::jpeg ALIAS JPEG::JPEG)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
    add_library(kz8::mpg123 ALIAS PkgConfig::MPG123)
    find_package(GTest REQUIRED)
    add_library(kz8::gtest INTERFACE IMPORTED GLOBAL)
    target_link_libraries(kz8::gtest INTERFACE GTest::gmock GTest::gtest_main)
endif()
