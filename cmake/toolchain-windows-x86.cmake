# The shipped plug-in: 32-bit Windows PE, cross-compiled with MinGW-w64 for i686.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VESSA_PLATFORM windows-x86)

set(_vessa_prefix i686-w64-mingw32)
find_program(VESSA_MINGW_CXX NAMES ${_vessa_prefix}-g++-win32 ${_vessa_prefix}-g++)
find_program(VESSA_MINGW_CC NAMES ${_vessa_prefix}-gcc-win32 ${_vessa_prefix}-gcc)
if(NOT VESSA_MINGW_CXX OR NOT VESSA_MINGW_CC)
    message(FATAL_ERROR "MinGW-w64 for i686 not found: install g++-mingw-w64-i686 "
                        "(scripts/install-deps.sh does)")
endif()
set(CMAKE_C_COMPILER "${VESSA_MINGW_CC}")
set(CMAKE_CXX_COMPILER "${VESSA_MINGW_CXX}")
set(CMAKE_RC_COMPILER ${_vessa_prefix}-windres)
set(CMAKE_ASM_NASM_OBJECT_FORMAT win32)

set(CMAKE_FIND_ROOT_PATH /usr/${_vessa_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# A player's machine has no MinGW runtime: link libgcc and libstdc++ in, so the
# binaries import only Windows system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
