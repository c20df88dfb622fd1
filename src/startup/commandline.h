// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// What the program was asked for on its command line, decided before any window or display
// is touched: `--help` and `--version` answer without a display, and an argument neither the
// program nor Qt knows ends the start with one line and status 2.
class CommandLine
{
public:
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse
    };

    struct Decision
    {
        Action action = Action::Run;
        // The line for stderr when the start is refused.
        std::string error;
        // The X display named with -display, empty where none was.
        std::string display;
        // The Qt platform named with -platform, empty where none was.
        std::string platform;
    };

    // `arguments` without the program's own name.
    static Decision decide(const std::vector<std::string> &arguments);

    static std::string helpText();
    static std::string versionText();
};
