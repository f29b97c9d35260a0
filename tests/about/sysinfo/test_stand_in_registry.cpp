#include "stand_in_registry.h"
#include "system_info_launcher.h"

#include <QtTest>

#include <fstream>
#include <random>

using namespace numoria;

namespace {

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

const char sample[] =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
    "\"PATH\"=\"/usr/bin/hardinfo\"\n"
    "\"Count\"=dword:0000002a\n";

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

registry::Result openTool(StandInRegistry &registry, registry::Key *key)
{
    return registry.RegOpenKeyExA(registry::LocalMachine, toolKey, 0, 0x2003F, key);
}

// Opens the tool key and reads its PATH value; empty when either fails.
QByteArray toolPath(StandInRegistry &registry)
{
    registry::Key key = 0;
    if (openTool(registry, &key) != registry::Success)
        return {};
    unsigned char buffer[64] = {};
    std::uint32_t size = sizeof buffer;
    std::uint32_t type = 0;
    const auto result = registry.RegQueryValueExA(key, "PATH", &type, buffer, &size);
    registry.RegCloseKey(key);
    if (result != registry::Success)
        return {};
    return QByteArray(reinterpret_cast<const char *>(buffer), size);
}

}  // namespace

class TestStandInRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unusableFileIsAnEmptyRegistry_data();
    void unusableFileIsAnEmptyRegistry();
    void readsAFileUpToTheLimit();
    void queriesLikeWindows();
    void handles();
    void opensBelowAnOpenKey();
    void readsTheFileAgainAtEachOpen();
    void defaultPath();
    void getKeyValueThroughTheStandIn_data();
    void getKeyValueThroughTheStandIn();

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

void TestStandInRegistry::unusableFileIsAnEmptyRegistry_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("unreadable") << "unreadable";
    QTest::newRow("one byte over 1 MiB") << "huge";
    QTest::newRow("empty") << "empty";
    QTest::newRow("binary garbage") << "garbage";
    QTest::newRow("UTF-16, as regedit writes it") << "utf16";
}

void TestStandInRegistry::unusableFileIsAnEmptyRegistry()
{
    QFETCH(QString, kind);

    if (kind == "directory") {
        QVERIFY(QDir().mkpath(file_));
    } else if (kind == "unreadable") {
        writeFile(file_, sample);
        QFile::setPermissions(file_, QFileDevice::Permissions());
        if (std::ifstream(file_.toStdString()).good())
            QSKIP("running with rights that read any file");
    } else if (kind == "huge") {
        QByteArray text = sample;
        text.append(QByteArray(1024 * 1024 + 1 - text.size(), ' '));
        writeFile(file_, text);
    } else if (kind == "empty") {
        writeFile(file_, {});
    } else if (kind == "garbage") {
        std::mt19937 random(7);
        QByteArray text;
        for (int i = 0; i < 100000; ++i)
            text.append(char(random()));
        writeFile(file_, text);
    } else if (kind == "utf16") {
        const QString text = QString::fromLatin1(sample);
        writeFile(file_, QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(text.utf16()),
                                                             text.size() * 2));
    }

    StandInRegistry registry(file_.toStdString());
    registry::Key key = 0x1234;
    QCOMPARE(openTool(registry, &key), registry::FileNotFound);
    QCOMPARE(key, registry::Key(0));
    QCOMPARE(registry.openKeyCount(), 0u);
}

void TestStandInRegistry::readsAFileUpToTheLimit()
{
    QByteArray text = sample;
    text.append(QByteArray(1024 * 1024 - text.size(), ' '));
    writeFile(file_, text);
    StandInRegistry registry(file_.toStdString());
    QCOMPARE(toolPath(registry), QByteArray("/usr/bin/hardinfo", 18));
}

void TestStandInRegistry::queriesLikeWindows()
{
    writeFile(file_, sample);
    StandInRegistry registry(file_.toStdString());
    registry::Key key = 0;
    QCOMPARE(openTool(registry, &key), registry::Success);
    QVERIFY(key != 0);

    // Size only.
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    QCOMPARE(registry.RegQueryValueExA(key, "PATH", &type, nullptr, &size), registry::Success);
    QCOMPARE(type, registry::TypeString);
    QCOMPARE(size, 18u);

    // Too small a buffer: the size needed comes back, the buffer is untouched.
    unsigned char buffer[32] = {};
    size = 17;
    type = 0;
    QCOMPARE(registry.RegQueryValueExA(key, "path", &type, buffer, &size), registry::MoreData);
    QCOMPARE(size, 18u);
    QCOMPARE(type, registry::TypeString);
    QCOMPARE(buffer[0], 0);

    size = 18;
    QCOMPARE(registry.RegQueryValueExA(key, "Path", nullptr, buffer, &size), registry::Success);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), int(size)), QByteArray("/usr/bin/hardinfo", 18));

    size = sizeof buffer;
    QCOMPARE(registry.RegQueryValueExA(key, "Count", &type, buffer, &size), registry::Success);
    QCOMPARE(type, registry::TypeDword);
    QCOMPARE(size, 4u);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), 4), QByteArray("\x2a\0\0\0", 4));

    size = sizeof buffer;
    QCOMPARE(registry.RegQueryValueExA(key, "Missing", &type, buffer, &size), registry::FileNotFound);
    QCOMPARE(registry.RegQueryValueExA(key, "PATH", &type, buffer, nullptr), registry::InvalidParameter);
    QCOMPARE(registry.RegCloseKey(key), registry::Success);
}

