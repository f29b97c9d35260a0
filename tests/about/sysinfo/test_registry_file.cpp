#include "registry.h"
#include "registry_file.h"

#include <QtTest>

#include <string>

using namespace numoria;

namespace {

// As regedit exports it, CRLF and all.
const char sample[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; where the tool lives\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
    "\"PATH\"=\"/usr/bin/my \\\"tool\\\" \\\\ here\"\r\n"
    "\"Flags\"=dword:0000001f\r\n"
    "\"Blob\"=hex:01,02,\\\r\n"
    "  ff,00\r\n"
    "[HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n"
    "\"MSINFO\"=\"/opt/tools\"\r\n"
    "@=\"default\"\r\n";

} // namespace

class TestRegistryFile : public QObject
{
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
    void findsKeys_data();
    void findsKeys();
    void anyCutOrByteParses();
};

// A line or more after the section [HKEY_LOCAL_MACHINE\SOFTWARE\Tools], then
// value `name` looked up there; found when `type` is not 0.
void TestRegistryFile::readsValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");

    const uint sz = registry::TypeString;
    const uint dword = registry::TypeDword;
    const uint binary = registry::TypeBinary;
    const auto withNul = [](const char *text) { return QByteArray(text) + '\0'; };
    const QByteArray x = withNul("x");
    QTest::newRow("string") << QByteArray("\"PATH\"=\"/opt/my tool/syst\xc3\xa8me\"") << "PATH" << sz
                            << withNul("/opt/my tool/syst\xc3\xa8me");
    QTest::newRow("escaped backslash and quote") << QByteArray("\"PATH\"=\"C:\\\\a \\\"b\\\"\"") << "PATH" << sz
                                                 << withNul("C:\\a \"b\"");
    QTest::newRow("value name any case") << QByteArray("\"Path\"=\"x\"") << "pATH" << sz << x;
    QTest::newRow("unnamed value") << QByteArray("@=\"x\"") << "" << sz << x;
    QTest::newRow("blanks around =") << QByteArray("  \"PATH\" =  \"x\"  ") << "PATH" << sz << x;
    QTest::newRow("comment after a value") << QByteArray("\"PATH\"=\"x\" ; note") << "PATH" << sz << x;
    QTest::newRow("semicolon inside a string") << QByteArray("\"PATH\"=\"a;b\"") << "PATH" << sz << withNul("a;b");
    QTest::newRow("garbage lines between values") << QByteArray("garbage\n\x01\x02\xff\n=\"y\"\n\"PATH\"=\"x\"") << "PATH"
                                                  << sz << x;
    QTest::newRow("dword") << QByteArray("\"N\"=dword:12345678") << "N" << dword << QByteArray("\x78\x56\x34\x12", 4);
    QTest::newRow("dword short, upper case") << QByteArray("\"N\"=DWORD:1F") << "N" << dword << QByteArray("\x1f\0\0\0", 4);
    QTest::newRow("hex over lines") << QByteArray("\"B\"=hex:01,02,\\\n  03,ff,\\\r\n  05") << "B" << binary
                                    << QByteArray("\x01\x02\x03\xff\x05");
    QTest::newRow("hex with its type") << QByteArray("\"B\"=hex(b):41,00") << "B" << 11u << QByteArray("\x41\0", 2);

