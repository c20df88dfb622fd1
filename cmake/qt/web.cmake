# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Qt for WebAssembly, as the web preset builds on it (cmake -C, from scripts/cross.sh; EMSDK must
# name Debian's emscripten). Static and without threads, which a page needs no special headers
# for; optimised for size, since every byte is downloaded. The wasm platform plugin needs OpenGL.
set(CMAKE_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/../toolchains/emscripten.cmake" CACHE FILEPATH "")
set(CMAKE_BUILD_TYPE MinSizeRel CACHE STRING "")
set(BUILD_SHARED_LIBS OFF CACHE BOOL "")
# What the form never uses: no network, files, printing, threads, image formats but PNG, rich
# text (neither editing nor HTML), style sheets, graphics view, tables and trees, docks, tabs and
# combo boxes, the other dialogs and widgets, undo stacks, gestures, settings files, regular
# expressions (the platform plugin reads key codes without one, patched), the fast but
# large SHA-3, and no MIME database (the clipboard goes by type names alone).
foreach(feature sql network dbus printsupport xml concurrent vulkan thread gif jpeg ico movie
        textodfwriter textmarkdownreader textmarkdownwriter pdf sessionmanager
        calendarwidget datetimeedit fontdialog colordialog filedialog printdialog printpreviewdialog
        wizard mdiarea undoview columnview
        style_stylesheet cssparser graphicsview graphicseffect textedit textbrowser syntaxhighlighter
        errormessage inputdialog progressdialog tableview tablewidget treeview treewidget dial
        lcdnumber splashscreen keysequenceedit fontcombobox toolbox whatsthis undogroup undostack
        undocommand mimetype_database imageformat_bmp imageformat_ppm imageformat_xbm
        texthtmlparser dockwidget tabbar tabwidget combobox completer filesystemmodel gestures
        settings regularexpression sha3_fast)
    set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
foreach(feature testlib widgets opengl)
    set(FEATURE_${feature} ON CACHE BOOL "")
endforeach()
# Smallest code, and link-time optimisation: Qt's libraries stay LLVM bitcode, and the program's
# link keeps only what the form reaches. (Qt's own switch for it, ltcg, finds no support under
# emscripten, whose compiler and archiver handle bitcode all the same.)
set(FEATURE_optimize_size ON CACHE BOOL "")
set(CMAKE_C_FLAGS "-flto" CACHE STRING "")
set(CMAKE_CXX_FLAGS "-flto" CACHE STRING "")
# Hardening inside the browser's sandbox. Filling every local with a pattern guards against
# reading stale stack, which in WebAssembly stays within the page's own memory; it costs size
# and time on every call, so it is off. libc++'s bounds checks stay: they turn an index out of
# range into a stopped program (the page says so) rather than entries silently overwritten, for
# little code.
set(FEATURE_trivial_auto_var_init_pattern OFF CACHE BOOL "")
set(FEATURE_libcpp_hardening ON CACHE BOOL "")
foreach(part EXAMPLES TESTS BENCHMARKS)
    set(QT_BUILD_${part} OFF CACHE BOOL "")
endforeach()
