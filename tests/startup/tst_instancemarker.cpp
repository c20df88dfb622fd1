// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "instancemarker.h"

#include <QTest>

#include <windows.h>

// The installer finds a running program by this mutex (OpenMutex with SYNCHRONIZE).
class TestInstanceMarker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theInstallerCanSeeTheProgramRun();
};

void TestInstanceMarker::theInstallerCanSeeTheProgramRun()
{
    HANDLE seen = OpenMutexW(SYNCHRONIZE, FALSE, instanceMarkerName);
    QVERIFY(seen == nullptr);
    markInstanceRunning();
    seen = OpenMutexW(SYNCHRONIZE, FALSE, instanceMarkerName);
    QVERIFY(seen != nullptr);
    CloseHandle(seen);
}

QTEST_MAIN(TestInstanceMarker)
#include "tst_instancemarker.moc"
