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

# What a player gets, laid out as the zip holds it:
#   VessaAltCostume/VessaAltCostume.dll, config.ini, README.txt   the mod folder, ready to drop
#                                                                 into the mods folder
#   tools/vessa-config.exe                                        the checker, kept out of it
# The player's README is text for Notepad: CR LF line ends, the version filled in.
set(_vessa_player_readme "${PROJECT_BINARY_DIR}/package/README.txt")
configure_file("${PROJECT_SOURCE_DIR}/package/README.txt.in" "${_vessa_player_readme}" @ONLY
               NEWLINE_STYLE CRLF)

install(TARGETS VessaAltCostume RUNTIME DESTINATION VessaAltCostume)
install(FILES "${PROJECT_SOURCE_DIR}/package/config.ini" "${_vessa_player_readme}"
        DESTINATION VessaAltCostume)
install(TARGETS vessa-config RUNTIME DESTINATION tools)

# cpack -G ZIP: VessaAltCostume-<version>.zip with the two folders at its top.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "VessaAltCostume")
set(CPACK_PACKAGE_VENDOR "Vessa Alt Costume contributors")
set(CPACK_PACKAGE_FILE_NAME "VessaAltCostume-${PROJECT_VERSION}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES OFF)  # both are linked without symbols (-s)
include(CPack)

if(VESSA_BUILD_TESTS)
    add_test(NAME package.zip_holds_the_built_files
             COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND}
                     -DCPACK_CONFIG=${PROJECT_BINARY_DIR}/CPackConfig.cmake
                     -DWORK_DIR=${PROJECT_BINARY_DIR}/package-test -DVERSION=${PROJECT_VERSION}
                     -DDLL=$<TARGET_FILE:VessaAltCostume> -DEXE=$<TARGET_FILE:vessa-config>
                     -DCONFIG_INI=${PROJECT_SOURCE_DIR}/package/config.ini
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckPackage.cmake)
endif()
