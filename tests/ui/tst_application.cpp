// What configureApplication gives every window of the program.
#include "ui/application.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void perUserDataFolderIsLowerCaseZenitor();
};

void TestApplication::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    configureApplication(*qApp);
}

void TestApplication::perUserDataFolderIsLowerCaseZenitor()
{
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/zenitor"));
}

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
