# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# WebAssembly with Debian's emscripten (package emscripten), whose system libraries come
# prebuilt. Used to build Qt for WebAssembly and, chained behind Qt's own toolchain file, by the
# web preset; EMSDK must be /usr/share/emscripten for both. Its emulator is node, which runs
# the suites that need no browser.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
