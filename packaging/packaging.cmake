# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# What is installed and how the Debian package is made. Included from the top-level
# CMakeLists.txt so that CPack sees these settings.

# Whoever publishes the program sets these two: the package maintainer and the homepage. Until
# then they use the reserved .invalid domain (RFC 2606), which reaches nobody, rather than a
# domain a stranger may hold.
set(TAKTLOGIN_MAINTAINER "Taktlogin-Team <team@taktlogin.invalid>")
set(TAKTLOGIN_HOMEPAGE "https://taktlogin.invalid/")

include(GNUInstallDirs)
set(TAKTLOGIN_APP_ID de.taktlogin.Taktlogin)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(generated_dir ${PROJECT_BINARY_DIR}/packaging)

configure_file(${packaging_dir}/${TAKTLOGIN_APP_ID}.metainfo.xml.in
    ${generated_dir}/${TAKTLOGIN_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging_dir}/debian/copyright.in ${generated_dir}/copyright @ONLY)
configure_file(${packaging_dir}/debian/changelog.in ${generated_dir}/changelog @ONLY)

# Everything a user runs is the "program" component; the debug symbols are the "debug" one.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME program)
if(WIN32)
    include(${packaging_dir}/windows/windows.cmake)
    return()
elseif(EMSCRIPTEN)
    include(${packaging_dir}/web/web.cmake)
    return()
endif()
install(TARGETS taktlogin
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)
install(FILES ${packaging_dir}/${TAKTLOGIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated_dir}/${TAKTLOGIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/${TAKTLOGIN_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# CPack's own split (CPACK_DEBIAN_DEBUGINFO_PACKAGE) writes build paths into the dbgsym
# package's md5sums, so the split is done here, as dh_strip does it.
if(UNIX AND NOT APPLE AND CMAKE_READELF AND CMAKE_OBJCOPY AND CMAKE_STRIP)
    set(split_settings "
        set(TAKTLOGIN_BUILT_BINARY \"$<TARGET_FILE:taktlogin>\")
        set(TAKTLOGIN_INSTALLED_BINARY \"${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:taktlogin>\")
        set(TAKTLOGIN_READELF \"${CMAKE_READELF}\")
        set(TAKTLOGIN_OBJCOPY \"${CMAKE_OBJCOPY}\")
        set(TAKTLOGIN_STRIP \"${CMAKE_STRIP}\")")
    install(CODE "${split_settings}\nset(TAKTLOGIN_SPLIT strip)\ninclude(\"${packaging_dir}/split-debug.cmake\")"
        COMPONENT program)
    install(CODE "${split_settings}\nset(TAKTLOGIN_SPLIT extract)\ninclude(\"${packaging_dir}/split-debug.cmake\")"
        COMPONENT debug EXCLUDE_FROM_ALL)
    # Debian points a dbgsym package's documentation at that of the package it belongs to.
    install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc\")
        file(CREATE_LINK taktlogin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc/taktlogin-dbgsym\" SYMBOLIC)"
        COMPONENT debug EXCLUDE_FROM_ALL)
endif()

# The man page and the changelog go in compressed, without a time stamp in the gzip header, as
# Debian installs them.
if(UNIX AND NOT APPLE)
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
    set(compressed_files
        "${packaging_dir}/taktlogin.1|${generated_dir}/taktlogin.1.gz"
        "${generated_dir}/changelog|${generated_dir}/changelog.gz")
    set(compressed_outputs)
    foreach(pair IN LISTS compressed_files)
        string(REPLACE "|" ";" pair "${pair}")
        list(GET pair 0 input)
        list(GET pair 1 output)
        add_custom_command(OUTPUT ${output}
            COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${input} > ${output}
            DEPENDS ${input}
            VERBATIM)
        list(APPEND compressed_outputs ${output})
    endforeach()
    add_custom_target(taktlogin_docs ALL DEPENDS ${compressed_outputs})

    install(FILES ${generated_dir}/taktlogin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${generated_dir}/copyright ${generated_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/taktlogin)
endif()

set(CPACK_PACKAGE_NAME taktlogin)
set(CPACK_PACKAGE_VENDOR "Taktlogin-Team")
set(CPACK_PACKAGE_CONTACT "${TAKTLOGIN_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TAKTLOGIN_HOMEPAGE}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The first line is the summary. Neither CPACK_PACKAGE_DESCRIPTION_SUMMARY nor the project's
# DESCRIPTION is set: CPack would put it above every component's description.
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "Anmeldeformular, das auch den Tipprhythmus prüft
Taktlogin erkennt ein Passwort nicht nur an seinen Zeichen, sondern auch am
Rhythmus, in dem es getippt wird. Das Passwort wird eingegeben und
wiederholt; jede Änderung der Felder erhält einen Zeitstempel. Die
Anmeldung gelingt nur, wenn beide Eingaben dieselben Zeichen und denselben
Rhythmuscode haben. Die Schaltfläche „Login“ wird wählbar, sobald beide
Felder mindestens 5 Zeichen enthalten.
.
Die erweiterte Ansicht zeigt zu jeder Eingabe jeden Tastendruck mit seinem
Abstand zum vorigen, ein Balkendiagramm der Abstände, die Rhythmusschwelle
und den Rhythmuscode.
.
Das Programm behält nichts: Es schreibt keine Dateien, Einstellungen oder
Protokolle, gibt das Passwort weder in die Zwischenablage noch in die
Auswahl von X und hinterlässt bei einem Absturz keinen Speicherabzug.")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program debug)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME taktlogin)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "fonts-dejavu-core, qt6-translations-l10n")
# Lets a Wayland-only session run the window natively.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_DEBUG_PACKAGE_NAME taktlogin-dbgsym)
set(CPACK_DEBIAN_DEBUG_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DEBUG_PACKAGE_DEPENDS "taktlogin (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEBUG_DESCRIPTION "Debug-Symbole für taktlogin
Die Debug-Symbole des Programms taktlogin, nach seiner Build-ID abgelegt,
so dass gdb sie findet.")
# A package without its library dependencies installs and then cannot start: refuse to build it.
set(CPACK_PROJECT_CONFIG_FILE ${packaging_dir}/cpack-checks.cmake)
include(CPack)
