// The sanitized build is only worth its time if the sanitizers really fire:
// each row runs a program that commits one fault and expects it stopped and
// reported, with the options and suppressions the test run uses.
#include <QtTest>

class TestSanitizers : public QObject
{
    Q_OBJECT

private slots:
    void faultIsStoppedAndReported_data();
    void faultIsStoppedAndReported();
};

void TestSanitizers::faultIsStoppedAndReported_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("report");

    QTest::newRow("heap buffer overflow") << "heap-overflow" << "AddressSanitizer: heap-buffer-overflow";
    QTest::newRow("use after free") << "use-after-free" << "AddressSanitizer: heap-use-after-free";
    QTest::newRow("signed overflow halts") << "signed-overflow" << "runtime error: signed integer overflow";
    // Our own leaks must get through the suppressions.
    QTest::newRow("leak") << "leak" << "LeakSanitizer: detected memory leaks";
    // And a clean run stays clean (an unreadable suppressions file would not).
    QTest::newRow("no fault") << "none" << "";
}

void TestSanitizers::faultIsStoppedAndReported()
{
    QFETCH(QString, fault);
    QFETCH(QString, report);

    QProcess canary;
    canary.start(QStringLiteral(NUMORIA_SANITIZER_CANARY), {fault});
    QVERIFY2(canary.waitForFinished(60000), qPrintable(canary.errorString()));
    const QString output = QString::fromLocal8Bit(canary.readAllStandardError());
    const bool survived = canary.readAllStandardOutput().contains("survived");

    if (report.isEmpty()) {
        QVERIFY2(survived && canary.exitStatus() == QProcess::NormalExit && canary.exitCode() == 0,
                 qPrintable(output));
        QVERIFY2(output.isEmpty(), qPrintable(output));
        return;
    }
    QVERIFY2(output.contains(report), qPrintable(output));
    if (fault != "leak")  // a leak is only found at exit
        QVERIFY2(!survived, "the program ran on after the fault");
    QVERIFY(canary.exitStatus() == QProcess::CrashExit || canary.exitCode() != 0);
}

QTEST_APPLESS_MAIN(TestSanitizers)
#include "test_sanitizers.moc"
