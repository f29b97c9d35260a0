// What only Windows can tell: the registry through advapi32, the tool started
// from "C:\Program Files", the clip in a folder named in any script.
// registry-keys.sh writes the keys and places the tool before this runs.
#include "../message_recorder.h"
#include "clip/animation.h"
#include "clip/clip_path.h"
#include "sysinfo/launcher.h"

#include <QTemporaryDir>
#include <QtTest>

const QString kTests = QStringLiteral("SOFTWARE\\Numoria Tests\\");
const QString kMarker = QStringLiteral("C:/Program Files/Numoria Tool/started.txt");

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void registryValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");  // empty: no value at all
        QTest::newRow("size counts the NUL") << "Counted" << "C:\\Program Files\\Numoria Tool";
        QTest::newRow("size leaves it out") << "Uncounted" << "ABC";
        QTest::newRow("text after a NUL") << "Cut" << "A";
        QTest::newRow("ANSI code page") << "Accented" << "Café";
        QTest::newRow("REG_DWORD") << "Flags" << "31";
        QTest::newRow("over 1024 bytes") << "Long" << "";
        QTest::newRow("missing value") << "Absent" << "";
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

    // The real machine, its keys looked up below root unless root is empty.
    void launcher_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("started");
        QTest::newRow("first key") << "" << true;
        QTest::newRow("second key, folder with blanks") << "Second" << true;
        QTest::newRow("second key, folder without the tool") << "No tool" << false;
        QTest::newRow("no key") << "Absent" << false;
    }
    void launcher()
    {
        QFETCH(QString, root);
        QFETCH(bool, started);
        QFile::remove(kMarker);
        sysinfo::Machine machine = sysinfo::realMachine();
        const std::string prefix = (kTests + root + '\\').toStdString();
        if (!root.isEmpty())
            machine.readValue = [prefix](const std::string &key, const std::string &value) {
                return sysinfo::readMachineValue(prefix + key, value);
            };
        MessageRecorder recorder;
        sysinfo::startSystemInformation(nullptr, machine);
        QCOMPARE(recorder.messages.size(), started ? 0 : 1);
        // Started directly: its quoted path is the whole command line.
        const auto commandLine = [] {
            QFile marker(kMarker);
            return marker.open(QIODevice::ReadOnly) ? QString::fromLatin1(marker.readAll()).trimmed() : QString();
        };
        const QString tool = QStringLiteral("\"C:\\Program Files\\Numoria Tool\\MSINFO32.EXE\"");
        if (started)
            QTRY_COMPARE_WITH_TIMEOUT(commandLine(), tool, 10000);
        QCOMPARE(QFile::exists(kMarker), started);
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
