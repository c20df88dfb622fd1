// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

// Qt asks for the user's runtime directory while it starts its platform (it looks there for
// "flatpak-info"). Where XDG_RUNTIME_DIR is unset or unusable, as after su or in some ssh and
// container sessions, Qt 6.4 creates $TMPDIR/runtime-$USER and says so in English on stderr.
// The program writes no files, so for the start of the platform it hands Qt the directory the
// system already keeps for the user (/run/user/UID) or, where there is none, a temporary
// directory Qt cannot create anything in. The lookup then finds nothing, as it would anyway
// outside Flatpak.
class RuntimeDirectory
{
public:
    // Prepares the environment; the destructor puts TMPDIR back.
    RuntimeDirectory();
    ~RuntimeDirectory();
    RuntimeDirectory(const RuntimeDirectory &) = delete;
    RuntimeDirectory &operator=(const RuntimeDirectory &) = delete;

    // True where Qt's own report of the missing directory is expected and means nothing.
    bool withheld() const { return m_withheld; }

    // A directory the XDG base directory rules accept as runtime directory: a real directory,
    // not a link, owned by the effective user, mode 0700.
    static bool usable(const std::string &path);

private:
    bool m_withheld = false;
    std::optional<std::string> m_savedTemporaryDirectory;
};
