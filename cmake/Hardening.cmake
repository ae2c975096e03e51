# Instrumented configurations, each in a build folder of its own (scripts/test-sanitizers,
# scripts/fuzz); they apply to every target, Qt's generated files included.
option(SANITIZERS "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(FUZZING "Instrument for libFuzzer and add the fuzz targets (clang only)" OFF)

if(SANITIZERS)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(FUZZING)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "FUZZING needs clang: -DCMAKE_CXX_COMPILER=clang++-14")
    endif()
    # Coverage feedback from our libraries as well as from the targets; undefined behaviour
    # stops the run, so that libFuzzer keeps the input.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
