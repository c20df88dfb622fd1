#include "form/form1.h"
#include "platform/systemtickcounter.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts with a long message when there is no display; say it in one line instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto unset = [](const char *name) {
        const char *value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (displayMissing()) {
        std::fputs(
            "taktlogin: keine Anzeige gefunden (DISPLAY ist nicht gesetzt); ohne Bildschirm so starten: "
            "xvfb-run -a taktlogin\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("taktlogin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Taktlogin"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("de.taktlogin.Taktlogin"));

    SystemTickCounter counter;
    Form1 form(counter);
    form.show();
    return app.exec();
}
