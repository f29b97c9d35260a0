// Runs every committed input of one fuzz target through the target's own entry
// point, built without libFuzzer, so that the plain test run guards them. A
// fault aborts the test with the target's message.
#include <QtTest>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void replaysInput_data()
    {
        QTest::addColumn<QString>("path");
        const QFileInfoList inputs = QDir(QStringLiteral(NUMORIA_FUZZ_CORPUS)).entryInfoList(QDir::Files, QDir::Name);
        QVERIFY2(!inputs.isEmpty(), "no inputs in " NUMORIA_FUZZ_CORPUS);
        for (const QFileInfo &file : inputs)
            QTest::newRow(qPrintable(file.fileName())) << file.filePath();
    }

    void replaysInput()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray bytes = file.readAll();
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                        std::size_t(bytes.size())),
                 0);
    }
};

QTEST_APPLESS_MAIN(TestFuzzReplay)
#include "replay_inputs.moc"
