# Instrumented builds, each in a build folder of its own:
#   ZENTICK_SANITIZE:   the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer.
#   ZENTICK_BUILD_FUZZ: libFuzzer targets (clang only); every library gets coverage instrumentation too.
option(ZENTICK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZENTICK_BUILD_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

set(zentick_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
if(ZENTICK_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "The fuzz targets need clang: -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link ${zentick_sanitizers})
    add_link_options(${zentick_sanitizers})
elseif(ZENTICK_SANITIZE)
    add_compile_options(${zentick_sanitizers})
    add_link_options(${zentick_sanitizers})
endif()
