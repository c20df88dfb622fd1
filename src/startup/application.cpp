// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "runtimedirectory.h"

#include <QLibraryInfo>
#include <QTranslator>

#if defined(Q_OS_WASM)
#include <emscripten.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// `text` as one word of a POSIX shell command line.
std::string shellWord(const std::string &text)
{
    const bool plain =
        !text.empty() && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                "0123456789_./+-") == std::string::npos;
    if (plain)
        return text;
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// How to start the program without a screen, as a command that works when typed: the program
// as it was invoked (a checkout's build is not on PATH) and where xvfb-run comes from.
std::string noDisplayAdvice(const std::string &invokedAs)
{
    const std::string program =
        invokedAs.find('/') == std::string::npos ? std::string("taktlogin") : invokedAs;
    return "; ohne Bildschirm so starten: xvfb-run -a " + shellWord(program) +
           " (xvfb-run aus dem Paket xvfb)";
}

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The platform Qt will try first: -platform on the command line, else QT_QPA_PLATFORM, else
// what Qt itself prefers.
std::string requestedPlatform(const CommandLine::Decision &arguments)
{
    std::string platform = arguments.platform;
    if (platform.empty())
        platform = environment("QT_QPA_PLATFORM");
    if (platform.empty()) {
#if defined(Q_OS_WIN)
        platform = "windows";
#elif defined(Q_OS_WASM)
        platform = "wasm";
#else
        const bool wayland =
            environment("XDG_SESSION_TYPE") == "wayland" && !environment("WAYLAND_DISPLAY").empty();
        platform = wayland ? "wayland" : "xcb";
#endif
    }
    // "wayland;xcb" lists fallbacks and "xcb:option" carries options; the name comes first.
    return platform.substr(0, platform.find_first_of(";:"));
}

// The display the platform will open: for X11 the one named with -display, else DISPLAY.
std::string displayOf(const std::string &platform, const CommandLine::Decision &arguments)
{
    if (platform == "xcb")
        return arguments.display.empty() ? environment("DISPLAY") : arguments.display;
    if (platform.rfind("wayland", 0) == 0) {
        const std::string display = environment("WAYLAND_DISPLAY");
        return display.empty() ? std::string("wayland-0") : display;
    }
    return {};
}

// What Qt reports while the platform starts is held back: on failure one line replaces it, on
// success it is passed on as it would have been.
struct StartupMessages
{
    std::string platform;
    std::string display;
    std::string invokedAs;
    bool runtimeDirectoryWithheld = false;
    std::vector<std::string> held;
};
StartupMessages *startupMessages = nullptr;

void holdStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        // Qt's report of the runtime directory the program kept from it (see RuntimeDirectory).
        if (startupMessages->runtimeDirectoryWithheld &&
            message.startsWith(QLatin1String("QStandardPaths: ")))
            return;
        startupMessages->held.push_back(qFormatLogMessage(type, context, message).toStdString());
        return;
    }
    const std::string text = message.toStdString();
    const std::string marker = "Available platform plugins are: ";
    const auto listStart = text.find(marker);
    std::string available;
    if (listStart != std::string::npos) {
        available = text.substr(listStart + marker.size());
        while (!available.empty() && (available.back() == '.' || available.back() == '\n'))
            available.pop_back();
    }
    const std::string &platform = startupMessages->platform;
    const std::string line = Application::displayFailureLine(platform, available, startupMessages->display,
                                                             startupMessages->invokedAs);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
#if defined(Q_OS_WASM)
    // In a page the event loop never returns to main: end the program here, so that the page
    // learns of it and offers a new start.
    connect(this, &QGuiApplication::lastWindowClosed, this, [] { emscripten_force_exit(0); });
#endif
}

