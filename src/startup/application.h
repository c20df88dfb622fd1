// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "commandline.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

// The program's QApplication. It keeps an exception thrown by a handler from ending the
// program (in the browser, built without exception catching as Qt is, a throw ends it and the
// page says so), and turns a display Qt cannot open into one German line and exit status 1.
class Application : public QApplication
{
    Q_OBJECT

public:
    // Returns nullptr, after one line on stderr, when there is no display to show the window
    // on; Qt's own multi-line report and abort are not shown then.
    // `arguments` is what CommandLine::decide made of argv: the -platform and -display given.
    static std::unique_ptr<Application> create(int &argc, char **argv,
                                               const CommandLine::Decision &arguments);

    // Qt's standard texts (context menus, dialog buttons) in German, whatever the locale.
    void installGermanTranslations();

    bool notify(QObject *receiver, QEvent *event) override;

    // The line for a platform plugin that failed to start. `requested` is the platform asked
    // for, `available` Qt's list of installed ones, `display` the display it was to open,
    // `invokedAs` the program's argv[0] (for the advice to start it under xvfb-run).
    static std::string displayFailureLine(const std::string &requested, const std::string &available,
                                          const std::string &display, const std::string &invokedAs);

    // The platform list to ask Qt for where the user chose none (by -platform or
    // QT_QPA_PLATFORM): an X server, Xwayland included, comes first, since only there can the
    // window place itself; Wayland natively otherwise. Empty: leave the choice to Qt.
    static std::string preferredPlatforms(bool userChose, const std::string &display,
                                          const std::string &waylandDisplay);

private:
    Application(int &argc, char **argv);
};
