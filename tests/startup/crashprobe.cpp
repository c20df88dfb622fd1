// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Crashes on purpose, after the program's start-up protection unless --unprotected is given, so
// that a test can see what the crash leaves behind: a core file, a debugger, an error report.

#include "corefiles.h"

#include <cstdint>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "--unprotected") != 0)
        forbidCoreFiles();
    // A write to the first page, which no process maps: an access violation, SIGSEGV on Linux.
    // Read through volatile, the address is no constant the compiler could reason about.
    volatile std::uintptr_t firstPage = 16;
    *reinterpret_cast<volatile int *>(firstPage) = 1;
    return 0;
}
