# The program's start stays lean: print support, SVG and the QR encoder are opened when first used,
# never linked, so the loader does not map them at every start; and no run path sends it through
# extra folders for every library. Run as: cmake -DPROGRAM=<zorbon> -P lean_start.cmake
execute_process(COMMAND readelf -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf -d ${PROGRAM} failed")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
# A sure entry first, so that a changed readelf output cannot pass unnoticed.
if(NOT needed MATCHES "\\[libQt6Widgets[.]so")
  message(FATAL_ERROR "No libQt6Widgets among the needed libraries read from ${PROGRAM}:\n${dynamic}")
endif()
foreach(library libQt6PrintSupport libQt6Svg libqrencode)
  if(needed MATCHES "\\[${library}[.]so")
    message(FATAL_ERROR "${PROGRAM} links ${library}, which must be opened on first use instead")
  endif()
endforeach()
if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)")
  message(FATAL_ERROR "${PROGRAM} has a run path:\n${dynamic}")
endif()
