// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// On Windows, marks the session as one in which taktlogin runs: a named mutex that lives as
// long as the process. The setup program and the uninstaller look for it and refuse to replace
// or remove files while the program runs. Nothing elsewhere, where package managers replace
// files under a running program safely.
void markInstanceRunning();

// The mutex's name, shared with the installer script.
inline constexpr const wchar_t *instanceMarkerName = L"Local\\de.taktlogin.Taktlogin";
