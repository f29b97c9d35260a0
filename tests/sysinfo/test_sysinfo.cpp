#include "kit/message_box.h"
#include "sysinfo/launcher.h"
#include "sysinfo/reg_file.h"

#include <QtTest>

using sysinfo::MachineValue;

// Bytes as written, without the NUL the literal adds.
template <std::size_t N> QByteArray raw(const char (&bytes)[N]) { return QByteArray(bytes, N - 1); }

class TestSysinfo : public QObject
{
    Q_OBJECT

private slots:
    // Value "PATH" of key "SOFTWARE\Tools" looked up in `text`; type 0: not found.
    void regFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        const QByteArray key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tools]\n";
        const QByteArray x = raw("x\0"), none;
        QTest::newRow("escapes") << key + "\"PATH\"=\"/a \\\"b\\\" \\\\ c\"" << 1u << raw("/a \"b\" \\ c\0");
        QTest::newRow("HKLM, any case, CRLF, comments")
            << QByteArray("; a\r\n[hklm\\software\\TOOLS\\]\r\n\"path\" = \"x\" ; b\r\n") << 1u << x;
        QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + key + "\"PATH\"=\"x\"" << 1u << x;
        QTest::newRow("dword") << key + "\"PATH\"=DWORD:09afAF ; c" << 4u << raw("\xaf\xaf\x09\0");
        QTest::newRow("hex, lines") << key + "\"PATH\"=hex:01,Fe,\\\r\n  10,\\\n  20" << 3u << raw("\x01\xfe\x10\x20");
        QTest::newRow("hex(N)") << key + "\"PATH\"=hex(1b):41,00," << 27u << raw("A\0");
        QTest::newRow("nine dword digits") << key + "\"PATH\"=dword:000000001" << 0u << none;
        QTest::newRow("dword not hex") << key + "\"PATH\"=dword:1g" << 0u << none;
        QTest::newRow("hex byte too large") << key + "\"PATH\"=hex:100" << 0u << none;
        QTest::newRow("hex(N) without colon") << key + "\"PATH\"=hex(7)41" << 0u << none;
        QTest::newRow("value after a cut hex list") << key + "\"B\"=hex:01,\\\n\"PATH\"=\"x\"" << 1u << x;
        QTest::newRow("hex continued past the end") << key + "\"PATH\"=hex:01,\\" << 0u << none;
        QTest::newRow("no equals sign") << key + "\"PATH\":\"x\"" << 0u << none;
        QTest::newRow("unknown escape") << key + "\"PATH\"=\"a\\nb\"" << 0u << none;
        QTest::newRow("text after the string") << key + "\"PATH\"=\"x\" y" << 0u << none;
        QTest::newRow("value deleted") << key + "\"PATH\"=-" << 0u << none;
        QTest::newRow("other root") << QByteArray("[HKEY_CURRENT_USER\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << 0u << none;
        QTest::newRow("longer root name") << QByteArray("[HKLMX\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << 0u << none;
        QTest::newRow("parent key") << QByteArray("[HKLM\\SOFTWARE]\n\"PATH\"=\"x\"") << 0u << none;
        QTest::newRow("key deleted") << QByteArray("[-HKLM\\SOFTWARE\\Tools]\n\"PATH\"=\"x\"") << 0u << none;
        QTest::newRow("broken header") << key + "[HKLM\\SOFTWARE\\Other\n\"PATH\"=\"x\"" << 0u << none;
    }

    void regFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        const auto file = sysinfo::RegFile::parse(std::string_view(text.constData(), std::size_t(text.size())));
        const auto *value = file.findValue("SOFTWARE\\Tools", "PATH");
        QCOMPARE(value ? value->type : 0u, type);
        if (value)
            QCOMPARE(value->data, std::vector<unsigned char>(data.begin(), data.end()));
    }

    void valueText_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");  // "(none)": the value cannot be read
        QTest::newRow("string with its NUL") << 1u << raw("/a b\0") << "/a b";
        QTest::newRow("string without NUL") << 1u << raw("/a b") << "/a b";
        QTest::newRow("embedded NUL") << 1u << raw("/bin/sh\0-c x\0") << "/bin/sh";
        QTest::newRow("UTF-8") << 1u << raw("/opt/syst\xc3\xa8me") << "/opt/système";
        QTest::newRow("dword") << 4u << raw("\x1f\x01\0\0") << "287";
        QTest::newRow("dword of five bytes") << 4u << raw("\x1f\x01\0\0\0") << "";
        QTest::newRow("other type") << 2u << raw("/a") << "";
        QTest::newRow("1024 bytes") << 1u << QByteArray(1024, 'a') << QString(1024, 'a');
        QTest::newRow("1025 bytes") << 1u << QByteArray(1025, 'a') << "(none)";
        QTest::newRow("1024 characters") << 1u << QByteArray("\xc3\xa8").repeated(1024) << QString(1024, u'è');
    }

    void valueText()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        const MachineValue value{type, {data.begin(), data.end()}};
        QCOMPARE(sysinfo::valueText(value).value_or(QStringLiteral("(none)")), text);
    }

    // The two registry values (null: absent), the desktop, the files there,
    // whether starting works, and what is started (program, then arguments);
    // when nothing starts, the message is shown.
    void startSystemInformation_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QStringList>("started");
        const QString absent;
        const QStringList inB{"/opt/b/MSINFO32.EXE"}, none;
        const QString kde = "/usr/bin/kinfocenter", gnome = "/usr/bin/gnome-control-center",
                      xfce = "/usr/bin/xfce4-about", hardinfo = "/usr/bin/hardinfo";
        const QStringList views{kde, gnome, xfce, hardinfo}, gnomeView{gnome, "info-overview"};
        // clang-format off
        QTest::newRow("first key wins") << "/usr/bin/hard info" << "/opt/b"
                                        << "KDE" << inB + views << true << QStringList{"/usr/bin/hard info"};
        QTest::newRow("relative first key") << "evil/tool" << "/opt/b" << "" << inB << true << none;
        QTest::newRow("bare name") << "touch" << absent << "" << inB << true << none;
        QTest::newRow("resource path") << ":/tool" << absent << "" << inB << true << none;
        QTest::newRow("second key") << absent << "/opt/b" << "KDE" << inB + views << true << inB;
        QTest::newRow("second key, final slash") << absent << "/opt/b/" << "" << inB << true << inB;
        QTest::newRow("second key, no tool") << absent << "/opt/b" << "" << none << true << none;
        QTest::newRow("dot as folder") << absent << "."
                                       << "" << QStringList{"./MSINFO32.EXE", "MSINFO32.EXE"} << true << none;
        QTest::newRow("neither key") << absent << absent << "" << inB << true << none;
        QTest::newRow("start fails") << "/opt/a" << absent << "KDE" << views << false << QStringList{"/opt/a"};
        QTest::newRow("GNOME on Ubuntu") << absent << absent << "ubuntu:GNOME" << views << true << gnomeView;
        QTest::newRow("Plasma") << absent << absent << "KDE" << views << true << QStringList{kde};
        QTest::newRow("Xfce, no tool in the folder") << absent << "/opt/b"
                                                     << "XFCE" << views << true << QStringList{xfce};
        QTest::newRow("first desktop named") << absent << absent << "XFCE:KDE" << views << true << QStringList{xfce};
        QTest::newRow("own view not installed")
            << absent << absent << "KDE" << QStringList{gnome, xfce, hardinfo} << true << QStringList{hardinfo};
        QTest::newRow("other desktop's view")
            << absent << absent << "" << QStringList{gnome, xfce} << true << QStringList{xfce};
        QTest::newRow("GNOME's only under GNOME")
            << absent << absent << "X-Cinnamon" << QStringList{gnome} << true << none;
        QTest::newRow("view fails to start") << absent << absent << "KDE" << views << false << QStringList{kde};
        // clang-format on
    }

    void startSystemInformation()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, desktop);
        QFETCH(QStringList, files);
        QFETCH(bool, startWorks);
        QFETCH(QStringList, started);
        const QMap<QString, QString> values{{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH", path},
                                            {"SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO", folder}};
        QList<QStringList> starts;
        QList<kit::Message> messages;
        const sysinfo::Machine machine{
            [&](const std::string &key, const std::string &name) -> std::optional<MachineValue> {
                const QByteArray text = values.value(QString::fromStdString(key + '|' + name)).toUtf8();
                return text.isNull() ? std::nullopt
                                     : std::optional(MachineValue{sysinfo::typeString, {text.begin(), text.end()}});
            },
            [&](const QString &file) { return files.contains(file); },
            [&](const QString &program, const QStringList &arguments) {
                return starts.append(QStringList{program} + arguments), startWorks;
            },
            desktop};
        const auto previous = kit::setMessageHandler([&](QWidget *, const kit::Message &m) { messages.append(m); });
        sysinfo::startSystemInformation(nullptr, machine);
        kit::setMessageHandler(previous);
        QCOMPARE(starts, started.isEmpty() ? QList<QStringList>() : QList<QStringList>{started});
        const kit::Message unavailable{QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
                                       QStringLiteral("Numoria"), kit::MessageIcon::None};
        QCOMPARE(messages, started.isEmpty() || !startWorks ? QList{unavailable} : QList<kit::Message>());
    }

    // A stand-in file, without a final newline unless padded with blank lines
    // to `size` bytes, or a directory, or nothing.
    void standInFile_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("small file") << "file" << 0 << "/x";
        QTest::newRow("1 MiB") << "file" << (1 << 20) << "/x";
        QTest::newRow("over 1 MiB") << "file" << (1 << 20) + 1 << "(none)";
        QTest::newRow("directory") << "directory" << 0 << "(none)";
        QTest::newRow("missing") << "nothing" << 0 << "(none)";
    }

    void standInFile()
    {
        QFETCH(QString, made);
        QFETCH(int, size);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("registry.reg")));
        QByteArray contents = "[HKLM\\SOFTWARE\\Tools]\n\"PATH\"=\"/x\"";
        contents.append(qMax(0, size - int(contents.size())), '\n');
        if (made == "file")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.flush());
        if (made == "directory")
            QVERIFY(QDir().mkpath(file.fileName()));
        const auto value = sysinfo::readValueFromFile(file.fileName().toStdString(), "software\\tools", "path");
        QCOMPARE(sysinfo::valueText(value).value_or(QStringLiteral("(none)")), text);
    }

    // A path that a shell would split and expand must reach the tool as it is.
    void startsWithoutAShell()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString folder = dir.filePath(QStringLiteral("a b;$(touch pwned)"));
        QFile tool(folder + QStringLiteral("/tool"));
        QVERIFY(QDir().mkpath(folder) && tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        tool.close();
        QVERIFY(tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const sysinfo::Machine machine = sysinfo::realMachine();
        QVERIFY(machine.isFile(tool.fileName()) && !machine.isFile(folder));
        QVERIFY(machine.start(tool.fileName(), {}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(tool.fileName() + ".ran"), 5000);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("pwned"))));
    }
};

QTEST_GUILESS_MAIN(TestSysinfo)
#include "test_sysinfo.moc"
