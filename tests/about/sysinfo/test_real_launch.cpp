#include "message_recorder.h"
#include "stand_in_registry.h"
#include "start_sys_info.h"
#include "system_info_launcher.h"
#include "system_tool.h"

#include <QtTest>

using namespace numoria;

namespace {

// Writes its own path, as it was started, next to itself once it runs.
const char script[] =
    "#!/bin/sh\n"
    "here=$(dirname \"$0\")\n"
    "printf '%s' \"$0\" > \"$here/marker.tmp\" && mv \"$here/marker.tmp\" \"$here/marker\"\n";

// A directory name that a shell would split, expand or cut short.
const char awkwardName[] = "tool dir $HOME 'q' \"dq\" ;&|`x`";

QByteArray regString(const QString &text)
{
    QByteArray escaped = text.toUtf8();
    escaped.replace("\\", "\\\\").replace("\"", "\\\"");
    return '"' + escaped + '"';
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

}  // namespace

class TestRealLaunch : public QObject
{
    Q_OBJECT

private slots:
    void startsTheToolWithoutAShell_data();
    void startsTheToolWithoutAShell();
    void directoryNamedLikeTheToolIsNoTool();
    void fileTest_data();
    void fileTest();
    void launcherRefusesWhatCannotRun_data();
    void launcherRefusesWhatCannotRun();
    void aboutBoxEntryWorksOnThisMachine();
};

void TestRealLaunch::startsTheToolWithoutAShell_data()
{
    QTest::addColumn<bool>("byPath");
    QTest::newRow("PATH names the tool") << true;
    QTest::newRow("MSINFO names its directory") << false;
}

void TestRealLaunch::startsTheToolWithoutAShell()
{
    QFETCH(bool, byPath);
#ifdef _WIN32
    QSKIP("starts a shell script");
#endif
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString toolDir = temporary.filePath(QString::fromUtf8(awkwardName));
    QVERIFY(QDir().mkpath(toolDir));
    const QString tool = toolDir + (byPath ? QStringLiteral("/my tool.sh") : QStringLiteral("/MSINFO32.EXE"));
    QVERIFY(writeFile(tool, script));
    QVERIFY(QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    const QString registryFile = temporary.filePath(QStringLiteral("registry.reg"));
    const QByteArray reg = byPath ? "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"="
                                        + regString(tool) + '\n'
                                  : "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"="
                                        + regString(toolDir) + '\n';
    QVERIFY(writeFile(registryFile, reg));

    StandInRegistry registry(registryFile.toStdString());
    SystemInfoLauncher launcher(registry, &toolFileExists, &startToolDetached);
    MessageRecorder recorder;
    launcher.StartSysInfo(nullptr);
    QCOMPARE(recorder.messages, QList<Message>());

    const QString marker = toolDir + QStringLiteral("/marker");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    QFile started(marker);
    QVERIFY(started.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(started.readAll()), tool);
}

void TestRealLaunch::directoryNamedLikeTheToolIsNoTool()
{
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    QVERIFY(QDir().mkpath(temporary.filePath(QStringLiteral("tools/MSINFO32.EXE"))));
    const QString registryFile = temporary.filePath(QStringLiteral("registry.reg"));
    QVERIFY(writeFile(registryFile, "[HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"="
                                        + regString(temporary.filePath(QStringLiteral("tools"))) + '\n'));

    StandInRegistry registry(registryFile.toStdString());
    QStringList launched;
    SystemInfoLauncher launcher(registry, &toolFileExists, [&](const QString &program) {
        launched << program;
        return true;
    });
    MessageRecorder recorder;
    launcher.StartSysInfo(nullptr);
    QCOMPARE(launched, QStringList());
    QCOMPARE(recorder.messages, QList<Message>{SystemInfoLauncher::unavailableMessage()});
}

void TestRealLaunch::fileTest_data()
{
    QTest::addColumn<QString>("made");  // what is created at the tested name
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << "file" << true;
    QTest::newRow("link to a file") << "link" << true;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("nothing") << "nothing" << false;
}

void TestRealLaunch::fileTest()
{
    QFETCH(QString, made);
    QFETCH(bool, exists);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString path = temporary.filePath(QStringLiteral("MSINFO32.EXE"));
    if (made == "file") {
        QVERIFY(writeFile(path, "x"));
    } else if (made == "link") {
        QVERIFY(writeFile(temporary.filePath(QStringLiteral("real")), "x"));
        QVERIFY(QFile::link(temporary.filePath(QStringLiteral("real")), path));
    } else if (made == "directory") {
        QVERIFY(QDir().mkpath(path));
    }
    QCOMPARE(toolFileExists(path), exists);
}

void TestRealLaunch::launcherRefusesWhatCannotRun_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("empty") << "";
    QTest::newRow("missing") << "/nonexistent/numoria/MSINFO32.EXE";
    QTest::newRow("directory") << "/";
}

void TestRealLaunch::launcherRefusesWhatCannotRun()
{
    QFETCH(QString, program);
    QVERIFY(!startToolDetached(program));
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
