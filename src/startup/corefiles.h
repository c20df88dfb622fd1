// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Keeps the process from ever writing a memory image: no core file on a crash, and no other
// unprivileged process may read its memory. On Windows a crash ends the process at once,
// without the fault dialog and before Windows Error Reporting could take a dump. Call first
// thing in main().
void forbidCoreFiles();
