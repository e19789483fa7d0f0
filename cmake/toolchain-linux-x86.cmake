# The plug-in's sources on 32-bit x86 Linux, statically linked and run under
# qemu-i386-static, which ctest uses as the emulator for every test binary.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VESSA_PLATFORM linux-x86)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
# Non-PIE: the simulated game owns fixed low addresses and the routines use absolute
# addressing, exactly as in the DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static -no-pie")
set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
set(CMAKE_ASM_NASM_OBJECT_FORMAT elf32)

find_program(VESSA_QEMU_I386 qemu-i386-static)
if(NOT VESSA_QEMU_I386)
    message(FATAL_ERROR "qemu-i386-static not found: install qemu-user-static "
                        "(scripts/install-deps.sh does)")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${VESSA_QEMU_I386}")
