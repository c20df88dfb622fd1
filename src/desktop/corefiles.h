// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Keeps the process from ever writing a memory image: no core file on a crash, and no other
// unprivileged process may read its memory. Call first thing in main().
void forbidCoreFiles();
