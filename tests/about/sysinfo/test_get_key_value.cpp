#include "fake_registry.h"
#include "system_info_launcher.h"

#include <QtTest>

using namespace numoria;

class TestGetKeyValue : public QObject
{
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
};

// The value "Value" of key SOFTWARE\Tools, read into a text that held `before`.
void TestGetKeyValue::readsValue_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data"); // null: no such value
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("after");

    const uint sz = registry::TypeString;
    const uint dword = registry::TypeDword;
    const QString old = QStringLiteral("old text");
    QTest::newRow("REG_SZ with its NUL replaces the text") << true << sz << QByteArray("C:\\msinfo32.exe", 16) << old
                                                           << true << "C:\\msinfo32.exe";
    QTest::newRow("REG_SZ without NUL") << true << sz << QByteArray("/usr/bin/tool") << old << true << "/usr/bin/tool";
    QTest::newRow("REG_SZ only the last NUL goes") << true << sz << QByteArray("ab\0\0", 4) << old << true
                                                   << QString::fromLatin1("ab\0", 3);
    QTest::newRow("REG_SZ only a NUL") << true << sz << QByteArray("", 1) << old << true << "";
    QTest::newRow("REG_SZ of no bytes") << true << sz << QByteArray("") << old << true << "";
    QTest::newRow("REG_SZ UTF-8 under a UTF-8 locale") << true << sz << QByteArray("/opt/outil syst\xc3\xa8me") << old
                                                       << true << QString::fromUtf8("/opt/outil système");
    QTest::newRow("REG_SZ of 1023 characters and NUL fills the buffer")
        << true << sz << QByteArray(1023, 'p') + '\0' << old << true << QString(1023, QLatin1Char('p'));
    QTest::newRow("REG_SZ of 1024 characters and NUL does not fit") << true << sz << QByteArray(1024, 'p') + '\0'
                                                                    << old << false << "";
    // Printed as a signed number, after the text already there, and only after
    // a last NUL byte is dropped as for strings.
    QTest::newRow("DWORD 31") << true << dword << QByteArray("\x1f\0\0\0", 4) << "" << true << "31";
    QTest::newRow("DWORD byte order") << true << dword << QByteArray("\x78\x56\x34\x12", 4) << "" << true << "305419896";
    QTest::newRow("DWORD sign bit") << true << dword << QByteArray("\0\0\0\x80", 4) << "" << true << "-2147483648";
    QTest::newRow("DWORD digits follow the old text") << true << dword << QByteArray("\x1f\0\0\0", 4) << "1" << true
                                                      << "16777247";
    for (uint other : {registry::TypeNone, registry::TypeExpandString, registry::TypeBinary, registry::TypeQword})
        QTest::addRow("type %u leaves the text", other) << true << other << QByteArray("/usr/bin/tool", 14) << old
                                                        << true << old;
    QTest::newRow("no value") << true << sz << QByteArray() << old << false << "";
    QTest::newRow("no key") << false << sz << QByteArray() << old << false << "";
}

void TestGetKeyValue::readsValue()
{
    QFETCH(bool, keyExists);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, before);
    QFETCH(bool, found);
    QFETCH(QString, after);

    FakeRegistry registry;
    if (keyExists)
        registry.keys["SOFTWARE\\Tools"];
    if (!data.isNull())
        registry.keys["SOFTWARE\\Tools"]["Value"] = {type, data};
    SystemInfoLauncher launcher(registry, {}, {});
    QString text = before;
    QCOMPARE(launcher.GetKeyValue(registry::LocalMachine, "SOFTWARE\\Tools", "Value", text), found);
    QCOMPARE(text, after);
    // The key is closed on failure too: with handle 0 when it never opened.
    QCOMPARE(registry.closes, std::vector<registry::Key>{keyExists ? registry::Key(0x100) : 0});
    QVERIFY(registry.openKeys.empty());
}

QTEST_GUILESS_MAIN(TestGetKeyValue)
#include "test_get_key_value.moc"
