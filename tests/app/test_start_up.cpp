// The application object as the program makes it: its own X11 setting stays
// inside it, and a user's own setting is never touched.
#include "app/start_up.h"

#include <QtTest>

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void sharedMemorySettingStaysInside_data()
    {
        QTest::addColumn<QByteArray>("users");  // null: the user set nothing
        QTest::newRow("nothing set") << QByteArray();
        QTest::newRow("the user's own") << QByteArray("0");
    }

    // Programs started from here (the system-information tool) see the
    // environment the program was started with.
    void sharedMemorySettingStaysInside()
    {
        QFETCH(QByteArray, users);
        users.isNull() ? qunsetenv("QT_XCB_NO_MITSHM") : qputenv("QT_XCB_NO_MITSHM", users);
        int argc = 1;
        char name[] = "numoria";
        char *argv[] = {name, nullptr};
        const auto application = app::startApplication(argc, argv);
        QVERIFY(application);
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), users);
        QCOMPARE(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"), !users.isNull());
    }
};

QTEST_APPLESS_MAIN(TestStartUp)
#include "test_start_up.moc"
