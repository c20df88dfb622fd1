// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "instancemarker.h"

#if defined(_WIN32)
#include <windows.h>
#endif

void markInstanceRunning()
{
#if defined(_WIN32)
    // The handle stays open until the process ends, which closes it; a second instance opens
    // the same mutex, which is as good.
    CreateMutexW(nullptr, FALSE, instanceMarkerName);
#endif
}
