#include "filebytes.h"
#include "graph/testfile.h"
#include "platform/errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFileTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(directory.isValid()); }

    void storeAndLoadRoundTrip();
    void loadsAnyLineEnd_data();
    void loadsAnyLineEnd();
    void storeReplacesWholeFile();
    void failuresNameTheFile();

private:
    QTemporaryDir directory;
};

void TestFileTest::storeAndLoadRoundTrip()
{
    const QString path = directory.filePath(QStringLiteral("test.dat"));
    // Every single-byte character survives, including those above 127.
    const QByteArray title = "Probe \xe9\xa0\xff 25\xb0";
    const QStringList lines{QString::fromLatin1(title),
                            QStringLiteral("QOR1000 Test Graph 1"),
                            QStringLiteral("X,Y"),
                            QStringLiteral("0010,0100"),
                            QString(),
                            QStringLiteral("TM")};
    const QByteArray bytes = title + "\r\nQOR1000 Test Graph 1\r\nX,Y\r\n0010,0100\r\n\r\nTM\r\n";

    StoreTestFile(path, lines);
    QCOMPARE(ReadBytes(path), bytes);
    QCOMPARE(LoadTestFile(path), lines);
}

void TestFileTest::loadsAnyLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QStringList test{"D", "", "X,Y", "0010,0100", "TM"};
    QTest::newRow("CR LF") << QByteArray("D\r\n\r\nX,Y\r\n0010,0100\r\nTM\r\n") << test;
    QTest::newRow("LF") << QByteArray("D\n\nX,Y\n0010,0100\nTM\n") << test;
    QTest::newRow("CR") << QByteArray("D\r\rX,Y\r0010,0100\rTM\r") << test;
    QTest::newRow("mixed") << QByteArray("D\r\n\rX,Y\n0010,0100\r\nTM") << test;
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
}

void TestFileTest::loadsAnyLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = directory.filePath(QStringLiteral("ends.dat"));
    QVERIFY(WriteBytes(path, bytes));
    QCOMPARE(LoadTestFile(path), lines);
}

void TestFileTest::storeReplacesWholeFile()
{
    const QString path = directory.filePath(QStringLiteral("shorter.dat"));
    QVERIFY(WriteBytes(path, QByteArray(1000, 'x')));
    StoreTestFile(path, {QStringLiteral("D")});
    QCOMPARE(ReadBytes(path), QByteArray("D\r\n"));
    QCOMPARE(QDir(directory.path()).entryList({"shorter*"}, QDir::Files),
             QStringList{"shorter.dat"});
}

void TestFileTest::failuresNameTheFile()
{
    const QString missing = directory.filePath(QStringLiteral("missing.dat"));
    const QString noFolder = directory.filePath(QStringLiteral("no folder/test.dat"));
    try {
        LoadTestFile(missing);
        QFAIL("a missing file loaded");
    } catch (const FileError& error) {
        QVERIFY2(
            error.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)),
            qPrintable(error.Message()));
    }
    try {
        StoreTestFile(noFolder, {QStringLiteral("D")});
        QFAIL("a file was stored in a missing folder");
    } catch (const FileError& error) {
        QVERIFY2(error.Message().contains(noFolder), qPrintable(error.Message()));
    }
    QVERIFY(!QFile::exists(noFolder));
}

QTEST_GUILESS_MAIN(TestFileTest)
#include "tst_testfile.moc"
