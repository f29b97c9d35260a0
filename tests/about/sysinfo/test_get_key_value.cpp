#include "fake_registry.h"
#include "system_info_launcher.h"

#include <QtTest>

using namespace numoria;

namespace {

const char key[] = "SOFTWARE\\Numoria Test";

bool noFile(const QString &) { return false; }
bool noStart(const QString &) { return false; }

// Runs GetKeyValue on one value of the fake registry, KeyVal starting as `before`.
struct Lookup {
    bool found;
    QString text;
};

Lookup lookUp(FakeRegistry &registry, const QString &before = {})
{
    SystemInfoLauncher launcher(registry, noFile, noStart);
    QString text = before;
    const bool found = launcher.GetKeyValue(registry::LocalMachine, QString::fromLatin1(key),
                                            QStringLiteral("Value"), text);
    return {found, text};
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

}  // namespace

class TestGetKeyValue : public QObject
{
    Q_OBJECT

private slots:
    void callsTheRegistryAsWindowsExpects();
    void readsValue_data();
    void readsValue();
    void dropsTheTerminatorAtEverySize();
    void fillsTheWholeBufferButNoMore_data();
    void fillsTheWholeBufferButNoMore();
    void failure_data();
    void failure();
    void closesTheKeyWhenTheRegistryThrows();
};

void TestGetKeyValue::callsTheRegistryAsWindowsExpects()
{
    FakeRegistry registry;
    registry.setString(key, "Value", "x");
    const Lookup result = lookUp(registry);

    QVERIFY(result.found);
    QCOMPARE(registry.opens.size(), 1u);
    QCOMPARE(registry.opens[0].root, registry::Key(0x80000002));
    QCOMPARE(registry.opens[0].subKey, std::string(key));
    QCOMPARE(registry.opens[0].options, 0u);
    QCOMPARE(registry.opens[0].desiredAccess, 0x2003Fu);
    QCOMPARE(registry.queries.size(), 1u);
    QCOMPARE(registry.queries[0].key, registry::Key(0x100));
    QCOMPARE(registry.queries[0].valueName, std::string("Value"));
    QCOMPARE(registry.queries[0].bufferSize, 1024u);
    QVERIFY(registry.queries[0].bufferAllNul);
    QCOMPARE(registry.closes, std::vector<registry::Key>{0x100});
    QVERIFY(registry.openKeys.empty());
}

void TestGetKeyValue::readsValue_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("reportedSize");  // -1: the data's own size
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expected");

    const uint sz = registry::TypeString;
    const uint dword = registry::TypeDword;
    QTest::newRow("REG_SZ stored with its NUL") << sz << QByteArray("C:\\Tools\\msinfo32.exe", 22) << -1
                                                << QString() << QStringLiteral("C:\\Tools\\msinfo32.exe");
    QTest::newRow("REG_SZ stored without NUL") << sz << QByteArray("/usr/bin/tool") << -1 << QString()
                                               << QStringLiteral("/usr/bin/tool");
    QTest::newRow("REG_SZ replaces the old text") << sz << QByteArray("new", 4) << -1
                                                  << QStringLiteral("old text") << QStringLiteral("new");
    QTest::newRow("REG_SZ empty") << sz << QByteArray() << -1 << QStringLiteral("old") << QString();
    QTest::newRow("REG_SZ only a NUL") << sz << QByteArray("", 1) << -1 << QStringLiteral("old") << QString();
    QTest::newRow("REG_SZ only the last NUL goes") << sz << QByteArray("ab\0\0", 4) << -1 << QString()
                                                   << QString::fromLatin1("ab\0", 3);
    QTest::newRow("REG_SZ NUL inside kept") << sz << QByteArray("ab\0cd", 5) << -1 << QString()
                                            << QString::fromLatin1("ab\0cd", 5);
    QTest::newRow("REG_SZ size past the data reads the blank buffer")
        << sz << QByteArray("abc") << 6 << QString() << QString::fromLatin1("abc\0\0", 5);
    QTest::newRow("REG_SZ UTF-8 under a UTF-8 locale")
        << sz << QByteArray("/opt/outil syst\xc3\xa8me") << -1 << QString()
        << QString::fromUtf8("/opt/outil système");

    QTest::newRow("DWORD 31") << dword << bytes({0x1f, 0, 0, 0}) << -1 << QString() << QStringLiteral("31");
    QTest::newRow("DWORD 0") << dword << bytes({0, 0, 0, 0}) << -1 << QString() << QStringLiteral("0");
    QTest::newRow("DWORD 256") << dword << bytes({0, 1, 0, 0}) << -1 << QString() << QStringLiteral("256");
    QTest::newRow("DWORD byte order") << dword << bytes({0x78, 0x56, 0x34, 0x12}) << -1 << QString()
                                      << QStringLiteral("305419896");
    QTest::newRow("DWORD top byte set") << dword << bytes({1, 0, 0, 1}) << -1 << QString()
                                        << QStringLiteral("16777217");
    QTest::newRow("DWORD largest positive") << dword << bytes({0xff, 0xff, 0xff, 0x7f}) << -1 << QString()
                                            << QStringLiteral("2147483647");
    QTest::newRow("DWORD sign bit") << dword << bytes({0, 0, 0, 0x80}) << -1 << QString()
                                    << QStringLiteral("-2147483648");
    QTest::newRow("DWORD all ones") << dword << bytes({0xff, 0xff, 0xff, 0xff}) << -1 << QString()
                                    << QStringLiteral("-1");
    QTest::newRow("DWORD of two bytes") << dword << bytes({0x34, 0x12}) << -1 << QString()
                                        << QStringLiteral("4660");
    QTest::newRow("DWORD digits follow the old text") << dword << bytes({0x1f, 0, 0, 0}) << -1
                                                      << QStringLiteral("1") << QStringLiteral("16777247");

