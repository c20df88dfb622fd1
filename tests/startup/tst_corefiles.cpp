// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "corefiles.h"

#include <QTest>

#if defined(__linux__)
#include <sys/prctl.h>
#include <sys/resource.h>
#elif defined(_WIN32)
#include <windows.h>
#endif

// What a crash can leave behind is decided by process state; this checks that state after the
// call. The crash itself is tried by the crash probe (check_core_files.sh, and under Wine).
class TestCoreFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingIsLeftForACrash();
};

void TestCoreFiles::nothingIsLeftForACrash()
{
#if defined(__linux__)
    QCOMPARE(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 1);
    forbidCoreFiles();
    rlimit limit{};
    QCOMPARE(getrlimit(RLIMIT_CORE, &limit), 0);
    QCOMPARE(limit.rlim_cur, rlim_t(0));
    // The hard limit too, so nothing in the process can raise it again.
    QCOMPARE(limit.rlim_max, rlim_t(0));
    QCOMPARE(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
#elif defined(_WIN32)
    const LPTOP_LEVEL_EXCEPTION_FILTER before = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(before);
    forbidCoreFiles();
    const UINT wanted = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    QCOMPARE(GetErrorMode() & wanted, wanted);
    const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(installed);
    QVERIFY(installed != nullptr);
    QVERIFY(installed != before);
#else
    QSKIP("no crash protection on this system");
#endif
}

QTEST_MAIN(TestCoreFiles)
#include "tst_corefiles.moc"
