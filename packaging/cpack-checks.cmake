# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before it builds each package.
if(CPACK_GENERATOR STREQUAL "DEB")
    # Without dpkg-shlibdeps CPack only warns and writes a .deb whose Depends lacks every library;
    # that package installs and then cannot start.
    find_program(TAKTLOGIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TAKTLOGIN_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing, so the package's library dependencies cannot be "
                            "found; install dpkg-dev (or run bash scripts/package.sh)")
    endif()
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    # The setup program is named for what it does; the zip keeps the platform in its name.
    set(CPACK_PACKAGE_FILE_NAME taktlogin-${CPACK_PACKAGE_VERSION}-setup)
endif()
