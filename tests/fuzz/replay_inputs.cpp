// Runs every committed input of one fuzz target (its seed corpus and the
// crashes it once found) through the target's own entry point, built without
// libFuzzer, so that the plain test run guards them. A fault aborts the test
// with the target's message.
#include <QtTest>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

class TestFuzzReplay : public QObject
{
    Q_OBJECT

    // A missing folder is an empty one: git keeps no empty folders.
    static QFileInfoList inputsIn(const QString &folder)
    {
        return QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    }

private slots:
    void seedCorpusIsThere()
    {
        QVERIFY2(!inputsIn(QStringLiteral(NUMORIA_FUZZ_CORPUS)).isEmpty(), "no seed inputs in " NUMORIA_FUZZ_CORPUS);
    }

    void replaysInput_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *folder : {NUMORIA_FUZZ_CORPUS, NUMORIA_FUZZ_CRASHES})
            for (const QFileInfo &file : inputsIn(QString::fromUtf8(folder)))
                QTest::newRow(qPrintable(QString(folder).section('/', -2, -2) + ' ' + file.fileName())) << file.filePath();
    }

    void replaysInput()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray bytes = file.readAll();
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                        std::size_t(bytes.size())), 0);
    }
};

QTEST_APPLESS_MAIN(TestFuzzReplay)
#include "replay_inputs.moc"
