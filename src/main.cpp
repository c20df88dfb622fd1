// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/appicon.h"
#include "desktop/corefiles.h"
#include "desktop/instancemarker.h"
#include "desktop/keyboardwarmup.h"
#include "desktop/windowframe.h"
#include "form/form1.h"
#include "platform/application.h"
#include "platform/systemtickcounter.h"

int main(int argc, char *argv[])
{
    // Before anything holds the password: a crash must not leave a memory image of it.
    forbidCoreFiles();
    markInstanceRunning();

    const auto app = Application::create(argc, argv);
    if (!app)
        return 1;
    // No application display name: Qt would append it to the window caption "Anmelden:".
    Application::setApplicationName(QStringLiteral("taktlogin"));
    Application::setApplicationVersion(QStringLiteral("1.00"));
    Application::setDesktopFileName(QStringLiteral("de.taktlogin.Taktlogin"));
    Application::setWindowIcon(applicationIcon());
    app->installGermanTranslations();

    SystemTickCounter counter;
    Form1 form(counter);
    WindowFrame::quitWhenDestroyedOutside(&form);
    WindowFrame::repaintWhenFrameChanges(&form);
    KeyboardWarmUp::prepareOnFirstActivation(&form);
    form.show();
    return Application::exec();
}
