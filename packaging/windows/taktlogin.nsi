# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Setup program for Windows: German, per user (no administrator rights), into
# %LOCALAPPDATA%\Programs\Taktlogin, with a Start-menu entry and an entry in "Apps".
# scripts/windows.sh builds it with
#   makensis -DVERSION=1.0.0 -DPUBLISHER=... -DHOMEPAGE=... -DPACKAGE_DIR=... -DICON=...
#            -DINSTALL_LIST=... -DUNINSTALL_LIST=... -DOUTFILE=... taktlogin.nsi
# where the two lists name every file of the package, so that the uninstaller removes exactly
# what was installed.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Taktlogin"
# Created by taktlogin.exe while it runs (src/desktop/instancemarker.h).
!define RUNNING_MUTEX "Local\de.taktlogin.Taktlogin"

Name "Taktlogin"
OutFile "${OUTFILE}"
# A second run goes where the first one installed.
InstallDir "$LOCALAPPDATA\Programs\Taktlogin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Taktlogin ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Taktlogin"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Taktlogin ${VERSION} - Installation"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
# The GPL grants rights and asks nothing of whoever only uses the program: the page informs,
# it does not ask for consent.
!define MUI_LICENSEPAGE_TEXT_TOP "Taktlogin ist freie Software unter der GNU General Public License."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Zum Benutzen müssen Sie der Lizenz nicht zustimmen; sie regelt Weitergabe und Änderung."
!define MUI_LICENSEPAGE_BUTTON "&Weiter >"
!define MUI_FINISHPAGE_RUN "$INSTDIR\taktlogin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Taktlogin jetzt starten"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_LICENSE "${PACKAGE_DIR}\COPYING.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

# Files in use cannot be replaced or removed, and a half-replaced program would not start:
# stop, say so, and end with status 2.
!macro StopWhileRunning what
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_OK|MB_ICONSTOP "Taktlogin läuft noch.$\r$\n$\r$\nBitte schließen Sie alle Taktlogin-Fenster und starten Sie die ${what} dann erneut." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Function .onInit
    SetShellVarContext current
    !insertmacro StopWhileRunning "Installation"
FunctionEnd

Function un.onInit
    SetShellVarContext current
    !insertmacro StopWhileRunning "Deinstallation"
FunctionEnd

Section "Taktlogin"
    SetShellVarContext current
    # An earlier installation is removed first by its own uninstaller, in place (_?=), so that
    # files the new version no longer has do not stay behind.
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR' $0
        ${If} $0 != 0
            MessageBox MB_OK|MB_ICONSTOP "Die vorhandene Installation in $INSTDIR ließ sich nicht entfernen (Status $0)." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}

    !include "${INSTALL_LIST}"

    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Taktlogin.lnk" "$INSTDIR\taktlogin.exe" "" "$INSTDIR\taktlogin.exe" 0 \
        SW_SHOWNORMAL "" "Anmeldung mit Tipprhythmus"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Taktlogin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\taktlogin.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    # In KiB, as "Apps" reads it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Taktlogin.lnk"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    # Only empty folders go: whatever the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
