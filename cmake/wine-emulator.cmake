# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Windows test program under Wine for ctest (the windows preset's
# CMAKE_CROSSCOMPILING_EMULATOR): cmake -P wine-emulator.cmake -- PROGRAM.exe ARGUMENT...
# Wine hands no QT_* variable of the Unix environment to the program: the platform goes on the
# command line (only for programs that use Qt Gui, whose QApplication reads it), the scale factor
# into the Windows environment of the prefix (so these tests run one at a time). A Qt Test
# suite writes its report to a file, since Wine passes no console output on to a pipe; it is
# printed here.
cmake_minimum_required(VERSION 3.25)
set(arguments)
set(program)
foreach(i RANGE 1 ${CMAKE_ARGC})
    if(DEFINED CMAKE_ARGV${i} AND program)
        list(APPEND arguments "${CMAKE_ARGV${i}}")
    elseif(DEFINED CMAKE_ARGV${i} AND CMAKE_ARGV${i} MATCHES "[.]exe$")
        set(program "${CMAKE_ARGV${i}}")
    endif()
endforeach()
if(NOT program)
    message(FATAL_ERROR "usage: cmake -P wine-emulator.cmake -- PROGRAM.exe [ARGUMENT...]")
endif()
find_program(wine wine REQUIRED)
find_program(objdump x86_64-w64-mingw32-objdump REQUIRED)
execute_process(COMMAND ${objdump} -p "${program}" OUTPUT_VARIABLE imports COMMAND_ERROR_IS_FATAL ANY)

if(DEFINED ENV{QT_QPA_PLATFORM} AND imports MATCHES "DLL Name: Qt6Gui[.]dll")
    list(PREPEND arguments -platform "$ENV{QT_QPA_PLATFORM}")
endif()
if(DEFINED ENV{QT_SCALE_FACTOR})
    execute_process(COMMAND ${wine} reg add "HKCU\\Environment" /v QT_SCALE_FACTOR /d "$ENV{QT_SCALE_FACTOR}" /f
        OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
else()
    execute_process(COMMAND ${wine} reg delete "HKCU\\Environment" /v QT_SCALE_FACTOR /f OUTPUT_QUIET ERROR_QUIET)
endif()
get_filename_component(name "${program}" NAME_WE)
set(report "${name}-report.txt")
if(imports MATCHES "DLL Name: Qt6Test[.]dll")
    file(REMOVE "${report}")
    list(APPEND arguments -o "${report},txt")
endif()

set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
execute_process(COMMAND ${wine} "${program}" ${arguments} RESULT_VARIABLE status)
if(EXISTS "${report}")
    file(READ "${report}" text)
    string(REPLACE "\r" "" text "${text}")
    message("${text}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name} ended with status ${status} under Wine")
endif()
