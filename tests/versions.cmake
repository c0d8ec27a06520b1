# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The version is written in CMake's project(); the Debian changelog's latest
# entry and the AppStream metadata's latest release must name the same one,
# and the two the same day.
#   cmake -DVERSION=<project version> -DROOT=<source folder> -P versions.cmake
file(STRINGS ${ROOT}/debian/changelog changelog)
list(GET changelog 0 entry)
if(NOT entry MATCHES "^orvalen \\(([^)]+)\\) ")
  message(FATAL_ERROR "debian/changelog: no version in its first line: ${entry}")
endif()
set(debian ${CMAKE_MATCH_1})
foreach(line IN LISTS changelog)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(day ${CMAKE_MATCH_1})
    set(month ${CMAKE_MATCH_2})
    set(year ${CMAKE_MATCH_3})
    break()
  endif()
endforeach()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${month}" m)
math(EXPR m "${m} + 1")
if(m LESS 10)
  set(m 0${m})
endif()
set(debian_date ${year}-${m}-${day})

file(READ ${ROOT}/packaging/org.orvalen.Orvalen.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\" date=\"([^\"]+)\"")
  message(FATAL_ERROR "metainfo: no release")
endif()
set(appstream ${CMAKE_MATCH_1})
set(appstream_date ${CMAKE_MATCH_2})

if(NOT debian STREQUAL VERSION OR NOT appstream STREQUAL VERSION)
  message(FATAL_ERROR "versions differ: CMake ${VERSION}, debian/changelog ${debian}, AppStream ${appstream}")
endif()
if(NOT debian_date STREQUAL appstream_date)
  message(FATAL_ERROR "release dates differ: debian/changelog ${debian_date}, AppStream ${appstream_date}")
endif()
message(STATUS "versions: ${VERSION} of ${debian_date} everywhere")
