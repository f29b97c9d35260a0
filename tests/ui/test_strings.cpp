#include "language.h"
#include "string_table.h"

#include <QtTest>

using namespace numoria;

class TestStrings : public QObject
{
    Q_OBJECT

private slots:
    void identifierJoinsLanguageAndTwoDigits_data();
    void identifierJoinsLanguageAndTwoDigits();
    void holdsTheProgramsTexts_data();
    void holdsTheProgramsTexts();
    void holdsExactlyFiftyFourTexts();
    void disclaimerAndContactInEveryLanguage();
    void messageFollowsTheCurrentLanguage();
};

void TestStrings::identifierJoinsLanguageAndTwoDigits_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("identifier");
    QTest::newRow("French 2") << 1 << 2 << 102;
    QTest::newRow("French 18") << 1 << 18 << 118;
    QTest::newRow("German 9") << 2 << 9 << 209;
    QTest::newRow("English 14") << 3 << 14 << 314;
}

void TestStrings::identifierJoinsLanguageAndTwoDigits()
{
    QFETCH(int, language);
    QFETCH(int, number);
    QFETCH(int, identifier);
    QCOMPARE(stringIdentifier(language, number), identifier);
}

void TestStrings::holdsTheProgramsTexts_data()
{
    QTest::addColumn<int>("identifier");
    QTest::addColumn<QString>("text");
    const struct {
        int id;
        const char *text;
    } rows[] = {
        {101, "Numoria"},
        {102, "Le nombre ne peur exéder cinq chiffres !"},
        {103, "Entrez un nombre !"},
        {104, "Logiciel de conversion de nombres"},
        {105, "arabes en nombres chinois !"},
        {109, "Cliquer pour convertir !"},
        {110, "Cet idéogramme symbolise le : "},
        {111, "A propos de"},
        {112, "Version :"},
        {113, "Infos système"},
        {114, "Convertir !"},
        {115, "&Fichier"},
        {116, "&A propos"},
        {117, "&Quitter"},
        {118, "Auteur membre du Ordalis"},
        {201, "Numoria"},
        {202, "Die Zahl kannt nicht fünf Ziffern ûberholt"},
        {203, "Eine Zahl treten !"},
        {204, "        Umwandlungsoftware von "},
        {205, "arabische Ziffern in chinesische Ziffern"},
        {209, "Stützen auf dem Knopf für konvertieren !"},
        {210, "Dieses Schrittzeichen symbolisiert : "},
        {211, "Diesbezüglich "},
        {212, "Modell :"},
        {213, "Systeminfo !"},
        {214, "Konvertieren"},
        {215, "&Datei"},
        {216, "&Dazu"},
        {217, "&Enden"},
        {218, "Schöpfer Mitglied von Ordalis"},
        {301, "Numoria"},
        {302, "The number can't exeed five numeral"},
        {303, "Enter a number !"},
        {304, "Convertion's soft of arabian number"},
        {305, "             in chinese  number"},
        {309, "Click to convertion !"},
        {310, "This ideogram symbolize : "},
        {311, "About of"},
        {312, "Version : "},
        {313, "Syst. Info !"},
        {314, "Convertion !"},
        {315, "&Files"},
        {316, "&About..."},
        {317, "&End"},
        {318, "Autor member of Ordalis"},
    };
    for (const auto &row : rows)
        QTest::addRow("%d", row.id) << row.id << QString::fromUtf8(row.text);
}

void TestStrings::holdsTheProgramsTexts()
{
    QFETCH(int, identifier);
    QFETCH(QString, text);
    QCOMPARE(LoadResString(identifier), text);
}

void TestStrings::holdsExactlyFiftyFourTexts()
{
    int found = 0;
    for (int id = 0; id < 1000; ++id) {
        const bool written = (id / 100 >= 1 && id / 100 <= 3) && (id % 100 >= 1 && id % 100 <= 18);
        if (written) {
            QVERIFY2(!LoadResString(id).isEmpty(), qPrintable(QString::number(id)));
            ++found;
        } else {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no string"));
            QVERIFY2(LoadResString(id).isNull(), qPrintable(QString::number(id)));
        }
    }
    QCOMPARE(found, 54);
}

void TestStrings::disclaimerAndContactInEveryLanguage()
{
    // The second English disclaimer line is indented with blanks.
    QVERIFY(LoadResString(307).startsWith(QStringLiteral("  ")));
    const QString address = LoadResString(108);
    QVERIFY(address.contains(u'@'));
    QCOMPARE(LoadResString(208), address + QStringLiteral(" --- Entschuldigung für meiner Deutsch !"));
    QCOMPARE(LoadResString(308), address + QStringLiteral(" --- English : It's greek to me !"));
    for (int id : {106, 107, 206, 207, 306})
        QVERIFY(!LoadResString(id).trimmed().isEmpty());
}

void TestStrings::messageFollowsTheCurrentLanguage()
{
    const auto saved = langue;
    langue = language::English;
    QCOMPARE(message(msg::TooLong), QStringLiteral("The number can't exeed five numeral"));
    langue = language::German;
    QCOMPARE(message(msg::ConvertButton), QStringLiteral("Konvertieren"));
    langue = saved;
}

QTEST_GUILESS_MAIN(TestStrings)
#include "test_strings.moc"
