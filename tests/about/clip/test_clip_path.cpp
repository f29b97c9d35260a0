// Where the program looks for its clip, and that the build puts it there.

#include "clip_path.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestClipPath : public QObject
{
    Q_OBJECT

private slots:
    void clipIsInTheProgramDirectory();
    void symbolicLinkToTheProgramIsResolved();
    void buildPlacesTheClipBesideTheProgram();
};

void TestClipPath::clipIsInTheProgramDirectory()
{
    const QString clip = numoria::clipPath();
    QCOMPARE(QFileInfo(clip).fileName(), QStringLiteral("numoria.avi"));
    QCOMPARE(QFileInfo(clip).absolutePath(), QCoreApplication::applicationDirPath());
    QVERIFY(!clip.contains('\\'));
    QVERIFY(!clip.contains("//"));
}

// Installed, /usr/bin/numoria is a link to /usr/lib/numoria/numoria, and the
// clip lies beside the real program.
void TestClipPath::symbolicLinkToTheProgramIsResolved()
{
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString program = QStringLiteral(NUMORIA_CLIP_PATH_PROBE);
    const QString link = bin.filePath("numoria");
    QVERIFY(QFile::link(program, link));

    QProcess process;
    process.start(link, {});
    QVERIFY(process.waitForFinished(-1));
    QCOMPARE(process.exitCode(), 0);
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    QCOMPARE(printed, QFileInfo(program).canonicalPath() + "/numoria.avi");
}

void TestClipPath::buildPlacesTheClipBesideTheProgram()
{
    QFile built(QStringLiteral(NUMORIA_BUILT_CLIP));
    QFile source(QStringLiteral(NUMORIA_CLIP_SOURCE));
    QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(built.fileName()));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY(source.size() > 0);
    QVERIFY(built.readAll() == source.readAll());
}

QTEST_GUILESS_MAIN(TestClipPath)
#include "test_clip_path.moc"
