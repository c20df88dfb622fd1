// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifndef TAKTLOGIN_VERSION
#error "TAKTLOGIN_VERSION comes from the project's version in CMake"
#endif

namespace {

// The options QApplication and its platform plugins take with a value, and those they take
// alone (Qt accepts each with one dash or two).
constexpr std::array<std::string_view, 15> QtOptionsWithValue{"platform",      "platformpluginpath",
                                                              "platformtheme", "plugin",
                                                              "display",       "style",
                                                              "stylesheet",    "qwindowgeometry",
                                                              "geometry",      "qwindowtitle",
                                                              "title",         "qwindowicon",
                                                              "icon",          "session",
                                                              "name"};
constexpr std::array<std::string_view, 5> QtFlags{"reverse", "sync", "nograb", "dograb", "widgetcount"};

template <std::size_t N> bool contains(const std::array<std::string_view, N> &names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string quoted(const std::string &text)
{
    return "\u201e" + text + "\u201c";
}

constexpr std::string_view HelpHint = " (taktlogin --help zeigt die Optionen)";

} // namespace

CommandLine::Decision CommandLine::decide(const std::vector<std::string> &arguments)
{
    Decision decision;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "-h" || argument == "--help")
            return {Action::ShowHelp, {}, {}, {}};
        if (argument == "-v" || argument == "--version")
            return {Action::ShowVersion, {}, {}, {}};
        if (argument.size() < 2 || argument[0] != '-') {
            return {Action::Refuse,
                    "taktlogin: unerwartetes Argument " + quoted(argument) + std::string(HelpHint),
                    {},
                    {}};
        }
        const std::string_view name = std::string_view(argument).substr(argument.rfind("--", 0) == 0 ? 2 : 1);
        if (contains(QtFlags, name))
            continue;
        if (!contains(QtOptionsWithValue, name)) {
            return {Action::Refuse,
                    "taktlogin: unbekannte Option " + quoted(argument) + std::string(HelpHint),
                    {},
                    {}};
        }
        if (i + 1 >= arguments.size()) {
            return {Action::Refuse,
                    "taktlogin: der Option " + quoted(argument) + " fehlt der Wert" + std::string(HelpHint),
                    {},
                    {}};
        }
        const std::string &value = arguments[++i];
        // Qt takes the last one where an option is given twice.
        if (name == "display")
            decision.display = value;
        else if (name == "platform")
            decision.platform = value;
    }
    return decision;
}

std::string CommandLine::helpText()
{
    return "Aufruf: taktlogin [Qt-Optionen]\n"
           "\n"
           "Ein Anmeldeformular, das ein Passwort an seinen Zeichen und am Rhythmus erkennt, in dem\n"
           "es getippt wird. Login ist m\u00f6glich, sobald beide Felder mindestens 5 Zeichen enthalten.\n"
           "\n"
           "Optionen:\n"
           "  -h, --help             diese Hilfe zeigen und beenden\n"
           "  -v, --version          Name und Version zeigen und beenden\n"
           "\n"
           "Qt-Optionen, unter anderem:\n"
           "  -platform NAME         die Qt-Plattform, etwa xcb (X11), wayland oder offscreen\n"
           "  -display ANZEIGE       die X-Anzeige, auf der das Fenster erscheint (nur mit xcb)\n"
           "  -style STIL            der Qt-Stil der Bedienelemente, etwa Fusion\n"
           "  -reverse               das Fenster von rechts nach links anordnen\n"
#if !defined(_WIN32)
           "\n"
           "Mehr in der Handbuchseite: man taktlogin\n"
#endif
        ;
}

std::string CommandLine::versionText()
{
    return std::string("taktlogin ") + TAKTLOGIN_VERSION + "\n";
}
