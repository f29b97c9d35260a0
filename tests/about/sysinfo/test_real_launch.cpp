#include "message_recorder.h"
#include "stand_in_registry.h"
#include "start_sys_info.h"
#include "system_info_launcher.h"
#include "system_tool.h"

#include <QtTest>

using namespace numoria;

namespace {

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

} // namespace

class TestRealLaunch : public QObject
{
    Q_OBJECT

private slots:
    void startsTheToolWithoutAShell();
    void fileTest_data();
    void fileTest();
    void aboutBoxEntryWorksOnThisMachine();
};

// A real tool, named by a stand-in file, in a directory whose name a shell
// would split, expand or cut short: it must start, and see its own path.
void TestRealLaunch::startsTheToolWithoutAShell()
{
#ifdef _WIN32
    QSKIP("starts a shell script");
#endif
    QTemporaryDir temporary;
    const QString toolDir = temporary.filePath(QStringLiteral("tool dir $HOME 'q' \"dq\" ;&|`x`"));
    const QString tool = toolDir + QStringLiteral("/MSINFO32.EXE");
    QVERIFY(temporary.isValid() && QDir().mkpath(toolDir));
    QVERIFY(writeFile(tool, "#!/bin/sh\nprintf '%s' \"$0\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.started\"\n"));
    QVERIFY(QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QByteArray escaped = toolDir.toUtf8().replace("\\", "\\\\").replace("\"", "\\\"");
    const QString registryFile = temporary.filePath(QStringLiteral("registry.reg"));
    QVERIFY(writeFile(registryFile, "[HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"=\"" + escaped + "\"\n"));

    StandInRegistry registry(registryFile.toStdString());
    SystemInfoLauncher launcher(registry, &toolFileExists, &startToolDetached);
    MessageRecorder recorder;
    launcher.StartSysInfo(nullptr);
    QCOMPARE(recorder.messages, QList<Message>());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(tool + ".started"), 10000);
    QFile started(tool + ".started");
    QVERIFY(started.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(started.readAll()), tool);
}

// The real file test and launcher: only a file (or a link to one) is a tool,
// and what cannot be started says so.
void TestRealLaunch::fileTest_data()
{
    QTest::addColumn<QString>("made"); // what is created at the tested name
    QTest::addColumn<bool>("isTool");
    QTest::newRow("file") << "file" << true;
    QTest::newRow("link to a file") << "link" << true;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("nothing") << "nothing" << false;
}

void TestRealLaunch::fileTest()
{
    QFETCH(QString, made);
    QFETCH(bool, isTool);
    QTemporaryDir temporary;
    const QString path = temporary.filePath(QStringLiteral("MSINFO32.EXE"));
    if (made == "file")
        QVERIFY(writeFile(path, "x"));
    else if (made == "link")
        QVERIFY(writeFile(path + ".real", "x") && QFile::link(path + ".real", path));
    else if (made == "directory")
        QVERIFY(QDir().mkpath(path));
    QCOMPARE(toolFileExists(path), isTool);
    if (!isTool)
        QVERIFY(!startToolDetached(path));
}

// The stand-in file is machine-wide; only when this machine has none is the
// outcome known.
void TestRealLaunch::aboutBoxEntryWorksOnThisMachine()
{
#ifdef _WIN32
    QSKIP("uses the real registry");
#endif
    if (QFileInfo::exists(QString::fromLatin1(standInRegistryPath)))
        QSKIP("this machine has a stand-in registry file");
    MessageRecorder recorder;
    numoria::StartSysInfo(nullptr);
    QCOMPARE(recorder.messages, QList<Message>{SystemInfoLauncher::unavailableMessage()});
}

QTEST_GUILESS_MAIN(TestRealLaunch)
#include "test_real_launch.moc"
