# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs at install time, after the program and its plugins are in place: copies every DLL these
# import from Qt's and the cross compiler's folders next to taktlogin.exe, refuses a DLL that is
# neither found nor part of Windows, and strips what it ships.
# Set by the install rule: TAKTLOGIN_OBJDUMP, TAKTLOGIN_RUNTIME_DIRS, TAKTLOGIN_SYSTEM_DLLS, TAKTLOGIN_STRIP.

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${TAKTLOGIN_OBJDUMP}")
file(GLOB plugins "${root}/platforms/*.dll" "${root}/styles/*.dll")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${root}/taktlogin.exe"
    MODULES ${plugins}
    DIRECTORIES ${TAKTLOGIN_RUNTIME_DIRS}
    PRE_EXCLUDE_REGEXES ${TAKTLOGIN_SYSTEM_DLLS}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)
if(unresolved OR conflicting_FILENAMES)
    message(FATAL_ERROR "taktlogin.exe or a plugin needs DLLs that are neither found nor part of Windows: "
                        "${unresolved} ${conflicting_FILENAMES}")
endif()
file(INSTALL ${resolved} DESTINATION "${root}" FOLLOW_SYMLINK_CHAIN)

file(GLOB_RECURSE binaries "${root}/*.exe" "${root}/*.dll")
foreach(binary IN LISTS binaries)
    execute_process(COMMAND "${TAKTLOGIN_STRIP}" "${binary}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not strip ${binary}")
    endif()
endforeach()
