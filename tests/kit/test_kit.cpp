#include "kit/centring.h"
#include "kit/strings.h"
#include "kit/style.h"

#include <QFontMetrics>
#include <QWidget>
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

    void centringEnds_data()
    {
        QTest::addColumn<bool>("framed");
        QTest::addColumn<int>("withinMs");
        QTest::newRow("framed: once its frame is known") << true << 1000;
        QTest::newRow("frameless: after two seconds of looking") << false << 4000;
    }

    // The window is watched for its frame until it is placed for good, and
    // no longer: a watch left running would wake the program forever.
    void centringEnds()
    {
        QFETCH(bool, framed);
        QFETCH(int, withinMs);
        QWidget window(nullptr, framed ? Qt::Window : Qt::Window | Qt::FramelessWindowHint);
        window.resize(100, 100);
        kit::centreWhenShown(&window);
        const auto watchers = [&] { return window.findChildren<QObject *>(Qt::FindDirectChildrenOnly).size(); };
        QCOMPARE(watchers(), 1);
        window.show();
        QTest::qWait(withinMs / 4);
        QCOMPARE(watchers(), framed ? 0 : 1);
        QTRY_COMPARE_WITH_TIMEOUT(watchers(), 0, withinMs);
    }

    void twipsAreFifteenToAPixel()
    {
        QCOMPARE(kit::twipsRect(1080, 2760, 615, 615), QRect(72, 184, 41, 41));
    }
};

QTEST_MAIN(TestKit)
#include "test_kit.moc"
