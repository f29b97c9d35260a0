#include "kit/strings.h"
#include "kit/style.h"

#include <QFontMetrics>
#include <QtTest>

using kit::Language;
using kit::Text;

class TestKit : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void everyTextExistsInEveryLanguage();
    void captionsFitTheirRoom();
    void twipsAreFifteenToAPixel();
};

void TestKit::texts_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<Text>("text");
    QTest::addColumn<int>("identifier");
    QTest::addColumn<QString>("expected");
    QTest::newRow("French 2") << Language::French << Text::TooLong << 102
                              << "Le nombre ne peur exéder cinq chiffres !";
    QTest::newRow("German 4") << Language::German << Text::DescriptionLine1 << 204
                              << "        Umwandlungsoftware von ";
    QTest::newRow("German 11") << Language::German << Text::AboutTitle << 211 << "Diesbezüglich ";
    QTest::newRow("English 5") << Language::English << Text::DescriptionLine2 << 305
                               << "             in chinese  number";
    QTest::newRow("English 12") << Language::English << Text::VersionPrefix << 312 << "Version : ";
    QTest::newRow("English 14") << Language::English << Text::ConvertButton << 314 << "Convertion !";
    QTest::newRow("French 10") << Language::French << Text::IdeogramTooltip << 110
                               << "Cet idéogramme symbolise le : ";
    QTest::newRow("German 18") << Language::German << Text::Credit << 218 << "Schöpfer Mitglied von Ordalis";
}

void TestKit::texts()
{
    QFETCH(Language, language);
    QFETCH(Text, text);
    QFETCH(int, identifier);
    QFETCH(QString, expected);
    QCOMPARE(kit::stringIdentifier(language, text), identifier);
    QCOMPARE(kit::text(language, text), expected);
}

void TestKit::everyTextExistsInEveryLanguage()
{
    for (int number = 1; number <= 18; ++number)
        for (const QString &text : kit::inEveryLanguage(Text(number)))
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(number)));
    QVERIFY(kit::text(Language::English, Text::DisclaimerLine3).endsWith(QStringLiteral(" --- English : It's greek to me !")));
}

// The largest size at which every caption fits, never above the font's own.
void TestKit::captionsFitTheirRoom()
{
    QFont base;
    base.setPixelSize(20);
    const QStringList captions{QStringLiteral("&Convertion !"), QStringLiteral("Konvertieren")};
    const QFont fitted = kit::fontFittingCaptions(base, captions, QSize(60, 30));
    QFont larger = fitted;
    larger.setPixelSize(fitted.pixelSize() + 1);
    QVERIFY(QFontMetrics(fitted).horizontalAdvance(QStringLiteral("Konvertieren")) <= 60);
    QVERIFY(QFontMetrics(larger).horizontalAdvance(QStringLiteral("Konvertieren")) > 60);
    QCOMPARE(kit::fontFittingCaptions(base, captions, QSize(1000, 1000)).pixelSize(), 20);
    QCOMPARE(kit::withoutAccelerator(QStringLiteral("&Files && more")), QStringLiteral("Files & more"));
}

void TestKit::twipsAreFifteenToAPixel()
{
    QCOMPARE(kit::twipsRect(1080, 2760, 615, 615), QRect(72, 184, 41, 41));
    QCOMPARE(kit::twipsToPixels(7), 0);
    QCOMPARE(kit::twipsToPixels(8), 1);
}

QTEST_MAIN(TestKit)
#include "test_kit.moc"
