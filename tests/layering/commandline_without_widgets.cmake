# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source of the command line includes a Qt header that Qt Core does not have:
# the command line works without a display, and its includes show it.
#   cmake -DSOURCES=<folder> -DQT_CORE_INCLUDE=<QtCore include folder> -P this file
file(GLOB sources ${SOURCES}/*.h ${SOURCES}/*.cpp)
set(found 0)
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^#include <Q[A-Za-z]*>")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include <(Q[A-Za-z]*)>.*" "\\1" header "${line}")
    math(EXPR found "${found} + 1")
    if(NOT EXISTS ${QT_CORE_INCLUDE}/${header})
      message(FATAL_ERROR "${source} includes <${header}>, which is not part of Qt Core")
    endif()
  endforeach()
endforeach()
if(found EQUAL 0)
  message(FATAL_ERROR "no Qt include found in ${SOURCES}: the check looks in the wrong place")
endif()
message(STATUS "${found} Qt includes of the command line, all from Qt Core")
