#include "fake_registry.h"
#include "message_recorder.h"
#include "system_info_launcher.h"

#include <QtTest>

#include <stdexcept>

using namespace numoria;

class TestStartSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void findsAndStartsTheTool_data();
    void findsAndStartsTheTool();
};

// The tool's own path under MSINFO, else MSINFO32.EXE in the directory under
// Shared Tools Location when that file exists; the message otherwise.
void TestStartSysInfo::findsAndStartsTheTool_data()
{
    QTest::addColumn<QByteArray>("toolPath");     // null: no such key
    QTest::addColumn<QByteArray>("toolLocation"); // null: no such key
    QTest::addColumn<QString>("launch");          // "works", "fails", "throws", or "registry throws"
    QTest::addColumn<QStringList>("launched");

    const QByteArray none;
    const QString inTools = QStringLiteral("/opt/tools/MSINFO32.EXE"); // the only file there is
    QTest::newRow("first key, wins over the second") << QByteArray("/opt/msinfo/msinfo32") << QByteArray("/opt/tools")
                                                     << "works" << QStringList{"/opt/msinfo/msinfo32"};
    QTest::newRow("first key, launched without a file test") << QByteArray("/nowhere/tool") << none << "works"
                                                             << QStringList{"/nowhere/tool"};
    QTest::newRow("only the second key, tool present") << none << QByteArray("/opt/tools") << "works"
                                                       << QStringList{inTools};
    QTest::newRow("second key ending in a separator") << none << QByteArray("/opt/tools/") << "works"
                                                      << QStringList{inTools};
    QTest::newRow("only the second key, tool missing") << none << QByteArray("/opt/other") << "works" << QStringList();
    QTest::newRow("neither key") << none << none << "works" << QStringList();
    QTest::newRow("first value too long, second key used") << QByteArray(1024, 'x') << QByteArray("/opt/tools")
                                                           << "works" << QStringList{inTools};
    QTest::newRow("launch fails") << QByteArray("/opt/msinfo/msinfo32") << none << "fails"
                                  << QStringList{"/opt/msinfo/msinfo32"};
    QTest::newRow("launch from the second key fails") << none << QByteArray("/opt/tools") << "fails"
                                                      << QStringList{inTools};
    QTest::newRow("launcher throws") << none << QByteArray("/opt/tools") << "throws" << QStringList{inTools};
    QTest::newRow("registry throws") << QByteArray("/opt/msinfo/msinfo32") << none << "registry throws"
                                     << QStringList();
}

void TestStartSysInfo::findsAndStartsTheTool()
{
    QFETCH(QByteArray, toolPath);
    QFETCH(QByteArray, toolLocation);
    QFETCH(QString, launch);
    QFETCH(QStringList, launched);

    FakeRegistry registry;
    if (!toolPath.isNull())
        registry.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", toolPath);
    if (!toolLocation.isNull())
        registry.setString("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", toolLocation);
    registry.throwOnQuery = launch == "registry throws";
    QStringList started;
    SystemInfoLauncher launcher(
        registry, [](const QString &path) { return path == "/opt/tools/MSINFO32.EXE"; },
        [&](const QString &program) {
            started << program;
            if (launch == "throws")
                throw std::runtime_error("launch");
            return launch == "works";
        });
    MessageRecorder recorder;
    launcher.StartSysInfo(nullptr);

    QCOMPARE(started, launched);
    const Message unavailable{QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
                              QStringLiteral("Numoria"), MessageIcon::None};
    const bool shown = launch != "works" || launched.isEmpty();
    QCOMPARE(recorder.messages, shown ? QList<Message>{unavailable} : QList<Message>());
    // Every lookup closes its key, also when it failed or the registry threw.
    QVERIFY(registry.openKeys.empty());
    QCOMPARE(registry.closes.size(), registry.opens);
}

QTEST_MAIN(TestStartSysInfo)
#include "test_start_sys_info.moc"