std::unique_ptr<Application> Application::create(int &argc, char **argv,
                                                 const CommandLine::Decision &arguments)
{
    const std::string invokedAs = argc > 0 && argv[0] ? argv[0] : "";
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_WASM)
    // Nothing to try at all: say so without loading a platform plugin.
    if (environment("QT_QPA_PLATFORM").empty() && environment("DISPLAY").empty() &&
        environment("WAYLAND_DISPLAY").empty() && arguments.platform.empty() && arguments.display.empty()) {
        std::fprintf(stderr, "taktlogin: keine Anzeige gefunden (DISPLAY ist nicht gesetzt)%s\n",
                     noDisplayAdvice(invokedAs).c_str());
        return nullptr;
    }
#endif
    const std::string preferred =
        preferredPlatforms(!arguments.platform.empty() || !environment("QT_QPA_PLATFORM").empty(),
                           arguments.display.empty() ? environment("DISPLAY") : arguments.display,
                           environment("WAYLAND_DISPLAY"));
    if (!preferred.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(preferred));

    const std::string platform = requestedPlatform(arguments);
    std::unique_ptr<Application> application;
    StartupMessages messages{platform, displayOf(platform, arguments), invokedAs, false, {}};
    {
        const RuntimeDirectory runtimeDirectory;
        messages.runtimeDirectoryWithheld = runtimeDirectory.withheld();
        startupMessages = &messages;
        const QtMessageHandler previous = qInstallMessageHandler(holdStartupMessage);
        application.reset(new Application(argc, argv));
        qInstallMessageHandler(previous);
    }
    startupMessages = nullptr;
    for (const std::string &line : messages.held)
        std::fprintf(stderr, "%s\n", line.c_str());
    return application;
}

std::string Application::preferredPlatforms(bool userChose, const std::string &display,
                                            const std::string &waylandDisplay)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_WASM)
    if (userChose || waylandDisplay.empty())
        return {};
    // Qt would take Wayland first in a Wayland session; Xwayland still lets the window centre
    // itself, and Wayland stays the fallback should the X server not answer.
    return display.empty() ? std::string("wayland") : std::string("xcb;wayland");
#else
    Q_UNUSED(userChose);
    Q_UNUSED(display);
    Q_UNUSED(waylandDisplay);
    return {};
#endif
}

std::string Application::displayFailureLine(const std::string &requested, const std::string &available,
                                            const std::string &display, const std::string &invokedAs)
{
    bool installed = false;
    std::string::size_type start = 0;
    while (start <= available.size()) {
        auto end = available.find(',', start);
        if (end == std::string::npos)
            end = available.size();
        std::string name = available.substr(start, end - start);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        installed = installed || name == requested;
        start = end + 1;
    }
    if (!installed) {
        return "taktlogin: die Qt-Plattform \u201e" + requested +
               "\u201c ist nicht installiert (vorhanden: " +
               (available.empty() ? std::string("keine") : available) + ")";
    }
    if (!display.empty()) {
        return "taktlogin: keine Verbindung zur Anzeige \u201e" + display + "\u201c (Qt-Plattform \u201e" +
               requested + "\u201c)" + noDisplayAdvice(invokedAs);
    }
    return "taktlogin: die Qt-Plattform \u201e" + requested + "\u201c konnte nicht starten" +
           noDisplayAdvice(invokedAs);
}

void Application::installGermanTranslations()
{
    auto *translator = new QTranslator(this);
    // Debian installs them with Qt; the Windows package carries them beside the program, the
    // browser build inside it.
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        translator->load(QStringLiteral("qtbase_de"),
                         applicationDirPath() + QStringLiteral("/translations")) ||
        translator->load(QStringLiteral("qtbase_de"), QStringLiteral(":/translations")))
        installTranslator(translator);
    else
        delete translator;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    // Whatever a handler throws costs that one event, never the program and what it holds.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "taktlogin: interner Fehler, Ereignis verworfen: %s\n", error.what());
    } catch (...) {
        std::fputs("taktlogin: interner Fehler, Ereignis verworfen\n", stderr);
    }
    return false;
}
