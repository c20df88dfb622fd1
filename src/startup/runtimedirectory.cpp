// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimedirectory.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdlib>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_WASM)
#define TAKTLOGIN_XDG_RUNTIME 1
#include <sys/stat.h>
#include <unistd.h>
#endif

bool RuntimeDirectory::usable(const std::string &path)
{
#ifdef TAKTLOGIN_XDG_RUNTIME
    struct stat status = {};
    return !path.empty() && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
#else
    Q_UNUSED(path);
    return false;
#endif
}

RuntimeDirectory::RuntimeDirectory()
{
#ifdef TAKTLOGIN_XDG_RUNTIME
    const char *given = std::getenv("XDG_RUNTIME_DIR");
    if (given && usable(given))
        return;
    struct stat status = {};
    if (given && *given && ::lstat(given, &status) != 0 && errno == ENOENT) {
        // Qt would create the missing directory itself.
        ::unsetenv("XDG_RUNTIME_DIR");
        given = nullptr;
    }
    if (!given || !*given) {
        const std::string own = "/run/user/" + std::to_string(::geteuid());
        if (usable(own)) {
            ::setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
            return;
        }
    }
    // Qt falls back to $TMPDIR/runtime-$USER; below a device no directory can be made.
    if (const char *temporary = std::getenv("TMPDIR"))
        m_savedTemporaryDirectory = temporary;
    ::setenv("TMPDIR", "/dev/null", 1);
    m_withheld = true;
#endif
}

RuntimeDirectory::~RuntimeDirectory()
{
#ifdef TAKTLOGIN_XDG_RUNTIME
    if (!m_withheld)
        return;
    if (m_savedTemporaryDirectory)
        ::setenv("TMPDIR", m_savedTemporaryDirectory->c_str(), 1);
    else
        ::unsetenv("TMPDIR");
#endif
}
