#include "fake_registry.h"
#include "message_recorder.h"
#include "system_info_launcher.h"

#include <QtTest>

#include <stdexcept>

using namespace numoria;

namespace {

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

const Message unavailable{QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
                          QStringLiteral("Numoria"), MessageIcon::None};

// File test and launcher that remember what they were asked.
struct FakeDesktop {
    QStringList files;
    bool launchWorks = true;
    bool fileTestThrows = false;
    bool launcherThrows = false;
    QStringList filesAsked;
    QStringList launched;

    bool fileExists(const QString &path)
    {
        filesAsked << path;
        if (fileTestThrows)
            throw std::runtime_error("file test");
        return files.contains(path);
    }
    bool start(const QString &program)
    {
        launched << program;
        if (launcherThrows)
            throw std::runtime_error("launch");
        return launchWorks;
    }
};

void startSysInfo(FakeRegistry &registry, FakeDesktop &desktop)
{
    SystemInfoLauncher launcher(
        registry, [&](const QString &path) { return desktop.fileExists(path); },
        [&](const QString &program) { return desktop.start(program); });
    launcher.StartSysInfo(nullptr);
}

}  // namespace

class TestStartSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void findsAndStartsTheTool_data();
    void findsAndStartsTheTool();
    void anyExceptionEndsInTheMessage_data();
    void anyExceptionEndsInTheMessage();
    void toolInDirectory_data();
    void toolInDirectory();
};

void TestStartSysInfo::findsAndStartsTheTool_data()
{
    QTest::addColumn<QByteArray>("toolPath");      // null: no such key
    QTest::addColumn<QByteArray>("toolLocation");  // null: no such key
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("launchWorks");
    QTest::addColumn<QStringList>("filesAsked");
    QTest::addColumn<QStringList>("launched");
    QTest::addColumn<bool>("message");

    const QByteArray none;
    const QString inTools = QStringLiteral("/opt/tools/MSINFO32.EXE");

    QTest::newRow("first key")
        << QByteArray("/opt/msinfo/msinfo32") << none << QStringList() << true << QStringList()
        << QStringList{"/opt/msinfo/msinfo32"} << false;
    QTest::newRow("first key wins over the second")
        << QByteArray("/opt/msinfo/msinfo32") << QByteArray("/opt/tools") << QStringList{inTools} << true
        << QStringList() << QStringList{"/opt/msinfo/msinfo32"} << false;
    QTest::newRow("first key is launched without a file test")
        << QByteArray("/nowhere/tool") << none << QStringList() << false << QStringList()
        << QStringList{"/nowhere/tool"} << true;
    QTest::newRow("only second key, tool present")
        << none << QByteArray("/opt/tools") << QStringList{inTools} << true << QStringList{inTools}
        << QStringList{inTools} << false;
    QTest::newRow("second key ending in a separator")
        << none << QByteArray("/opt/tools/") << QStringList{inTools} << true << QStringList{inTools}
        << QStringList{inTools} << false;
    QTest::newRow("second key with blanks")
        << none << QByteArray("/opt/my tools") << QStringList{"/opt/my tools/MSINFO32.EXE"} << true
        << QStringList{"/opt/my tools/MSINFO32.EXE"} << QStringList{"/opt/my tools/MSINFO32.EXE"} << false;
    QTest::newRow("only second key, tool missing")
        << none << QByteArray("/opt/tools") << QStringList() << true << QStringList{inTools} << QStringList()
        << true;
    QTest::newRow("neither key") << none << none << QStringList{inTools} << true << QStringList()
                                 << QStringList() << true;
    QTest::newRow("first value too long, second key used")
        << QByteArray(1024, 'x') << QByteArray("/opt/tools") << QStringList{inTools} << true
        << QStringList{inTools} << QStringList{inTools} << false;
    QTest::newRow("first value too long, no second key")
        << QByteArray(1024, 'x') << none << QStringList() << true << QStringList() << QStringList() << true;
    QTest::newRow("first value of 1023 characters fits")
        << QByteArray(1023, 'x') << none << QStringList() << true << QStringList()
        << QStringList{QString(1023, QLatin1Char('x'))} << false;
    QTest::newRow("launch of the first key fails")
        << QByteArray("/opt/msinfo/msinfo32") << none << QStringList() << false << QStringList()
        << QStringList{"/opt/msinfo/msinfo32"} << true;
    QTest::newRow("launch from the second key fails")
        << none << QByteArray("/opt/tools") << QStringList{inTools} << false << QStringList{inTools}
        << QStringList{inTools} << true;
}

