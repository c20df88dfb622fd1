// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal.h"

#if defined(_WIN32)
#include <cstdio>
#include <windows.h>
#endif

void attachToTerminal()
{
#if defined(_WIN32)
    // Output redirected to a file or pipe is already there; only a bare console needs attaching.
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!std::freopen("CONOUT$", "w", stdout) || !std::freopen("CONOUT$", "w", stderr))
        return;
    // The texts are UTF-8.
    SetConsoleOutputCP(CP_UTF8);
#endif
}
