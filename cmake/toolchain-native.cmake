# x86-64 host build with clang: sanitizers for the tests, libFuzzer for the fuzzers.
set(VESSA_PLATFORM native)
find_program(VESSA_CLANG clang)
find_program(VESSA_CLANGXX clang++)
if(NOT VESSA_CLANG OR NOT VESSA_CLANGXX)
    message(FATAL_ERROR "clang not found: install clang and libclang-rt-14-dev "
                        "(scripts/install-deps.sh does)")
endif()
set(CMAKE_C_COMPILER "${VESSA_CLANG}")
set(CMAKE_CXX_COMPILER "${VESSA_CLANGXX}")
