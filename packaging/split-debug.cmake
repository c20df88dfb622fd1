# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs at install time, as Debian's dh_strip does: the debug information of the built program
# goes to usr/lib/debug/.build-id/ (the "debug" component, packaged as taktlogin-dbgsym), and the
# installed program is stripped of it (the "program" component).
# Set by the install rule: TAKTLOGIN_SPLIT (extract or strip), TAKTLOGIN_BUILT_BINARY,
# TAKTLOGIN_INSTALLED_BINARY (relative to the prefix), TAKTLOGIN_READELF, TAKTLOGIN_OBJCOPY,
# TAKTLOGIN_STRIP.

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

execute_process(COMMAND "${TAKTLOGIN_READELF}" -n "${TAKTLOGIN_BUILT_BINARY}"
    OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "${TAKTLOGIN_BUILT_BINARY} has no build ID, so its debug symbols cannot be found")
endif()
set(debug_file "lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")

if(TAKTLOGIN_SPLIT STREQUAL "extract")
    get_filename_component(debug_dir "${root}/${debug_file}" DIRECTORY)
    file(MAKE_DIRECTORY "${debug_dir}")
    execute_process(COMMAND "${TAKTLOGIN_OBJCOPY}" --only-keep-debug --compress-debug-sections
                            "${TAKTLOGIN_BUILT_BINARY}" "${root}/${debug_file}"
        COMMAND_ERROR_IS_FATAL ANY)
    # Debug files are data; nothing executes them.
    file(CHMOD "${root}/${debug_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    message(STATUS "Installing: ${root}/${debug_file}")
elseif(TAKTLOGIN_SPLIT STREQUAL "strip")
    set(installed "${root}/${TAKTLOGIN_INSTALLED_BINARY}")
    execute_process(COMMAND "${TAKTLOGIN_STRIP}" --remove-section=.comment --remove-section=.note "${installed}"
        COMMAND_ERROR_IS_FATAL ANY)
else()
    message(FATAL_ERROR "TAKTLOGIN_SPLIT must be extract or strip, not '${TAKTLOGIN_SPLIT}'")
endif()
