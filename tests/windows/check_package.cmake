# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The zip as a user unpacks it: the program, the texts and licences a user and the licences
# need, runtime notices that name their files, the icon sizes Explorer shows, a manifest for
# Windows 10/11 with per-monitor DPI awareness, the version resource, and ASLR (64-bit entropy)
# and DEP for every file that runs.
# Usage: cmake -DZIP=... -DOBJDUMP=... -DSOURCE_DIR=... -P check_package.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(work "${ZIP}" DIRECTORY)
set(work "${work}/package-check")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${work}")
get_filename_component(top "${ZIP}" NAME)
string(REGEX REPLACE "[.]zip$" "" top "${top}")
set(dir "${work}/${top}")

set(failures)
foreach(wanted taktlogin.exe LIESMICH.txt COPYING.txt translations/qtbase_de.qm platforms/qwindows.dll
        licenses/Qt-LGPL-3.0.txt licenses/GPL-3.0.txt licenses/Qt-Urheberrecht.txt licenses/Qt-Quelle.txt
        licenses/GCC-Laufzeit.txt licenses/winpthreads.txt)
    if(NOT EXISTS "${dir}/${wanted}")
        list(APPEND failures "the zip lacks ${wanted}")
    endif()
endforeach()
# Each notice and what it must say.
set(texts GCC-Laufzeit.txt GCC-Laufzeit.txt winpthreads.txt winpthreads.txt)
set(phrases "libstdc++-6.dll libgcc_s_seh-1.dll" "GCC RUNTIME LIBRARY EXCEPTION" "libwinpthread-1.dll"
    "mingw-w64-libraries/winpthreads")
foreach(file phrase IN ZIP_LISTS texts phrases)
    file(READ "${dir}/licenses/${file}" text)
    string(FIND "${text}" "${phrase}" at)
    if(at LESS 0)
        list(APPEND failures "${file} lacks '${phrase}'")
    endif()
endforeach()
# What Notepad reads right: a byte order mark and CRLF line ends (file(READ) as text drops the CRs).
foreach(file LIESMICH.txt licenses/Qt-Quelle.txt licenses/GCC-Laufzeit.txt licenses/winpthreads.txt)
    file(READ "${dir}/${file}" bytes HEX)
    string(REGEX REPLACE "(..)" " \\1" bytes "${bytes}")
    string(REGEX MATCHALL " 0a" line_ends "${bytes}")
    string(REGEX MATCHALL " 0d 0a" crlf_ends "${bytes}")
    list(LENGTH line_ends line_ends)
    list(LENGTH crlf_ends crlf_ends)
    if(NOT bytes MATCHES "^ ef bb bf" OR line_ends EQUAL 0 OR NOT line_ends EQUAL crlf_ends)
        list(APPEND failures "${file} is not UTF-8 with a byte order mark and CRLF line ends")
    endif()
endforeach()
file(GLOB_RECURSE dlls "${dir}/*.dll")
foreach(dll IN LISTS dlls)
    get_filename_component(dll_name "${dll}" NAME)
    if(dll_name MATCHES "Qt6Test|qoffscreen")
        list(APPEND failures "the zip carries the test-only ${dll_name}")
    endif()
endforeach()

# DllCharacteristics HIGH_ENTROPY_VA (0x20), DYNAMIC_BASE (0x40), NX_COMPAT (0x100).
file(GLOB_RECURSE binaries "${dir}/*.exe" "${dir}/*.dll")
foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${OBJDUMP} -p "${binary}" OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCH "DllCharacteristics[ \t]+([0-9a-fA-F]+)" _ "${headers}")
    set(flags none)
    if(CMAKE_MATCH_1)
        math(EXPR flags "0x${CMAKE_MATCH_1} & 0x160" OUTPUT_FORMAT HEXADECIMAL)
    endif()
    if(NOT flags STREQUAL "0x160")
        get_filename_component(binary_name "${binary}" NAME)
        list(APPEND failures "${binary_name}: DllCharacteristics ${CMAKE_MATCH_1}, lacks ASLR or DEP")
    endif()
endforeach()

# Explorer and the taskbar show the group icon; Qt's windows platform loads it by name.
execute_process(COMMAND wrestool -x --type=14 --name=IDI_ICON1 -o "${work}/taktlogin.ico" "${dir}/taktlogin.exe"
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND icotool -l "${work}/taktlogin.ico" OUTPUT_VARIABLE icons COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "--width=[0-9]+" sizes "${icons}")
string(REPLACE "--width=" "" sizes "${sizes}")
list(SORT sizes COMPARE NATURAL)
if(NOT sizes STREQUAL "16;24;32;48;256")
    list(APPEND failures "taktlogin.exe: icon sizes ${sizes}, not 16 24 32 48 256")
endif()
execute_process(COMMAND wrestool -x --raw --type=24 --name=1 "${dir}/taktlogin.exe" OUTPUT_VARIABLE manifest
    COMMAND_ERROR_IS_FATAL ANY)
foreach(wanted "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" ">PerMonitorV2</dpiAwareness>" "level=\"asInvoker\"")
    string(FIND "${manifest}" "${wanted}" at)
    if(at LESS 0)
        list(APPEND failures "taktlogin.exe: the manifest lacks ${wanted}")
    endif()
endforeach()
execute_process(COMMAND python3 "${SOURCE_DIR}/tests/windows/check_version_resource.py" "${dir}/taktlogin.exe"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    list(APPEND failures "taktlogin.exe: the version resource")
endif()

if(failures)
    list(JOIN failures "\n" failures)
    message(FATAL_ERROR "${failures}")
endif()
list(LENGTH binaries count)
message("${top}.zip: all files present; icon ${sizes} px; manifest for Windows 10/11, PerMonitorV2, as invoker; ${count} programs and DLLs with ASLR and DEP")
