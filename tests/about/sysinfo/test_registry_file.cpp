#include "registry.h"
#include "registry_file.h"

#include <QtTest>

#include <random>
#include <string>

using namespace numoria;

namespace {

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

QByteArray dataOf(const RegistryValue *value)
{
    return value ? QByteArray(reinterpret_cast<const char *>(value->data.data()), qsizetype(value->data.size()))
                 : QByteArray();
}

QByteArray withNul(const char *text)
{
    return QByteArray(text) + '\0';
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

}  // namespace

class TestRegistryFile : public QObject
{
    Q_OBJECT

private slots:
    void readsValue_data();
    void readsValue();
    void readsTheExportedSample();
    void findsKeys_data();
    void findsKeys();
    void anyInputParses();
};

void TestRegistryFile::readsValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("name");     // looked up in SOFTWARE\Tools
    QTest::addColumn<bool>("found");
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("data");

    const QByteArray section = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools]\n";
    const uint sz = registry::TypeString;
    const uint dword = registry::TypeDword;
    const uint binary = registry::TypeBinary;

    QTest::newRow("string") << section + "\"PATH\"=\"/usr/bin/hardinfo\"" << "PATH" << true << sz
                            << withNul("/usr/bin/hardinfo");
    QTest::newRow("blanks kept") << section + "\"PATH\"=\"/opt/my tool/run me\"" << "PATH" << true << sz
                                 << withNul("/opt/my tool/run me");
    QTest::newRow("escaped backslash and quote") << section + "\"PATH\"=\"C:\\\\a \\\"b\\\"\"" << "PATH"
                                                 << true << sz << withNul("C:\\a \"b\"");
    QTest::newRow("escapes in the name") << section + "\"a\\\"b\\\\c\"=\"v\"" << "a\"b\\c" << true << sz
                                         << withNul("v");
    QTest::newRow("empty string") << section + "\"PATH\"=\"\"" << "PATH" << true << sz << withNul("");
    QTest::newRow("UTF-8 bytes kept") << section + "\"PATH\"=\"/opt/syst\xc3\xa8me\"" << "PATH" << true << sz
                                      << withNul("/opt/syst\xc3\xa8me");
    QTest::newRow("value name any case") << section + "\"Path\"=\"x\"" << "pATH" << true << sz << withNul("x");
    QTest::newRow("section any case") << QByteArray("[hkey_local_machine\\software\\TOOLS]\n\"PATH\"=\"x\"")
                                      << "PATH" << true << sz << withNul("x");
    QTest::newRow("HKLM for short") << QByteArray("[HKLM\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH" << true
                                    << sz << withNul("x");
    QTest::newRow("section with trailing backslash")
        << QByteArray("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools\\]\n\"PATH\"=\"x\"") << "PATH" << true << sz
        << withNul("x");
    QTest::newRow("unnamed value") << section + "@=\"d\"" << "" << true << sz << withNul("d");
    QTest::newRow("blanks around =") << section + "  \"PATH\" =  \"x\"  " << "PATH" << true << sz
                                     << withNul("x");
    QTest::newRow("comment after a value") << section + "\"PATH\"=\"x\" ; note" << "PATH" << true << sz
                                           << withNul("x");
    QTest::newRow("semicolon inside a string") << section + "\"PATH\"=\"a;b\"" << "PATH" << true << sz
                                               << withNul("a;b");
    QTest::newRow("CRLF and BOM") << "\xEF\xBB\xBF" + section.chopped(1) + "\r\n\"PATH\"=\"x\"\r\n" << "PATH"
                                  << true << sz << withNul("x");
    QTest::newRow("later value wins") << section + "\"PATH\"=\"a\"\n\"path\"=\"b\"" << "PATH" << true << sz
                                      << withNul("b");
    QTest::newRow("section written twice")
        << section + "\"A\"=\"1\"\n[HKLM\\Other]\n" + section + "\"PATH\"=\"2\"" << "A" << true << sz
        << withNul("1");
    QTest::newRow("garbage between values")
        << section + "garbage\n\x01\x02\xff\n=\"x\"\n\"PATH\"=\"ok\"" << "PATH" << true << sz << withNul("ok");

    QTest::newRow("dword") << section + "\"N\"=dword:0000001f" << "N" << true << dword << bytes({0x1f, 0, 0, 0});
    QTest::newRow("dword short, upper case") << section + "\"N\"=DWORD:1F" << "N" << true << dword
                                             << bytes({0x1f, 0, 0, 0});
    QTest::newRow("dword byte order") << section + "\"N\"=dword:12345678" << "N" << true << dword
                                      << bytes({0x78, 0x56, 0x34, 0x12});
    QTest::newRow("dword all ones") << section + "\"N\"=dword:ffffffff" << "N" << true << dword
                                    << bytes({0xff, 0xff, 0xff, 0xff});
    QTest::newRow("hex") << section + "\"B\"=hex:01,2,ff" << "B" << true << binary << bytes({1, 2, 0xff});
    QTest::newRow("hex empty") << section + "\"B\"=hex:" << "B" << true << binary << QByteArray();
    QTest::newRow("hex with its type") << section + "\"B\"=hex(2):41,00" << "B" << true << uint(2)
                                       << bytes({0x41, 0});
    QTest::newRow("hex type in hex") << section + "\"B\"=hex(b):01,00,00,00,00,00,00,00" << "B" << true
                                     << uint(11) << bytes({1, 0, 0, 0, 0, 0, 0, 0});
    QTest::newRow("hex over lines") << section + "\"B\"=hex:01,02,\\\n  03,04,\\\r\n  05" << "B" << true
                                    << binary << bytes({1, 2, 3, 4, 5});
    QTest::newRow("hex with trailing comma") << section + "\"B\"=hex:01,02," << "B" << true << binary
                                             << bytes({1, 2});

    const QByteArray nothing;
    QTest::newRow("no section") << QByteArray("\"PATH\"=\"x\"") << "PATH" << false << 0u << nothing;
    QTest::newRow("value before the section") << "\"PATH\"=\"x\"\n" + section << "PATH" << false << 0u << nothing;
    QTest::newRow("other root") << QByteArray("[HKEY_CURRENT_USER\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH"
                                << false << 0u << nothing;
    QTest::newRow("root name with more letters")
        << QByteArray("[HKEY_LOCAL_MACHINEX\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH" << false << 0u
        << nothing;
    QTest::newRow("deleted section")
        << QByteArray("[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << "PATH" << false << 0u << nothing;
    QTest::newRow("broken header ends the section above")
        << section + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Else\n\"PATH\"=\"x\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("value of another key") << QByteArray("[HKLM\\SOFTWARE\\Tools2]\n\"PATH\"=\"x\"") << "PATH"
                                          << false << 0u << nothing;
    QTest::newRow("comment line") << section + "; \"PATH\"=\"x\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("deletion of a value") << section + "\"PATH\"=-" << "PATH" << false << 0u << nothing;
    QTest::newRow("unterminated string") << section + "\"PATH\"=\"x" << "PATH" << false << 0u << nothing;
    QTest::newRow("unterminated name") << section + "\"PATH=\"x\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("unknown escape") << section + "\"PATH\"=\"a\\nb\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("backslash at the very end") << section + "\"PATH\"=\"a\\" << "PATH" << false << 0u << nothing;
    QTest::newRow("text after the string") << section + "\"PATH\"=\"x\" y" << "PATH" << false << 0u << nothing;
    QTest::newRow("no =") << section + "\"PATH\" \"x\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("unquoted data") << section + "\"PATH\"=/usr/bin/x" << "PATH" << false << 0u << nothing;
    QTest::newRow("unquoted name") << section + "PATH=\"x\"" << "PATH" << false << 0u << nothing;
    QTest::newRow("dword of nine digits") << section + "\"N\"=dword:000000001" << "N" << false << 0u << nothing;
    QTest::newRow("dword not hex") << section + "\"N\"=dword:12g4" << "N" << false << 0u << nothing;
    QTest::newRow("dword empty") << section + "\"N\"=dword:" << "N" << false << 0u << nothing;
    QTest::newRow("hex byte too large") << section + "\"B\"=hex:100" << "B" << false << 0u << nothing;
    QTest::newRow("hex empty byte") << section + "\"B\"=hex:01,,02" << "B" << false << 0u << nothing;
    QTest::newRow("hex bad type") << section + "\"B\"=hex(z):01" << "B" << false << 0u << nothing;
    QTest::newRow("hex type unclosed") << section + "\"B\"=hex(2:01" << "B" << false << 0u << nothing;
    QTest::newRow("hex continuation into a section")
        << section + "\"B\"=hex:01,\\\n[HKLM\\SOFTWARE\\Other]" << "B" << false << 0u << nothing;
    QTest::newRow("hex continuation at the end") << section + "\"B\"=hex:01,\\" << "B" << false << 0u << nothing;
}

void TestRegistryFile::readsValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, name);
    QFETCH(bool, found);
    QFETCH(uint, type);
    QFETCH(QByteArray, data);

    const RegistryFile file = RegistryFile::parse(std::string_view(text.constData(), size_t(text.size())));
    const RegistryValue *value = file.findValue("SOFTWARE\\Tools", name.toStdString());
    QCOMPARE(value != nullptr, found);
    if (!value)
        return;
    QCOMPARE(value->type, type);
    QCOMPARE(dataOf(value), data);
}

