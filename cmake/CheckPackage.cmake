# cmake -DCPACK=... -DCPACK_CONFIG=.../CPackConfig.cmake -DWORK_DIR=... -DVERSION=x.y.z
#       -DDLL=... -DEXE=... -DCONFIG_INI=... -P CheckPackage.cmake
# Makes the player's zip the way a release does (cpack -G ZIP) in a scratch folder, then
# checks what a player unpacks: exactly the mod folder and the checker, the very DLL and
# .exe the build made, the shipped config.ini, and a README.txt with CR LF line ends that
# names the version.
foreach(var CPACK CPACK_CONFIG WORK_DIR VERSION DLL EXE CONFIG_INI)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${CPACK}" -G ZIP --config "${CPACK_CONFIG}" -B "${WORK_DIR}"
                OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
set(zip "${WORK_DIR}/VessaAltCostume-${VERSION}.zip")
if(NOT status EQUAL 0 OR NOT EXISTS "${zip}")
    message(FATAL_ERROR "cpack did not make ${zip}:\n${out}")
endif()

set(failures "")

# The listing, folders left out: nothing more, nothing less.
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${zip}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot list ${zip}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "/$")
list(SORT entries)
set(expected VessaAltCostume/README.txt VessaAltCostume/VessaAltCostume.dll
             VessaAltCostume/config.ini tools/vessa-config.exe)
if(NOT entries STREQUAL expected)
    string(APPEND failures "the zip holds '${entries}', expected '${expected}'\n")
endif()
message(STATUS "${zip}:\n${listing}")

set(unpacked "${WORK_DIR}/unpacked")
file(ARCHIVE_EXTRACT INPUT "${zip}" DESTINATION "${unpacked}")

# Byte for byte what the build made and the tests checked.
foreach(pair IN ITEMS "VessaAltCostume/VessaAltCostume.dll=${DLL}" "tools/vessa-config.exe=${EXE}"
                      "VessaAltCostume/config.ini=${CONFIG_INI}")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 inside)
    list(GET pair 1 original)
    if(NOT EXISTS "${unpacked}/${inside}")
        continue()  # already reported by the listing
    endif()
    file(SHA256 "${unpacked}/${inside}" packed_hash)
    file(SHA256 "${original}" original_hash)
    if(NOT packed_hash STREQUAL original_hash)
        string(APPEND failures "${inside} differs from ${original}\n")
    endif()
endforeach()

set(readme "${unpacked}/VessaAltCostume/README.txt")
if(EXISTS "${readme}")
    # file(READ) as text drops CR bytes, so the line ends are counted in the hex form: one
    # "0d 0a" per line feed, and no carriage return of its own.
    file(READ "${readme}" hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    string(REGEX MATCHALL "0d 0a" crlf "${bytes}")
    string(REGEX MATCHALL "0a" lf "${bytes}")
    string(REGEX MATCHALL "0d" cr "${bytes}")
    list(LENGTH crlf crlf_count)
    list(LENGTH lf lf_count)
    list(LENGTH cr cr_count)
    if(crlf_count EQUAL 0 OR NOT lf_count EQUAL crlf_count OR NOT cr_count EQUAL crlf_count)
        string(APPEND failures "README.txt: ${crlf_count} CR LF among ${lf_count} LF and "
                               "${cr_count} CR; every line must end in CR LF\n")
    endif()
    file(READ "${readme}" text)
    string(FIND "${text}" "${VERSION}" at)
    if(at EQUAL -1)
        string(APPEND failures "README.txt does not name version ${VERSION}\n")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "${zip}:\n${failures}")
endif()
