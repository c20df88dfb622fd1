// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets a text the program prints reach the terminal it was started from. On Windows the
// program is a GUI program, which has no console of its own: it borrows the console of the
// terminal that started it, where there is one. Elsewhere stdout and stderr already lead there.
void attachToTerminal();