void TestRegistryFile::readsTheExportedSample()
{
    const RegistryFile file = RegistryFile::parse(sample);
    QCOMPARE(file.keyCount(), 2u);

    const RegistryValue *path = file.findValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    QVERIFY(path);
    QCOMPARE(path->name, std::string("PATH"));
    QCOMPARE(dataOf(path), withNul("/usr/bin/my \"tool\" \\ here"));
    QCOMPARE(dataOf(file.findValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "flags")),
             bytes({0x1f, 0, 0, 0}));
    QCOMPARE(dataOf(file.findValue("software\\microsoft\\shared tools\\msinfo", "BLOB")),
             bytes({1, 2, 0xff, 0}));
    QCOMPARE(dataOf(file.findValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO")),
             withNul("/opt/tools"));
    QCOMPARE(dataOf(file.findValue("SOFTWARE\\Microsoft\\Shared Tools Location", "")), withNul("default"));
    QVERIFY(!file.findValue("SOFTWARE\\Microsoft\\Shared Tools Location", "PATH"));
    QVERIFY(!file.findValue("SOFTWARE\\Microsoft", "PATH"));
}

void TestRegistryFile::findsKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("exists");

    QTest::newRow("written") << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO" << true;
    QTest::newRow("written, other case") << "software\\MICROSOFT\\shared tools\\msinfo" << true;
    QTest::newRow("trailing backslash") << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\" << true;
    QTest::newRow("parent") << "SOFTWARE\\Microsoft" << true;
    QTest::newRow("grandparent") << "SOFTWARE" << true;
    QTest::newRow("root") << "" << true;
    QTest::newRow("part of a name") << "SOFTWARE\\Micro" << false;
    QTest::newRow("parent that sorts after a sibling") << "SOFTWARE\\Microsoft\\Shared Tools" << true;
    QTest::newRow("below a written key") << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\More" << false;
    QTest::newRow("elsewhere") << "SYSTEM" << false;
    QTest::newRow("leading backslash") << "\\SOFTWARE" << false;
}

