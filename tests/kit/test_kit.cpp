#include "kit/strings.h"
#include "kit/style.h"

#include <QFontMetrics>
#include <QtTest>

class TestKit : public QObject
{
    Q_OBJECT

private slots:
    void everyTextExistsInEveryLanguage()
    {
        QTest::failOnWarning(QRegularExpression());
        for (int number = 1; number <= 18; ++number)
            for (const QString &text : kit::inEveryLanguage(kit::Text(number)))
                QVERIFY2(!text.isEmpty(), qPrintable(QString::number(number)));
        QCOMPARE(kit::stringIdentifier(kit::Language::English, kit::Text::ConvertButton), 314);
    }

    // The largest size at which every caption fits, never above the font's own.
    void captionsFitTheirRoom()
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
        const QFontMetrics metrics(base);  // a room it fills exactly
        const QSize exact(metrics.horizontalAdvance(QStringLiteral("Konvertieren")), metrics.height());
        QCOMPARE(kit::fontFittingCaptions(base, {QStringLiteral("Konvertieren")}, exact).pixelSize(), 20);
        QCOMPARE(kit::withoutAccelerator(QStringLiteral("&Files && more")), QStringLiteral("Files & more"));
    }

    void twipsAreFifteenToAPixel()
    {
        QCOMPARE(kit::twipsRect(1080, 2760, 615, 615), QRect(72, 184, 41, 41));
    }
};

QTEST_MAIN(TestKit)
#include "test_kit.moc"
