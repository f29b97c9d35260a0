#include "stand_in_registry.h"
#include "system_info_launcher.h"

#include <QtTest>

#include <fstream>

using namespace numoria;

namespace {

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray section = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n";

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

// The tool's PATH read by GetKeyValue through the stand-in.
QString toolPath(StandInRegistry &registry)
{
    SystemInfoLauncher launcher(registry, {}, {});
    QString text;
    const bool found = launcher.GetKeyValue(registry::LocalMachine, QString::fromStdString(toolKey), "PATH", text);
    return found ? text : QStringLiteral("not found");
}

} // namespace

class TestStandInRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void getKeyValueThroughTheFile_data();
    void getKeyValueThroughTheFile();
    void readsTheFileAgainAtEachOpen();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString file_;
};

void TestStandInRegistry::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    file_ = dir_->filePath(QStringLiteral("registry.reg"));
}

// What lies at the file's place: its text, or "missing", "directory",
// "unreadable"; a file of 1 MiB is read, one byte more is not.
void TestStandInRegistry::getKeyValueThroughTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("path");

    const QByteArray tool = section + "\"PATH\"=\"/usr/bin/hardinfo\"\n";
    const QString notFound = QStringLiteral("not found");
    QTest::newRow("string loses its NUL") << tool << "/usr/bin/hardinfo";
    QTest::newRow("dword") << section + "\"PATH\"=dword:0000001f" << "31";
    QTest::newRow("binary gives no text") << section + "\"PATH\"=hex:41,42,00" << "";
    QTest::newRow("1023 characters") << section + "\"PATH\"=\"" + QByteArray(1023, 'a') + '"' << QString(1023, 'a');
    QTest::newRow("1024 characters do not fit") << section + "\"PATH\"=\"" + QByteArray(1024, 'a') + '"' << notFound;
    QTest::newRow("no value") << section + "\"OTHER\"=\"x\"" << notFound;
    QTest::newRow("a file of 1 MiB") << tool + QByteArray(1024 * 1024 - tool.size(), ' ') << "/usr/bin/hardinfo";
    QTest::newRow("a file one byte larger") << tool + QByteArray(1024 * 1024 + 1 - tool.size(), ' ') << notFound;
    QTest::newRow("missing") << QByteArray("missing") << notFound;
    QTest::newRow("directory") << QByteArray("directory") << notFound;
    QTest::newRow("unreadable") << QByteArray("unreadable") << notFound;
    const QString utf16 = QString::fromLatin1(tool);
    QTest::newRow("UTF-16, as regedit writes it")
        << "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2) << notFound;
}

void TestStandInRegistry::getKeyValueThroughTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, path);
    if (file == "directory")
        QVERIFY(QDir().mkpath(file_));
    else if (file == "unreadable")
        QVERIFY(writeFile(file_, section + "\"PATH\"=\"x\"") && QFile::setPermissions(file_, {}));
    else if (file != "missing")
        QVERIFY(writeFile(file_, file));
    if (file == "unreadable" && std::ifstream(file_.toStdString()).good())
        QSKIP("running with rights that read any file");

    StandInRegistry registry(file_.toStdString());
    QCOMPARE(toolPath(registry), path);
    QCOMPARE(registry.openKeyCount(), 0u);
}

// Edits apply without a restart; a key opened earlier keeps what it saw, and
// closing another key leaves it open.
void TestStandInRegistry::readsTheFileAgainAtEachOpen()
{
    StandInRegistry registry(file_.toStdString());
    QCOMPARE(toolPath(registry), QStringLiteral("not found"));
    QVERIFY(writeFile(file_, section + "\"PATH\"=\"/usr/bin/before\""));
    registry::Key before = 0;
    QCOMPARE(registry.RegOpenKeyExA(registry::LocalMachine, toolKey, 0, 0x2003F, &before), registry::Success);

    QVERIFY(writeFile(file_, section + "\"PATH\"=\"/usr/bin/after!\""));
    QCOMPARE(toolPath(registry), QStringLiteral("/usr/bin/after!"));
    unsigned char buffer[64] = {};
    std::uint32_t size = sizeof buffer;
    QCOMPARE(registry.RegQueryValueExA(before, "PATH", nullptr, buffer, &size), registry::Success);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), int(size)), QByteArray("/usr/bin/before", 16));
}

QTEST_GUILESS_MAIN(TestStandInRegistry)
#include "test_stand_in_registry.moc"
