#include "filebytes.h"
#include "graph/testfilenames.h"

#include <QTemporaryDir>
#include <QTest>

class TestFileNamesTest : public QObject
{
    Q_OBJECT
private slots:
    void printFileIsNamedAfterTheCaption_data();
    void printFileIsNamedAfterTheCaption();
};

void TestFileNamesTest::printFileIsNamedAfterTheCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("saved test") << "/home/op/data/Oak 3.dat" << QStringList{} << "Oak 3.pdf";
    QTest::newRow("opened test") << "Oak 3.DAT" << QStringList{} << "Oak 3.pdf";
    QTest::newRow("window title with a point") << "Oak 1.5" << QStringList{} << "Oak 1.5.pdf";
    QTest::newRow("window title with characters no file name holds")
        << "Oak 1/2 in: \"A\\B\" <3>?*|" << QStringList{} << "Oak 1_2 in_ _A_B_ _3____.pdf";
    QTest::newRow("blank caption") << "  " << QStringList{} << "Graph.pdf";
    QTest::newRow("earlier prints kept, a percent sign")
        << "50%1" << QStringList{"50%1.pdf", "50%1 2.pdf"} << "50%1 3.pdf";
}

void TestFileNamesTest::printFileIsNamedAfterTheCaption()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, taken);
    QFETCH(QString, fileName);

    QTemporaryDir folder;
    for (const QString& name : taken)
        QVERIFY(WriteBytes(folder.filePath(name), {}));
    QCOMPARE(PrintFileFor(caption, folder.path()), folder.filePath(fileName));
}

QTEST_GUILESS_MAIN(TestFileNamesTest)
#include "tst_testfilenames.moc"
