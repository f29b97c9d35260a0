// Where the program looks for its clip.

#include "clip_path.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

class TestClipPath : public QObject
{
    Q_OBJECT

private slots:
    void clipIsInTheProgramDirectory();
    void symbolicLinkToTheProgramIsResolved();
};

void TestClipPath::clipIsInTheProgramDirectory()
{
    const QString clip = numoria::clipPath();
    QCOMPARE(clip, QCoreApplication::applicationDirPath() + "/numoria.avi");
    QVERIFY(!clip.contains('\\') && !clip.contains("//"));
}

// Installed, /usr/bin/numoria is a link to /usr/lib/numoria/numoria, and the
// clip lies beside the real program. This test stands in for the program.
void TestClipPath::symbolicLinkToTheProgramIsResolved()
{
    QTemporaryDir bin;
    const QString program = QCoreApplication::applicationFilePath();
    QVERIFY(bin.isValid() && QFile::link(program, bin.filePath("numoria")));
    QProcess process;
    process.start(bin.filePath("numoria"), {"--print-clip-path"});
    QVERIFY(process.waitForFinished(-1));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()), QFileInfo(program).canonicalPath() + "/numoria.avi");
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains("--print-clip-path")) {
        std::fputs(qPrintable(numoria::clipPath()), stdout);
        return 0;
    }
    TestClipPath test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_clip_path.moc"
