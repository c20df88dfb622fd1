// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/corefiles.h"

#if defined(__linux__)
#include <sys/prctl.h>
#include <sys/resource.h>
#endif

void forbidCoreFiles()
{
#if defined(__linux__)
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}
