# cmake -DOBJDUMP=... -DIMAGE=... -DIMPORTS="kernel32.dll;msvcrt.dll"
#       [-DEXPORTS="Init=1;KorvModInfo=2"] [-DMAX_BYTES=N] -P CheckPeImage.cmake
# A check of a built Windows image through binutils' own reading of it: imports limited to
# the DLLs in IMPORTS (letter case aside), the exact export table, and a size budget.
foreach(var OBJDUMP IMAGE IMPORTS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()
if(NOT EXISTS "${IMAGE}")
    message(FATAL_ERROR "${IMAGE} was not built")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${IMAGE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${IMAGE} failed")
endif()

set(failures "")

# Imports: a player's machine has the Windows system DLLs and nothing else of ours, and each
# image names the few it may use.
set(allowed ${IMPORTS})  # unquoted: ctest hands the list over with its ';' escaped
string(TOLOWER "${allowed}" allowed)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
    string(APPEND failures "no import table found\n")
endif()
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" dll)
    list(FIND allowed "${dll}" index)
    if(index EQUAL -1)
        string(APPEND failures "imports ${dll}, which is not among ${allowed}\n")
    endif()
endforeach()

# Exports: "[   0] +base[   1] 16078 Export RVA" gives ordinals by index, and the
# "[Ordinal/Name Pointer] Table" lists "[   0] Init" by the same index.
if(DEFINED EXPORTS)
    string(REGEX MATCHALL "\\[ *[0-9]+\\] \\+base\\[ *[0-9]+\\]" ordinals "${dump}")
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(.*)" names_block "${dump}")
    string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [A-Za-z_][A-Za-z0-9_@]*" names "${names_block}")
    set(found "")
    foreach(entry IN LISTS names)
        string(REGEX REPLACE "^\t\\[ *([0-9]+)\\] (.*)$" "\\1;\\2" parts "${entry}")
        list(GET parts 0 index)
        list(GET parts 1 name)
        foreach(o IN LISTS ordinals)
            string(REGEX REPLACE "^\\[ *([0-9]+)\\] \\+base\\[ *([0-9]+)\\]$" "\\1;\\2" op "${o}")
            list(GET op 0 oindex)
            list(GET op 1 ordinal)
            if(oindex EQUAL index)
                list(APPEND found "${name}=${ordinal}")
            endif()
        endforeach()
    endforeach()
    list(SORT found)
    set(expected ${EXPORTS})
    list(SORT expected)
    if(NOT found STREQUAL expected)
        string(APPEND failures "exports are '${found}', expected '${expected}'\n")
    endif()
endif()

if(DEFINED MAX_BYTES)
    file(SIZE "${IMAGE}" size)
    message(STATUS "${IMAGE}: ${size} bytes")
    if(size GREATER MAX_BYTES)
        string(APPEND failures "${size} bytes, over the budget of ${MAX_BYTES}\n")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "${IMAGE}:\n${failures}")
endif()
message(STATUS "${IMAGE}: imports ${imports}")
