# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Qt for 64-bit Windows, as the windows preset builds on it (cmake -C, from scripts/cross.sh).
# Shared, so that a user may replace the Qt DLLs (LGPL). Tablet support needs wintab.h, which
# Debian's source lacks; OpenGL stays on because the windows platform plugin needs it.
set(CMAKE_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/../toolchains/mingw-w64.cmake" CACHE FILEPATH "")
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
foreach(feature sql network dbus printsupport xml concurrent tabletevent)
    set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
foreach(feature testlib widgets)
    set(FEATURE_${feature} ON CACHE BOOL "")
endforeach()
foreach(part EXAMPLES TESTS BENCHMARKS)
    set(QT_BUILD_${part} OFF CACHE BOOL "")
endforeach()