void TestStartSysInfo::findsAndStartsTheTool()
{
    QFETCH(QByteArray, toolPath);
    QFETCH(QByteArray, toolLocation);
    QFETCH(QStringList, files);
    QFETCH(bool, launchWorks);
    QFETCH(QStringList, filesAsked);
    QFETCH(QStringList, launched);
    QFETCH(bool, message);

    FakeRegistry registry;
    if (!toolPath.isNull())
        registry.setString(toolKey, "PATH", toolPath);
    if (!toolLocation.isNull())
        registry.setString(locationKey, "MSINFO", toolLocation);
    FakeDesktop desktop;
    desktop.files = files;
    desktop.launchWorks = launchWorks;

    MessageRecorder recorder;
    startSysInfo(registry, desktop);

    QCOMPARE(desktop.filesAsked, filesAsked);
    QCOMPARE(desktop.launched, launched);
    QCOMPARE(recorder.messages, message ? QList<Message>{unavailable} : QList<Message>());
    // Every lookup closes what it opened, and a key that never opened with 0.
    QVERIFY(registry.openKeys.empty());
    QCOMPARE(registry.closes.size(), registry.opens.size());
    const long failedOpens = long(registry.opens.size()) - long(registry.queries.size());
    QCOMPARE(registry.closesOfNothing(), failedOpens);
}

void TestStartSysInfo::anyExceptionEndsInTheMessage_data()
{
    QTest::addColumn<QString>("thrower");
    QTest::newRow("registry open") << "open";
    QTest::newRow("registry query") << "query";
    QTest::newRow("file test") << "file";
    QTest::newRow("launcher") << "launch";
}

void TestStartSysInfo::anyExceptionEndsInTheMessage()
{
    QFETCH(QString, thrower);

    FakeRegistry registry;
    registry.setString(locationKey, "MSINFO", "/opt/tools");
    registry.throwOnOpen = thrower == "open";
    registry.throwOnQuery = thrower == "query";
    FakeDesktop desktop;
    desktop.files = {QStringLiteral("/opt/tools/MSINFO32.EXE")};
    desktop.fileTestThrows = thrower == "file";
    desktop.launcherThrows = thrower == "launch";

    MessageRecorder recorder;
    startSysInfo(registry, desktop);
    QCOMPARE(recorder.messages, QList<Message>{unavailable});
    QVERIFY(registry.openKeys.empty());
}

void TestStartSysInfo::toolInDirectory_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("tool");

#ifdef _WIN32
    QTest::newRow("plain") << "C:\\Windows\\System32" << "C:\\Windows\\System32\\MSINFO32.EXE";
#else
    QTest::newRow("plain") << "/opt/tools" << "/opt/tools/MSINFO32.EXE";
    QTest::newRow("trailing separator") << "/opt/tools/" << "/opt/tools/MSINFO32.EXE";
    QTest::newRow("root") << "/" << "/MSINFO32.EXE";
    QTest::newRow("empty names the root, as a leading separator would") << "" << "/MSINFO32.EXE";
    QTest::newRow("relative") << "tools" << "tools/MSINFO32.EXE";
    QTest::newRow("backslash is an ordinary character") << "C:\\Tools" << "C:\\Tools/MSINFO32.EXE";
#endif
}

void TestStartSysInfo::toolInDirectory()
{
    QFETCH(QString, directory);
    QFETCH(QString, tool);
    QCOMPARE(SystemInfoLauncher::toolInDirectory(directory), tool);
}

QTEST_MAIN(TestStartSysInfo)
#include "test_start_sys_info.moc"