void TestRegistryFile::findsKeys()
{
    QFETCH(QString, key);
    QFETCH(bool, exists);
    const RegistryFile file = RegistryFile::parse(sample);
    QCOMPARE(file.hasKey(key.toStdString()), exists);
}

// Every cut and every one-byte change of the sample, and random text made of
// the format's own characters, must parse without a fault (run it under the
// sanitizers); whatever value is found must belong to a key that exists.
void TestRegistryFile::anyInputParses()
{
    const std::string text = sample;
    const auto check = [](const std::string &input) {
        const RegistryFile file = RegistryFile::parse(input);
        for (const char *key : {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                "SOFTWARE\\Microsoft\\Shared Tools Location"}) {
            for (const char *name : {"PATH", "Flags", "Blob", "MSINFO", ""}) {
                if (file.findValue(key, name) && !file.hasKey(key))
                    return false;
            }
        }
        return true;
    };

    for (std::size_t length = 0; length <= text.size(); ++length)
        QVERIFY(check(text.substr(0, length)));
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (char replacement : {'\0', '\n', '\r', '"', '\\', '[', ']', ';', '=', ',', '(', '\xff'}) {
            std::string changed = text;
            changed[at] = replacement;
            QVERIFY(check(changed));
        }
    }

    std::mt19937 random(20240607);
    const std::string alphabet = "[]\"\\=@;,:()-\n\r\t hexdword0123456789abcdefHKLM\xff";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 400);
    for (int round = 0; round < 3000; ++round) {
        std::string input = round % 2 ? std::string("[HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n") : "";
        for (int n = length(random); n > 0; --n)
            input += alphabet[pick(random)];
        QVERIFY(check(input));
    }
}

QTEST_APPLESS_MAIN(TestRegistryFile)
#include "test_registry_file.moc"
