# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before it builds a package. Without dpkg-shlibdeps CPack only warns and writes a
# .deb whose Depends lacks every library; that package installs and then cannot start.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(TAKTLOGIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TAKTLOGIN_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing, so the package's library dependencies cannot be "
                            "found; install dpkg-dev (or run bash scripts/package.sh)")
    endif()
endif()
