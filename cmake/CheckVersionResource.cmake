# cmake -DWINDRES=... -DIMAGE=... -DVERSION=x.y.z -DFILE_NAME=name.dll -DFILE_TYPE=DLL|APP
#       -P CheckVersionResource.cmake
# Reads the version resource back out of a built Windows image, through binutils' own
# reading of its .rsrc section, and checks it against the project's version: the numeric
# FILEVERSION and PRODUCTVERSION, the strings Explorer shows under Properties > Details, and
# the file type.
foreach(var WINDRES IMAGE VERSION FILE_NAME FILE_TYPE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()
if(NOT EXISTS "${IMAGE}")
    message(FATAL_ERROR "${IMAGE} was not built")
endif()

execute_process(COMMAND "${WINDRES}" --input-format=coff --output-format=rc -i "${IMAGE}"
                OUTPUT_VARIABLE rc ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${WINDRES} cannot read the resources of ${IMAGE}: ${err}")
endif()

set(failures "")
string(REGEX MATCHALL "VERSIONINFO" blocks "${rc}")
list(LENGTH blocks count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "${IMAGE}: ${count} VERSIONINFO resources, expected 1:\n${rc}")
endif()

string(REPLACE "." ";" parts "${VERSION}")
list(JOIN parts ", " numbers)
foreach(field FILEVERSION PRODUCTVERSION)
    if(NOT rc MATCHES "\n *${field} ([0-9, ]+)\n")
        string(APPEND failures "no ${field}\n")
    elseif(NOT CMAKE_MATCH_1 STREQUAL "${numbers}, 0")
        string(APPEND failures "${field} is ${CMAKE_MATCH_1}, expected ${numbers}, 0\n")
    endif()
endforeach()

# VFT_APP is 1, VFT_DLL is 2.
if(FILE_TYPE STREQUAL "DLL")
    set(type_number 0x2)
else()
    set(type_number 0x1)
endif()
if(NOT rc MATCHES "\n *FILETYPE ${type_number}\n")
    string(APPEND failures "FILETYPE is not ${type_number} (VFT_${FILE_TYPE})\n")
endif()

# VALUE "Name", "text": exact where the project fixes the text, present and not empty for the
# rest.
set(expected_FileVersion "${VERSION}")
set(expected_ProductVersion "${VERSION}")
set(expected_OriginalFilename "${FILE_NAME}")
set(expected_InternalName "${FILE_NAME}")
foreach(name FileVersion ProductVersion OriginalFilename InternalName FileDescription
             ProductName CompanyName LegalCopyright)
    if(NOT rc MATCHES "VALUE \"${name}\", \"([^\"]*)\"")
        string(APPEND failures "no string ${name}\n")
    elseif(DEFINED expected_${name} AND NOT CMAKE_MATCH_1 STREQUAL "${expected_${name}}")
        string(APPEND failures "${name} is '${CMAKE_MATCH_1}', expected '${expected_${name}}'\n")
    elseif(CMAKE_MATCH_1 STREQUAL "")
        string(APPEND failures "${name} is empty\n")
    else()
        message(STATUS "${name}: ${CMAKE_MATCH_1}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${IMAGE}:\n${failures}")
endif()
