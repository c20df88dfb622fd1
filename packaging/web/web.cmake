# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The site: a static folder any web server can serve (the page, Qt's loader, the program as
# JavaScript and WebAssembly, the icon, the licence), and its zip. Included from packaging.cmake
# when building for WebAssembly.
set(web_dir ${PROJECT_SOURCE_DIR}/packaging/web)
install(FILES ${web_dir}/taktlogin.css ${web_dir}/taktlogin-start.js
    $<TARGET_FILE_DIR:taktlogin>/taktlogin.js $<TARGET_FILE_DIR:taktlogin>/taktlogin.wasm
    $<TARGET_FILE_DIR:taktlogin>/qtloader.js DESTINATION .)
# The page carries the program's size, by which it shows how far the download has come; the
# program and its scripts come also gzipped and as Brotli (package brotli), which servers such as
# nginx (gzip_static, brotli_static), Apache (mod_rewrite or MultiViews) and Caddy (precompressed)
# send as they are to slow lines (see README).
find_program(TAKTLOGIN_BROTLI brotli NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(CODE "
    set(site \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    file(SIZE \"\${site}/taktlogin.wasm\" program_bytes)
    configure_file(\"${web_dir}/index.html.in\" \"\${site}/index.html\" @ONLY)
    foreach(file taktlogin.wasm taktlogin.js qtloader.js)
        file(ARCHIVE_CREATE OUTPUT \"\${site}/\${file}.gz\" PATHS \"\${site}/\${file}\" FORMAT raw
            COMPRESSION GZip COMPRESSION_LEVEL 9 MTIME 0)
        execute_process(COMMAND \"${TAKTLOGIN_BROTLI}\" --best --force --output=\${site}/\${file}.br \${site}/\${file}
            COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
")
install(FILES ${packaging_dir}/${TAKTLOGIN_APP_ID}.svg DESTINATION . RENAME taktlogin.svg)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION . RENAME COPYING.txt)

set(CPACK_PACKAGE_NAME taktlogin)
set(CPACK_PACKAGE_VENDOR "Taktlogin-Team")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TAKTLOGIN_HOMEPAGE}")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME taktlogin-${PROJECT_VERSION}-web)
# Unpacked, the zip is the site itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
