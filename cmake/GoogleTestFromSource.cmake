# GoogleTest compiled from the Debian sources, so the same framework serves the native
# build and the 32-bit Linux build (there is no packaged i386 libgtest on an amd64 host).
set(VESSA_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(NOT EXISTS "${VESSA_GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest sources not found at ${VESSA_GTEST_SOURCE_DIR}; "
                        "install the Debian package googletest (scripts/install-deps.sh does)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory("${VESSA_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
# GoogleTest is built with the sanitizers our own targets have, as part of every test.
target_link_libraries(gtest PRIVATE vessa_sanitizers)
target_link_libraries(gtest_main PRIVATE vessa_sanitizers)
include(GoogleTest)

# vessa_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest executable whose cases
# become individual ctest tests; on linux-x86 they run under the emulator.
function(vessa_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main vessa_warnings vessa_sanitizers)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
