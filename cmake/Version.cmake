# The project's one version, from project(... VERSION x.y.z), as a generated header that C++
# sources and the Windows version resources include: #include "vessa_version.h".
configure_file("${CMAKE_CURRENT_LIST_DIR}/version.h.in"
               "${PROJECT_BINARY_DIR}/generated/vessa_version.h" @ONLY)
include_directories("${PROJECT_BINARY_DIR}/generated")
