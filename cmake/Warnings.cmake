# vessa_warnings: the warning set every target of ours links, treated as errors.
add_library(vessa_warnings INTERFACE)
target_compile_options(vessa_warnings INTERFACE
    $<$<COMPILE_LANGUAGE:C,CXX>:
        -Wall -Wextra -Wpedantic -Werror
        -Wshadow -Wconversion -Wsign-conversion -Wcast-align -Wformat=2
        -Wnull-dereference -Wdouble-promotion -Wimplicit-fallthrough
        -Wundef>
    $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual>
    # NASM: warnings as errors as well.
    $<$<COMPILE_LANGUAGE:ASM_NASM>:-Werror>)
