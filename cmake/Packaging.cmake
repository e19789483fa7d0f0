# The release: checks of what the shipped Windows files and the demo say about their version,
# install rules and the player's zip. Only the windows-x86 build ships anything.

if(VESSA_PLATFORM STREQUAL "linux-x86" AND VESSA_BUILD_TESTS)
    # The demo names the version it runs first thing (the folder need not exist: no config.ini
    # reads as off).
    string(REPLACE "." "\\." _vessa_version_regex "${PROJECT_VERSION}")
    add_test(NAME vessa-sim.names_the_version_first
             COMMAND vessa-sim "${CMAKE_CURRENT_BINARY_DIR}/no-such-mod-folder")
    set_tests_properties(vessa-sim.names_the_version_first PROPERTIES
        PASS_REGULAR_EXPRESSION "^vessa-sim: Vessa Alt Costume ${_vessa_version_regex} ")
endif()

if(NOT VESSA_PLATFORM STREQUAL "windows-x86")
    return()
endif()

if(VESSA_BUILD_TESTS)
    # The version resource, read back from the built files, against project(... VERSION).
    foreach(image IN ITEMS "VessaAltCostume;dll;DLL" "vessa-config;vessa-config.exe;APP")
        list(GET image 0 target)
        list(GET image 1 test_prefix)
        list(GET image 2 file_type)
        add_test(NAME ${test_prefix}.version_resource
                 COMMAND ${CMAKE_COMMAND} -DWINDRES=${CMAKE_RC_COMPILER}
                         -DIMAGE=$<TARGET_FILE:${target}> -DVERSION=${PROJECT_VERSION}
                         -DFILE_NAME=$<TARGET_FILE_NAME:${target}> -DFILE_TYPE=${file_type}
                         -P ${PROJECT_SOURCE_DIR}/cmake/CheckVersionResource.cmake)
    endforeach()
endif()
