# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Qt for WebAssembly, as the web preset builds on it (cmake -C, from scripts/cross.sh; EMSDK must
# name Debian's emscripten). Static and without threads, which a page needs no special headers
# for; optimised for size, since every byte is downloaded. The wasm platform plugin needs OpenGL.
set(CMAKE_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/../toolchains/emscripten.cmake" CACHE FILEPATH "")
set(CMAKE_BUILD_TYPE MinSizeRel CACHE STRING "")
set(BUILD_SHARED_LIBS OFF CACHE BOOL "")
# What the form never uses: no network, files, printing, threads, image formats but PNG, rich text.
foreach(feature sql network dbus printsupport xml concurrent vulkan thread gif jpeg ico movie
        textodfwriter textmarkdownreader textmarkdownwriter pdf sessionmanager
        calendarwidget datetimeedit fontdialog colordialog filedialog printdialog printpreviewdialog
        wizard mdiarea undoview columnview)
    set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
foreach(feature testlib widgets opengl)
    set(FEATURE_${feature} ON CACHE BOOL "")
endforeach()
foreach(part EXAMPLES TESTS BENCHMARKS)
    set(QT_BUILD_${part} OFF CACHE BOOL "")
endforeach()
