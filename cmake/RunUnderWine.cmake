# cmake -DWINE=... -DWINEPREFIX=... -DEXE=vessa-config.exe -DVERSION=x.y.z -DFOLDER=...
#       -P RunUnderWine.cmake
# Runs the shipped vessa-config.exe under Wine with standard input closed, as a script would
# start it, and checks that it answers and exits instead of waiting for a key. Prints
# "SKIP: ..." (the test's SKIP_REGULAR_EXPRESSION) where Wine is missing or cannot run
# 32-bit programs on this machine.
foreach(var WINEPREFIX EXE VERSION FOLDER)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()
if(NOT WINE)
    message("SKIP: wine is not installed")
    return()
endif()

set(ENV{WINEPREFIX} "${WINEPREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")  # no prompts for Mono or Gecko
set(ENV{DISPLAY} "")

# The first run also creates the Wine prefix, which takes a while.
execute_process(COMMAND "${WINE}" "${EXE}" --version INPUT_FILE /dev/null TIMEOUT 300
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(status MATCHES "timeout")
    message(FATAL_ERROR "vessa-config --version did not end within 300 s under Wine")
endif()
if(NOT status EQUAL 0 AND NOT out MATCHES "vessa-config")
    message("SKIP: wine cannot run 32-bit programs here (exit ${status}): ${err}")
    return()
endif()
if(NOT out STREQUAL "vessa-config ${VERSION}\n" AND NOT out STREQUAL "vessa-config ${VERSION}\r\n")
    message(FATAL_ERROR "vessa-config --version under Wine printed '${out}' (exit ${status})")
endif()

# A folder given, standard input closed: the report, and the exit, within a minute.
execute_process(COMMAND "${WINE}" "${EXE}" check "${FOLDER}" INPUT_FILE /dev/null TIMEOUT 60
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
message(STATUS "vessa-config check under Wine, exit ${status}:\n${out}${err}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vessa-config check under Wine did not exit 0 within 60 s: ${status}")
endif()
if(NOT out MATCHES "UseJiggle is ON: config.ini:2 decides with UseJiggle=true")
    message(FATAL_ERROR "vessa-config check under Wine gave no verdict")
endif()
