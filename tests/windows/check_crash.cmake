# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# A crash under Wine leaves no report and no dump. Unprotected, Wine hands the access violation
# to its debugger (the AeDebug entry), which reports it: that shows the check can see a report.
# Protected as taktlogin starts, the process ends at once with the exception code as its status
# (0xC0000005, of which the Unix side sees the low byte, 5).
# Usage: cmake -DPROBE=crashprobe.exe -P check_crash.cmake   (WINEPREFIX set)
cmake_minimum_required(VERSION 3.25)
find_program(wine wine REQUIRED)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
unset(ENV{DISPLAY})
# No crash dialog: the unprotected run would wait for it.
execute_process(COMMAND ${wine} reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f
    OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(prefix "$ENV{WINEPREFIX}")
if(NOT prefix)
    set(prefix "$ENV{HOME}/.wine")
endif()
string(TIMESTAMP started "%s")

# Wine says it hands the fault to the debugger before the debugger runs: on a busy machine winedbg
# may attach too late to read the exception and then prints no "Unhandled exception" of its own.
set(reported "starting debugger|[Uu]nhandled exception|WineDbg|winedbg|[Bb]acktrace")
execute_process(COMMAND ${wine} "${PROBE}" --unprotected OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
if(NOT output MATCHES "${reported}")
    message(FATAL_ERROR "the unprotected crash was not reported (status ${status}), so the check below could not fail; "
        "Wine printed:\n${output}")
endif()
execute_process(COMMAND ${wine} "${PROBE}" OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
execute_process(COMMAND wineserver -w)
if(output MATCHES "${reported}")
    message(FATAL_ERROR "the protected crash was reported:\n${output}")
endif()
if(NOT status EQUAL 5)
    message(FATAL_ERROR "the protected crash ended with status ${status}, not 5 (0xC0000005)")
endif()
# Within Windows' own drive: the prefix also links to the whole Unix file system (z:).
file(GLOB_RECURSE dumps "${prefix}/drive_c/*.dmp" "${prefix}/drive_c/*.mdmp" "${prefix}/drive_c/*.wer")
foreach(dump IN LISTS dumps)
    file(TIMESTAMP "${dump}" written "%s")
    if(written GREATER_EQUAL started)
        message(FATAL_ERROR "the crash left a dump file: ${dump}")
    endif()
endforeach()
message("unprotected: reported by Wine's debugger; protected: status 5, no report, no dump file")
