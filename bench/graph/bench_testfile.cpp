#include "graph/testfile.h"
#include "testrecords.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

// Loading and storing a 100,000-line test file, against reading or writing the same bytes with
// QFile or QSaveFile and splitting or joining them at the line ends.
class TestFileBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Lines = MachineTest(100000);
        Path = Folder.filePath(QStringLiteral("benchmark.dat"));
        StoreTestFile(Path, Lines);
    }

    void readAndSplit()
    {
        QStringList lines;
        QBENCHMARK
        {
            QFile file(Path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        }
        QCOMPARE(lines.size(), Lines.size() + 1); // the last line end leaves an empty part
    }

    void loadTestFile()
    {
        QStringList lines;
        QBENCHMARK
        {
            lines = LoadTestFile(Path);
        }
        QCOMPARE(lines, Lines);
    }

    void joinAndWrite()
    {
        const QString path = Folder.filePath(QStringLiteral("joined.dat"));
        QBENCHMARK
        {
            QSaveFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write((Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
            QVERIFY(file.commit());
        }
        QCOMPARE(QFileInfo(path).size(), QFileInfo(Path).size());
    }

    void storeTestFile()
    {
        const QString path = Folder.filePath(QStringLiteral("stored.dat"));
        QBENCHMARK
        {
            StoreTestFile(path, Lines);
        }
        QCOMPARE(QFileInfo(path).size(), QFileInfo(Path).size());
    }

private:
    QTemporaryDir Folder;
    QString Path;
    QStringList Lines;
};

QTEST_GUILESS_MAIN(TestFileBenchmark)
#include "bench_testfile.moc"