    for (uint other : {registry::TypeNone, registry::TypeExpandString, registry::TypeBinary,
                       registry::TypeMultiString, registry::TypeQword}) {
        QTest::addRow("type %u leaves the text", other)
            << other << QByteArray("/usr/bin/tool", 14) << -1 << QStringLiteral("as before")
            << QStringLiteral("as before");
    }
}

void TestGetKeyValue::readsValue()
{
    QFETCH(uint, type);
    QFETCH(QByteArray, data);
    QFETCH(int, reportedSize);
    QFETCH(QString, before);
    QFETCH(QString, expected);

    FakeRegistry registry;
    FakeRegistry::Value value{type, data, {}, registry::Success};
    if (reportedSize >= 0)
        value.reportedSize = std::uint32_t(reportedSize);
    registry.setValue(key, "Value", value);

    const Lookup result = lookUp(registry, before);
    QVERIFY(result.found);
    QCOMPARE(result.text, expected);
    QCOMPARE(registry.closes.size(), 1u);
    QVERIFY(registry.openKeys.empty());
}

void TestGetKeyValue::dropsTheTerminatorAtEverySize()
{
    for (int size = 1; size <= 1024; ++size) {
        for (char last : {'\0', 'z'}) {
            FakeRegistry registry;
            registry.setValue(key, "Value", {registry::TypeString, QByteArray(size - 1, 'a') + last, {},
                                             registry::Success});
            const Lookup result = lookUp(registry);
            const QString expected = QString(size - 1, QLatin1Char('a')) + (last ? QStringLiteral("z") : QString());
            QVERIFY2(result.found, qPrintable(QString::number(size)));
            QVERIFY2(result.text == expected, qPrintable(QString::number(size)));
        }
    }
}

void TestGetKeyValue::fillsTheWholeBufferButNoMore_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<bool>("found");

    QTest::newRow("1023 characters and NUL fill the buffer") << 1023 << true;
    QTest::newRow("1024 characters and NUL do not fit") << 1024 << false;
    QTest::newRow("far too long") << 5000 << false;
}

void TestGetKeyValue::fillsTheWholeBufferButNoMore()
{
    QFETCH(int, characters);
    QFETCH(bool, found);

    FakeRegistry registry;
    registry.setString(key, "Value", QByteArray(characters, 'p'));
    const Lookup result = lookUp(registry, QStringLiteral("before"));
    QCOMPARE(result.found, found);
    QCOMPARE(result.text, found ? QString(characters, QLatin1Char('p')) : QString());
    QCOMPARE(registry.closes, std::vector<registry::Key>{0x100});
}

void TestGetKeyValue::failure_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<bool>("valueExists");
    QTest::addColumn<int>("queryResult");
    QTest::addColumn<bool>("closesNothing");

    QTest::newRow("no key") << false << false << 0 << true;
    QTest::newRow("no value") << true << false << 0 << false;
    QTest::newRow("access denied") << true << true << int(registry::AccessDenied) << false;
    QTest::newRow("more data") << true << true << int(registry::MoreData) << false;
}

void TestGetKeyValue::failure()
{
    QFETCH(bool, keyExists);
    QFETCH(bool, valueExists);
    QFETCH(int, queryResult);
    QFETCH(bool, closesNothing);

    FakeRegistry registry;
    if (keyExists)
        registry.keys[key];
    if (valueExists)
        registry.setValue(key, "Value", {registry::TypeString, QByteArray("x", 2), {}, queryResult});

    const Lookup result = lookUp(registry, QStringLiteral("left over"));
    QVERIFY(!result.found);
    QCOMPARE(result.text, QString());
    // The key is closed on failure too: with handle 0 when it never opened.
    QCOMPARE(registry.closes, std::vector<registry::Key>{closesNothing ? registry::Key(0) : registry::Key(0x100)});
    QVERIFY(registry.openKeys.empty());
}

void TestGetKeyValue::closesTheKeyWhenTheRegistryThrows()
{
    FakeRegistry registry;
    registry.setString(key, "Value", "x");
    registry.throwOnQuery = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, lookUp(registry));
    QCOMPARE(registry.closes, std::vector<registry::Key>{0x100});
}

QTEST_GUILESS_MAIN(TestGetKeyValue)
#include "test_get_key_value.moc"