    const QByteArray nothing;
    QTest::newRow("comment line") << QByteArray("; \"PATH\"=\"x\"") << "PATH" << 0u << nothing;
    QTest::newRow("deletion of a value") << QByteArray("\"PATH\"=-") << "PATH" << 0u << nothing;
    QTest::newRow("unterminated string") << QByteArray("\"PATH\"=\"x") << "PATH" << 0u << nothing;
    QTest::newRow("unknown escape") << QByteArray("\"PATH\"=\"a\\nb\"") << "PATH" << 0u << nothing;
    QTest::newRow("text after the string") << QByteArray("\"PATH\"=\"x\" y") << "PATH" << 0u << nothing;
    QTest::newRow("dword of nine digits") << QByteArray("\"N\"=dword:000000001") << "N" << 0u << nothing;
    QTest::newRow("dword not hex") << QByteArray("\"N\"=dword:12g4") << "N" << 0u << nothing;
    QTest::newRow("hex byte too large") << QByteArray("\"B\"=hex:100") << "B" << 0u << nothing;
    QTest::newRow("hex continued into a section") << QByteArray("\"B\"=hex:01,\\\n[HKLM\\SOFTWARE\\Other]") << "B" << 0u
                                                  << nothing;
    // Other sections than the one looked in.
    QTest::newRow("section in other case, HKLM for short") << QByteArray("[hklm\\software\\TOOLS]\n\"PATH\"=\"x\"")
                                                           << "PATH" << sz << x;
    QTest::newRow("key whose name starts alike") << QByteArray("[HKLM\\SOFTWARE\\Tools2]\n\"PATH\"=\"x\"") << "PATH" << 0u
                                             << nothing;
    QTest::newRow("other root") << QByteArray("[HKEY_CURRENT_USER\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH" << 0u
                                << nothing;
    QTest::newRow("root name with more letters") << QByteArray("[HKEY_LOCAL_MACHINEX\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"")
                                                 << "PATH" << 0u << nothing;
    QTest::newRow("deleted section") << QByteArray("[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH"
                                     << 0u << nothing;
}

void TestRegistryFile::readsValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, name);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);

    const QByteArray file = "\xEF\xBB\xBF[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools]\r\n" + text;
    const RegistryFile parsed = RegistryFile::parse(std::string_view(file.constData(), size_t(file.size())));
    const RegistryValue *value = parsed.findValue("SOFTWARE\\Tools", name.toStdString());
    QCOMPARE(value ? value->type : 0u, type);
    if (value)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(value->data.data()), qsizetype(value->data.size())), data);
}

void TestRegistryFile::findsKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exists");
    QTest::newRow("written") << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO" << true;
    QTest::newRow("written, other case") << "software\\MICROSOFT\\shared tools\\msinfo" << true;
    QTest::newRow("parent that sorts after a sibling") << "SOFTWARE\\Microsoft\\Shared Tools" << true;
    QTest::newRow("root") << "" << true;
    QTest::newRow("part of a name") << "SOFTWARE\\Micro" << false;
    QTest::newRow("below a written key") << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\More" << false;
    QTest::newRow("elsewhere") << "SYSTEM" << false;
}

void TestRegistryFile::findsKeys()
{
    QFETCH(QString, key);
    QFETCH(bool, exists);
    const RegistryFile file = RegistryFile::parse(sample);
    QCOMPARE(file.keyCount(), 2u);
    QCOMPARE(file.hasKey(key.toStdString()), exists);
    QCOMPARE(file.findValue(key.toStdString(), "PATH") != nullptr, key.endsWith("msinfo", Qt::CaseInsensitive));
}

// Every cut and every one-byte change of the sample must parse without a
// fault (run it under the sanitizers), and a value found belongs to a key
// that exists. Random input is the registry_file fuzz target's.
void TestRegistryFile::anyCutOrByteParses()
{
    const std::string text = sample;
    const auto sound = [](const std::string &input) {
        const RegistryFile file = RegistryFile::parse(input);
        for (const char *key : {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "SOFTWARE\\Microsoft\\Shared Tools Location"}) {
            for (const char *name : {"PATH", "Flags", "Blob", "MSINFO", ""}) {
                if (file.findValue(key, name) && !file.hasKey(key))
                    return false;
            }
        }
        return true;
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        QVERIFY(sound(text.substr(0, at)));
        for (char replacement : {'\0', '\n', '"', '\\', '[', ']', ';', '=', ',', '(', '\xff'}) {
            std::string changed = text;
            changed[at] = replacement;
            QVERIFY(sound(changed));
        }
    }
}

QTEST_APPLESS_MAIN(TestRegistryFile)
#include "test_registry_file.moc"
