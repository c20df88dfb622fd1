// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appicon.h"
#include "application.h"
#include "commandline.h"
#include "corefiles.h"
#include "form1.h"
#include "instancemarker.h"
#include "keyboardwarmup.h"
#include "systemtickcounter.h"
#include "terminal.h"
#include "windowframe.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    // --help, --version and arguments nobody knows are answered before any display is opened.
    const CommandLine::Decision request =
        CommandLine::decide(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (request.action != CommandLine::Action::Run) {
        attachToTerminal();
        if (request.action == CommandLine::Action::Refuse) {
            std::fprintf(stderr, "%s\n", request.error.c_str());
            return 2;
        }
        const std::string text = request.action == CommandLine::Action::ShowHelp ? CommandLine::helpText()
                                                                                 : CommandLine::versionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    // Before anything holds the password: a crash must not leave a memory image of it.
    forbidCoreFiles();
    markInstanceRunning();

    const auto app = Application::create(argc, argv, request);
    if (!app)
        return 1;
    // No application display name: Qt would append it to the window caption "Anmelden:".
    Application::setApplicationName(QStringLiteral("taktlogin"));
    Application::setApplicationVersion(QStringLiteral("1.00"));
    Application::setDesktopFileName(QStringLiteral("de.taktlogin.Taktlogin"));
    Application::setWindowIcon(applicationIcon());
    app->installGermanTranslations();

    SystemTickCounter counter;
    Form1 form(counter, &WindowFrame::expectedMargins);
    WindowFrame::quitWhenDestroyedOutside(&form);
    WindowFrame::repaintWhenFrameChanges(&form);
    KeyboardWarmUp::prepareOnFirstActivation(&form);
    // showNormal: a browser would otherwise fill the whole page with the form.
    form.showNormal();
    return Application::exec();
}
