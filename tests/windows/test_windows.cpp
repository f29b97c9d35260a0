// What only Windows can tell: the registry through advapi32, the tool started
// from "C:\Program Files", the tool and the clip in folders named in any script.
// registry-keys.sh writes the keys and places the tool before this runs.
#include "../message_recorder.h"
#include "clip/animation.h"
#include "clip/clip_path.h"
#include "sysinfo/launcher.h"

#include <QTemporaryDir>
#include <QtTest>

const QString kTests = QStringLiteral("SOFTWARE\\Numoria Tests\\");
// The stand-in tool's folders under "C:\Program Files".
const QStringList kToolFolders{QStringLiteral("Numoria Tool"), QStringLiteral("数字 工具"), QStringLiteral("Числа")};

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void registryValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");  // empty: no value at all
        // clang-format off
        QTest::newRow("size counts the NUL") << "Counted" << "C:\\Program Files\\Numoria Tool";
        QTest::newRow("size leaves it out") << "Uncounted" << "ABC";
        QTest::newRow("text after a NUL") << "Cut" << "A";
        QTest::newRow("Latin accents") << "Accented" << "Café";
        QTest::newRow("Chinese") << "Chinese" << "数字 零";
        QTest::newRow("Cyrillic") << "Cyrillic" << "Числа";
        QTest::newRow("REG_DWORD") << "Flags" << "31";
        QTest::newRow("over 1024 bytes") << "Long" << "";
        QTest::newRow("missing value") << "Absent" << "";
        // clang-format on
    }
    void registryValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const auto value = sysinfo::readMachineValue((kTests + "Values").toStdString(), name.toStdString());
        QCOMPARE(value.has_value(), !text.isEmpty());
        QCOMPARE(sysinfo::valueText(value).value_or(QString()), text);
        QVERIFY(!sysinfo::readMachineValue((kTests + "Absent").toStdString(), name.toStdString()));
    }

    // The real machine, its keys looked up below root unless root is empty;
    // the folder of the tool started, empty when none.
    void launcher_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("folder");
        // clang-format off
        QTest::newRow("first key") << "" << kToolFolders[0];
        QTest::newRow("second key, folder with blanks") << "Second" << kToolFolders[0];
        QTest::newRow("key and tool in Chinese") << "中文" << kToolFolders[1];
        QTest::newRow("second key, folder in Cyrillic") << "Cyrillic" << kToolFolders[2];
        QTest::newRow("second key, folder without the tool") << "No tool" << "";
        QTest::newRow("no key") << "Absent" << "";
        // clang-format on
    }
    void launcher()
    {
        QFETCH(QString, root);
        QFETCH(QString, folder);
        const auto marker = [](const QString &name) {
            return QStringLiteral("C:/Program Files/%1/started.txt").arg(name);
        };
        for (const QString &each : kToolFolders)
            QFile::remove(marker(each));
        sysinfo::Machine machine = sysinfo::realMachine();
        const std::string prefix = (kTests + root + '\\').toStdString();
        if (!root.isEmpty())
            machine.readValue = [prefix](const std::string &key, const std::string &value) {
                return sysinfo::readMachineValue(prefix + key, value);
            };
        MessageRecorder recorder;
        sysinfo::startSystemInformation(nullptr, machine);
        QCOMPARE(recorder.messages.size(), folder.isEmpty() ? 1 : 0);
        // Started directly: its quoted path is the whole command line.
        const auto commandLine = [&] {
            QFile started(marker(folder));
            return started.open(QIODevice::ReadOnly) ? QString::fromUtf8(started.readAll()).trimmed() : QString();
        };
        if (!folder.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(commandLine(), "\"C:\\Program Files\\" + folder + "\\MSINFO32.EXE\"", 10000);
        for (const QString &each : kToolFolders)
            QCOMPARE(QFile::exists(marker(each)), each == folder);
    }

    void clipInAnyScript_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("Chinese") << QStringLiteral("数字 零");
        QTest::newRow("Cyrillic") << QStringLiteral("Числа");
        QTest::newRow("Latin accents") << QStringLiteral("Nombres à écrire");
    }
    void clipInAnyScript()
    {
        QFETCH(QString, folder);
        const QTemporaryDir temporary;
        const QString clip = temporary.filePath(folder + QStringLiteral("/numoria.avi"));
        QVERIFY(QDir().mkpath(temporary.filePath(folder)));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/numoria.avi"), clip));
        QCOMPARE(QString::fromStdWString(clip::filesystemPath(clip).wstring()), clip);
        clip::Animation animation;
        animation.resize(41, 41);
        QSignalSpy answers(&animation, &clip::Animation::answered);
        animation.open(clip::filesystemPath(clip));
        QVERIFY(answers.wait());
        QVERIFY(animation.frameCount() > 1);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
