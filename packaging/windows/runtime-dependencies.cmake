# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs at install time, after the program and its plugins are in place: copies every DLL these
# import from Qt's and the cross compiler's folders next to taktlogin.exe, refuses a DLL that is
# neither found nor part of Windows, and strips what it ships.
# Set by the install rule: TAKTLOGIN_OBJDUMP, TAKTLOGIN_RUNTIME_DIRS, TAKTLOGIN_DLL_INDEX,
# TAKTLOGIN_SYSTEM_DLLS, TAKTLOGIN_STRIP.

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${TAKTLOGIN_OBJDUMP}")
# The scan looks a DLL up by its name in lower case, which a Linux file system tells apart, and
# then reads it by its own name: it searches an index of links by both names instead.
file(REMOVE_RECURSE "${TAKTLOGIN_DLL_INDEX}")
file(MAKE_DIRECTORY "${TAKTLOGIN_DLL_INDEX}")
foreach(dir IN LISTS TAKTLOGIN_RUNTIME_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        foreach(link IN ITEMS "${name}" "${lower}")
            if(NOT EXISTS "${TAKTLOGIN_DLL_INDEX}/${link}")
                file(CREATE_LINK "${dll}" "${TAKTLOGIN_DLL_INDEX}/${link}" SYMBOLIC)
            endif()
        endforeach()
    endforeach()
endforeach()
file(GLOB plugins "${root}/platforms/*.dll" "${root}/styles/*.dll")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${root}/taktlogin.exe"
    MODULES ${plugins}
    DIRECTORIES "${TAKTLOGIN_DLL_INDEX}"
    PRE_EXCLUDE_REGEXES ${TAKTLOGIN_SYSTEM_DLLS}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)
if(unresolved OR conflicting_FILENAMES)
    message(FATAL_ERROR "taktlogin.exe or a plugin needs DLLs that are neither found nor part of Windows: "
                        "${unresolved} ${conflicting_FILENAMES}")
endif()
foreach(link IN LISTS resolved)
    file(REAL_PATH "${link}" dll)
    file(INSTALL "${dll}" DESTINATION "${root}")
endforeach()

# strip stamps PE headers with the time it runs, unless SOURCE_DATE_EPOCH says otherwise: the
# zip and the setup program are installed apart and must carry the same files.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} 0)
endif()
file(GLOB_RECURSE binaries "${root}/*.exe" "${root}/*.dll")
foreach(binary IN LISTS binaries)
    execute_process(COMMAND "${TAKTLOGIN_STRIP}" "${binary}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not strip ${binary}")
    endif()
endforeach()