void TestStandInRegistry::handles()
{
    writeFile(file_, sample);
    StandInRegistry registry(file_.toStdString());
    registry::Key first = 0;
    registry::Key second = 0;
    QCOMPARE(openTool(registry, &first), registry::Success);
    QCOMPARE(openTool(registry, &second), registry::Success);
    QVERIFY(first != second);
    QCOMPARE(registry.openKeyCount(), 2u);

    QCOMPARE(registry.RegCloseKey(first), registry::Success);
    QCOMPARE(registry.RegCloseKey(first), registry::InvalidHandle);
    std::uint32_t size = 0;
    QCOMPARE(registry.RegQueryValueExA(first, "PATH", nullptr, nullptr, &size), registry::InvalidHandle);
    QCOMPARE(registry.RegQueryValueExA(second, "PATH", nullptr, nullptr, &size), registry::Success);
    QCOMPARE(registry.RegCloseKey(second), registry::Success);
    QCOMPARE(registry.openKeyCount(), 0u);

    QCOMPARE(registry.RegCloseKey(0), registry::InvalidHandle);
    QCOMPARE(registry.RegCloseKey(registry::LocalMachine), registry::Success);
    QCOMPARE(registry.RegOpenKeyExA(registry::LocalMachine, toolKey, 0, 0x2003F, nullptr),
             registry::InvalidParameter);
    registry::Key key = 0;
    QCOMPARE(registry.RegOpenKeyExA(0x80000001, toolKey, 0, 0x2003F, &key), registry::FileNotFound);
    QCOMPARE(registry.RegOpenKeyExA(0x4242, toolKey, 0, 0x2003F, &key), registry::InvalidHandle);
    QCOMPARE(key, registry::Key(0));
}

void TestStandInRegistry::opensBelowAnOpenKey()
{
    writeFile(file_, sample);
    StandInRegistry registry(file_.toStdString());
    registry::Key software = 0;
    QCOMPARE(registry.RegOpenKeyExA(registry::LocalMachine, "software", 0, 0x20019, &software), registry::Success);
    registry::Key tool = 0;
    QCOMPARE(registry.RegOpenKeyExA(software, "Microsoft\\Shared Tools\\MSINFO", 0, 0x20019, &tool),
             registry::Success);
    std::uint32_t size = 0;
    QCOMPARE(registry.RegQueryValueExA(tool, "PATH", nullptr, nullptr, &size), registry::Success);
    QCOMPARE(size, 18u);
    QCOMPARE(registry.RegQueryValueExA(software, "PATH", nullptr, nullptr, &size), registry::FileNotFound);

    registry::Key again = 0;
    QCOMPARE(registry.RegOpenKeyExA(tool, "", 0, 0x20019, &again), registry::Success);
    QVERIFY(again != tool);
    QCOMPARE(registry.RegOpenKeyExA(software, "Nothing", 0, 0x20019, &again), registry::FileNotFound);
}

void TestStandInRegistry::readsTheFileAgainAtEachOpen()
{
    StandInRegistry registry(file_.toStdString());
    QCOMPARE(toolPath(registry), QByteArray());

    writeFile(file_, sample);
    registry::Key before = 0;
    QCOMPARE(openTool(registry, &before), registry::Success);

    writeFile(file_, QByteArray(sample).replace("hardinfo", "sysinfo!"));
    QCOMPARE(toolPath(registry), QByteArray("/usr/bin/sysinfo!", 18));

    // A key opened earlier keeps what it saw.
    std::uint32_t size = 64;
    unsigned char buffer[64] = {};
    QCOMPARE(registry.RegQueryValueExA(before, "PATH", nullptr, buffer, &size), registry::Success);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer), int(size)), QByteArray("/usr/bin/hardinfo", 18));
}

void TestStandInRegistry::defaultPath()
{
    QCOMPARE(QString::fromLatin1(standInRegistryPath), QStringLiteral("/etc/numoria/registry.reg"));
}

void TestStandInRegistry::getKeyValueThroughTheStandIn_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    const QString old = QStringLiteral("old");
    QTest::newRow("string loses its NUL") << QByteArray("\"PATH\"=\"/usr/bin/hardinfo\"") << old << true
                                          << "/usr/bin/hardinfo";
    QTest::newRow("escapes") << QByteArray("\"PATH\"=\"/opt/a \\\"b\\\" \\\\c\"") << old << true
                             << "/opt/a \"b\" \\c";
    QTest::newRow("UTF-8") << QByteArray("\"PATH\"=\"/opt/outil syst\xc3\xa8me\"") << old << true
                           << QString::fromUtf8("/opt/outil système");
    QTest::newRow("dword") << QByteArray("\"PATH\"=dword:0000001f") << QString() << true << "31";
    QTest::newRow("binary leaves the text") << QByteArray("\"PATH\"=hex:41,42,00") << old << true << old;
    QTest::newRow("1023 characters") << "\"PATH\"=\"" + QByteArray(1023, 'a') + '"' << old << true
                                     << QString(1023, QLatin1Char('a'));
    QTest::newRow("1024 characters") << "\"PATH\"=\"" + QByteArray(1024, 'a') + '"' << old << false << "";
    QTest::newRow("no value") << QByteArray("\"OTHER\"=\"x\"") << old << false << "";
}

void TestStandInRegistry::getKeyValueThroughTheStandIn()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, before);
    QFETCH(bool, found);
    QFETCH(QString, value);

    writeFile(file_, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n" + line + '\n');
    StandInRegistry registry(file_.toStdString());
    SystemInfoLauncher launcher(registry, [](const QString &) { return false; },
                                [](const QString &) { return false; });
    QString text = before;
    QCOMPARE(launcher.GetKeyValue(registry::LocalMachine, QString::fromStdString(toolKey),
                                  QStringLiteral("PATH"), text),
             found);
    QCOMPARE(text, value);
    QCOMPARE(registry.openKeyCount(), 0u);
}

QTEST_GUILESS_MAIN(TestStandInRegistry)
#include "test_stand_in_registry.moc"
