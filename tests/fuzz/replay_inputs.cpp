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

private slots:
    void seedCorpusIsThere();
    void replaysInput_data();
    void replaysInput();

private:
    static QFileInfoList inputsIn(const QString &folder);
};

QFileInfoList TestFuzzReplay::inputsIn(const QString &folder)
{
    // A missing folder is an empty one: git keeps no empty folders.
    return QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

void TestFuzzReplay::seedCorpusIsThere()
{
    QVERIFY2(!inputsIn(QStringLiteral(NUMORIA_FUZZ_CORPUS)).isEmpty(),
             "no seed inputs in " NUMORIA_FUZZ_CORPUS);
}

void TestFuzzReplay::replaysInput_data()
{
    QTest::addColumn<QString>("path");
    const struct {
        const char *kind;
        const char *folder;
    } folders[] = {{"corpus", NUMORIA_FUZZ_CORPUS}, {"crash", NUMORIA_FUZZ_CRASHES}};
    for (const auto &folder : folders)
        for (const QFileInfo &file : inputsIn(QString::fromUtf8(folder.folder)))
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(folder.kind, file.fileName())))
                << file.filePath();
}

void TestFuzzReplay::replaysInput()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray bytes = file.readAll();
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    QCOMPARE(LLVMFuzzerTestOneInput(data, std::size_t(bytes.size())), 0);
}

QTEST_APPLESS_MAIN(TestFuzzReplay)
#include "replay_inputs.moc"
