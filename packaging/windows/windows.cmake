# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows release: the folder a user unpacks or installs (taktlogin.exe, the DLLs and plugins
# it loads, the texts and licences), and the zip and setup program CPack makes of it. Included
# from packaging.cmake when building for Windows.

set(windows_dir ${PROJECT_SOURCE_DIR}/packaging/windows)
set(windows_generated ${PROJECT_BINARY_DIR}/packaging/windows)
set(qt_bin_dir "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(qt_plugin_dir "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")

# The cross compiler's own runtime DLLs, found where its driver finds its libraries.
set(TAKTLOGIN_MINGW_RUNTIME)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
    endif()
    file(REAL_PATH "${found}" found)
    list(APPEND TAKTLOGIN_MINGW_RUNTIME "${found}")
endforeach()
set(TAKTLOGIN_MINGW_RUNTIME "${TAKTLOGIN_MINGW_RUNTIME}" CACHE INTERNAL "")
set(TAKTLOGIN_QT_PLATFORM_PLUGIN "${qt_plugin_dir}/platforms/qwindows.dll" CACHE INTERNAL "")
file(GLOB TAKTLOGIN_QT_STYLE_PLUGINS "${qt_plugin_dir}/styles/*.dll")
set(TAKTLOGIN_QT_STYLE_PLUGINS "${TAKTLOGIN_QT_STYLE_PLUGINS}" CACHE INTERNAL "")
find_file(TAKTLOGIN_QT_GERMAN qtbase_de.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# The program, its plugins, and every DLL these import that Windows itself does not have. The
# objdump of the cross toolchain reads the imports; one that is neither found nor a Windows DLL
# ends the install.
install(TARGETS taktlogin RUNTIME DESTINATION .)
install(FILES ${TAKTLOGIN_QT_PLATFORM_PLUGIN} DESTINATION platforms)
install(FILES ${TAKTLOGIN_QT_STYLE_PLUGINS} DESTINATION styles)
install(FILES ${TAKTLOGIN_QT_GERMAN} DESTINATION translations)
# Names as the dependency scan compares them: in lower case.
file(STRINGS ${windows_dir}/system-dlls.txt system_dlls REGEX "^[^#]")
string(TOLOWER "${system_dlls}" system_dlls)
list(TRANSFORM system_dlls REPLACE "[.]" "[.]")
list(TRANSFORM system_dlls PREPEND "^")
list(TRANSFORM system_dlls APPEND "$")
set(runtime_dirs "${qt_bin_dir}")
foreach(dll IN LISTS TAKTLOGIN_MINGW_RUNTIME)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND runtime_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES runtime_dirs)
install(CODE "
    set(TAKTLOGIN_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(TAKTLOGIN_RUNTIME_DIRS \"${runtime_dirs}\")
    set(TAKTLOGIN_DLL_INDEX \"${windows_generated}/dll-index\")
    set(TAKTLOGIN_SYSTEM_DLLS \"${system_dlls}\")
    set(TAKTLOGIN_STRIP \"${CMAKE_STRIP}\")
    include(\"${windows_dir}/runtime-dependencies.cmake\")")

# Texts for Windows users: UTF-8 with a byte order mark (each template starts with one) and CRLF
# line ends, which every Notepad reads right.
set(VERSION ${PROJECT_VERSION})
set(HOMEPAGE ${TAKTLOGIN_HOMEPAGE})
configure_file(${windows_dir}/LIESMICH.txt.in ${windows_generated}/LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)

# Where the bundled Qt came from: Debian's source package, as cross.sh records it in the prefix.
file(READ "${QT6_INSTALL_PREFIX}/debian-version" QT_DEB_VERSION)
string(STRIP "${QT_DEB_VERSION}" QT_DEB_VERSION)
set(QT_VERSION ${Qt6_VERSION})
configure_file(${windows_dir}/Qt-Quelle.txt.in ${windows_generated}/Qt-Quelle.txt @ONLY NEWLINE_STYLE CRLF)

# A notice for the cross compiler's runtime DLLs: which files, their licence, the Debian package
# they came from and where its source is, then that package's copyright file.
function(taktlogin_runtime_notice output summary)
    set(files)
    foreach(dll IN LISTS ARGN)
        get_filename_component(name "${dll}" NAME)
        string(APPEND files "${name} ")
    endforeach()
    list(GET ARGN 0 first)
    execute_process(COMMAND dpkg -S "${first}" OUTPUT_VARIABLE owner RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "no Debian package owns ${first}")
    endif()
    string(REGEX REPLACE ":.*" "" PACKAGE "${owner}")
    foreach(field Version source:Package source:Version)
        execute_process(COMMAND dpkg-query -W "-f=\${${field}}" ${PACKAGE} OUTPUT_VARIABLE value)
        string(REPLACE "source:" "SOURCE_" field "${field}")
        string(TOUPPER "${field}" field)
        set(${field} "${value}")
    endforeach()
    set(FILES "${files}")
    # configure_file gives only the template's own lines CRLF ends, not those of the values.
    string(REPLACE "\n" "\r\n" SUMMARY "${summary}")
    file(READ /usr/share/doc/${PACKAGE}/copyright COPYRIGHT)
    string(REPLACE "\n" "\r\n" COPYRIGHT "${COPYRIGHT}")
    configure_file(${windows_dir}/runtime-notice.txt.in ${windows_generated}/${output} @ONLY NEWLINE_STYLE CRLF)
endfunction()
list(GET TAKTLOGIN_MINGW_RUNTIME 0 1 gcc_runtime)
list(GET TAKTLOGIN_MINGW_RUNTIME 2 winpthread)
taktlogin_runtime_notice(GCC-Laufzeit.txt
    "Die Laufzeitbibliotheken von GCC (C++-Standardbibliothek und libgcc) stehen unter der GNU General
Public License, Version 3 oder später (licenses/GPL-3.0.txt), mit der GCC Runtime Library
Exception, Version 3.1; deren Text steht in der Urheberrechtsdatei unten."
    ${gcc_runtime})
taktlogin_runtime_notice(winpthreads.txt
    "winpthreads, die POSIX-Thread-Bibliothek von MinGW-w64, steht unter der MIT-Lizenz (expat), ihre
Kopfdatei pthread.h unter der BSD-3-Clause-Lizenz von Lockless Inc.; beide Texte stehen in der
Urheberrechtsdatei unten, in den Abschnitten zu mingw-w64-libraries/winpthreads."
    ${winpthread})

install(FILES ${windows_generated}/LIESMICH.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION . RENAME COPYING.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME Qt-LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.0.txt)
install(FILES ${QT6_INSTALL_PREFIX}/debian-copyright DESTINATION licenses RENAME Qt-Urheberrecht.txt)
install(FILES ${windows_generated}/Qt-Quelle.txt ${windows_generated}/GCC-Laufzeit.txt
    ${windows_generated}/winpthreads.txt DESTINATION licenses)

# The zip unpacks into one folder; the setup program installs per user, from the project's own
# NSIS template (German pages, a check for a running program, an uninstall of exactly the
# installed files). Both are written by CPack into the build folder; cross.sh publishes them
# only once every test has passed.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME taktlogin-${PROJECT_VERSION}-windows-x64)
set(CPACK_MODULE_PATH ${windows_dir})
set(CPACK_NSIS_PACKAGE_NAME Taktlogin)
set(CPACK_NSIS_DISPLAY_NAME Taktlogin)
set(CPACK_NSIS_URL_INFO_ABOUT "${TAKTLOGIN_HOMEPAGE}")
set(CPACK_NSIS_MUI_ICON "${PROJECT_BINARY_DIR}/src/icons/taktlogin.ico")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack-checks.cmake)
set(CPACK_PACKAGE_NAME taktlogin)
set(CPACK_PACKAGE_VENDOR "Taktlogin-Team")
set(CPACK_PACKAGE_CONTACT "${TAKTLOGIN_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TAKTLOGIN_HOMEPAGE}")
include(CPack)
