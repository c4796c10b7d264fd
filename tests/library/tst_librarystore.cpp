// The test library's storage against a real database: SQLite, or the PostgreSQL server of
// ./test.sh when QOR_TEST_LIBRARY=QPSQL. Tests are saved as the program saves them, rows delivered
// through the queue, and the tables read back with SQL of their own.
#include "filebytes.h"
#include "graph/testfile.h"
#include "library/fileentry.h"
#include "library/folderindex.h"
#include "library/librarydelivery.h"
#include "library/libraryqueue.h"
#include "library/libraryschema.h"
#include "library/librarystore.h"
#include "program/settings.h"
#include "temporarystartdirectory.h"
#include "testlibrary.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

namespace {

QStringList Test(const QString& title, int force)
{
    return {title, "Maximum", "X,Y", "0100,0050", QString("0200,%1").arg(force, 4, 10, QChar('0')),
            "TM"};
}

// The method under which saved tests are judged: Maximum Force within 100 to 300 lbs.
EntryContext Judged()
{
    EntryContext context{{}, "Ann", "Lot 7"};
    context.method.name = "Bracket pull";
    context.method.limits[ResultIndex(ResultKind::MaximumForce)] = ResultLimit{100, 300};
    return context;
}

} // namespace

class TestLibraryStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        start_ = std::make_unique<TemporaryStartDirectory>();
        QDir(start_->Path()).mkdir("data");
        settings_ = TestLibrary::Make(start_->Path(), QTest::currentTestFunction());
        queue_ = std::make_unique<LibraryQueue>(LibraryQueuePath(start_->Path()));
        store_ = std::make_unique<LibraryStore>(settings_, "test");
    }
    void cleanup()
    {
        store_.reset();
        start_.reset();
        ApplyUnits(true);
    }
    void saveAddsItsRow_data();
    void saveAddsItsRow();
    void schemaIsMadeOnceAndNeverDowngraded();
    void addFolderIsIdempotent();
    void twoProgramsSavingAtOnceLoseNoRow();
    void stoppedServerLosesNoSave();

private:
    // Writes a test file in the data folder and queues its row, as a save does.
    LibraryEntry Save(const QString& name, const QStringList& lines,
                      const EntryContext& context = Judged())
    {
        const QString path = start_->Path() + "/data/" + name;
        StoreTestFile(path, lines);
        const LibraryEntry entry =
            EntryForTestFile(path, lines, context, QDateTime::currentDateTime());
        queue_->Append({EntryRow(entry)});
        return entry;
    }
    // A count or value read with SQL.
    QVariant Select(const QString& statement)
    {
        QVariant value;
        {
            QSqlDatabase database = QSqlDatabase::addDatabase(settings_.driver, "check");
            database.setDatabaseName(settings_.database);
            database.setHostName(settings_.host);
            database.setUserName(settings_.user);
            QSqlQuery query(database);
            if (database.open() && query.exec(statement) && query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase("check");
        return value;
    }

    std::unique_ptr<TemporaryStartDirectory> start_;
    LibrarySettings settings_;
    std::unique_ptr<LibraryQueue> queue_;
    std::unique_ptr<LibraryStore> store_;
};

void TestLibraryStore::saveAddsItsRow_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("force");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("English, within the limits") << true << 200 << "PASS";
    // Stored in inches and pounds whatever the units; the limits judged in the method's units.
    QTest::newRow("metric, above the high limit") << false << 301 << "FAIL";
}

void TestLibraryStore::saveAddsItsRow()
{
    QFETCH(bool, english);
    QFETCH(int, force);
    QFETCH(QString, verdict);

    ApplyUnits(english);
    const LibraryEntry saved = Save("oak.dat", Test("Oak 25 mm", force));
    QCOMPARE(DeliverQueue(*queue_, *store_).rows, 1);

    const QByteArray bytes = ReadBytes(start_->Path() + "/data/oak.dat");
    const QString sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    QCOMPARE(Select("SELECT count(*) FROM tests").toInt(), 1);
    QCOMPARE(Select("SELECT sha256 FROM tests").toString(), sha256);
    QCOMPARE(Select("SELECT maximum_force FROM tests").toDouble(), double(force));
    QCOMPARE(Select("SELECT displacement_at_maximum FROM tests").toDouble(), 0.2);
    QCOMPARE(Select("SELECT count(*) FROM tests WHERE break_force IS NULL").toInt(), 1);
    QCOMPARE(Select("SELECT verdict FROM tests").toString(), verdict);
    QCOMPARE(Select("SELECT units FROM tests").toString(), english ? "ENGLISH" : "METRIC");

    const QList<LibraryEntry> entries = store_->CurrentEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].path, start_->Path() + "/data/oak.dat");
    QCOMPARE(entries[0].title, "Oak 25 mm");
    QCOMPARE(entries[0].operatorName, "Ann");
    QCOMPARE(entries[0].lot, "Lot 7");
    QCOMPARE(entries[0].method, "Bracket pull");
    QCOMPARE(entries[0].sha256, sha256);
    QCOMPARE(entries[0].finished, saved.finished.addMSecs(-saved.finished.time().msec()));
    QCOMPARE(QFileInfo(queue_->Path()).size(), 0);

    // Saved again with other bytes: a second row, which becomes the current entry; the finished
    // time of content the library already knew is the one it first had.
    QTest::qWait(1100);
    Save("oak.dat", Test("Oak 25 mm, again", force));
    Save("copy.dat", Test("Oak 25 mm, again", force));
    QCOMPARE(DeliverQueue(*queue_, *store_).rows, 2);
    QCOMPARE(Select("SELECT count(*) FROM tests").toInt(), 3);
    QCOMPARE(store_->CurrentEntries().size(), 2);
    QCOMPARE(store_->CurrentEntries(entries[0].id).size(), 2); // both newer than the first
    QCOMPARE(Select("SELECT count(DISTINCT finished) FROM current_tests").toInt(), 1);
}

void TestLibraryStore::schemaIsMadeOnceAndNeverDowngraded()
{
    QCOMPARE(store_->CurrentEntries().size(), 0); // made on first use
    QCOMPARE(Select("SELECT version FROM library_schema").toInt(), LibrarySchemaVersion());
    QCOMPARE(Select("SELECT count(*) FROM library_schema").toInt(), 1);
    store_.reset();
    LibraryStore again(settings_, "again");
    QCOMPARE(again.CurrentEntries().size(), 0);
    QCOMPARE(Select("SELECT count(*) FROM library_schema").toInt(), 1);

    // A newer program's library is left alone, and says so.
    Select(QString("UPDATE library_schema SET version = %1").arg(LibrarySchemaVersion() + 1));
    LibraryStore older(settings_, "older");
    try {
        older.CurrentEntries();
        QFAIL("a newer library was used");
    } catch (const LibraryError& error) {
        QVERIFY2(error.Message().contains("newer program"), qPrintable(error.Message()));
    }
}

void TestLibraryStore::addFolderIsIdempotent()
{
    const QString data = start_->Path() + "/data/";
    for (const QString name : {"a.dat", "b.DAT", "lot 7/c.dat"}) {
        QVERIFY(QDir().mkpath(QFileInfo(data + name).path()));
        StoreTestFile(data + name, Test(name, 200));
    }
    QVERIFY(WriteBytes(data + "notes.dat", "not a test\r\n"));
    Save("queued.dat", Test("queued", 150)); // saved, its row not yet delivered

    const auto addFolder = [&] {
        return AddFolder(data, *store_, *queue_, Judged(), [](int, int) { return true; });
    };
    FolderSummary summary = addFolder();
    QCOMPARE(summary.added, 3);
    QCOMPARE(summary.alreadyIndexed, 1);
    QCOMPARE(summary.notTests, 1);
    QCOMPARE(FolderSummaryText(summary),
             "3 test files added, 1 already in the library, 1 not a test.");
    QCOMPARE(DeliverQueue(*queue_, *store_).rows, 4);

    summary = addFolder();
    QCOMPARE(summary.added, 0);
    QCOMPARE(summary.alreadyIndexed, 4);
    StoreTestFile(data + "a.dat", Test("a.dat", 201)); // changed since it was added
    summary = addFolder();
    QCOMPARE(summary.added, 1);
    QCOMPARE(DeliverQueue(*queue_, *store_).rows, 1);
    QCOMPARE(Select("SELECT count(*) FROM tests").toInt(), 5);
    QCOMPARE(store_->CurrentEntries().size(), 4);
    // A folder's entries finished when their files were last written.
    QCOMPARE(Select("SELECT finished FROM current_tests WHERE path LIKE '%/c.dat'").toString(),
             LibraryTimeText(QFileInfo(data + "lot 7/c.dat").lastModified()));

    // Cancel keeps what was queued before it.
    for (int file = 0; file < 5; ++file)
        StoreTestFile(data + QString("new %1.dat").arg(file), Test("new", 100 + file));
    summary = AddFolder(data, *store_, *queue_, Judged(), [](int done, int) { return done < 6; });
    QVERIFY(summary.cancelled);
    QCOMPARE(summary.added, 3); // the old three, then three new ones before Cancel
    QCOMPARE(DeliverQueue(*queue_, *store_).rows, 3);
}

void TestLibraryStore::twoProgramsSavingAtOnceLoseNoRow()
{
    // On a server, two stations; on SQLite, two programs sharing one start directory and queue.
    TemporaryStartDirectory second;
    QDir(second.Path()).mkdir("data");
    TestLibrary::Share(second.Path(), QTest::currentTestFunction());
    const QString secondStart = TestLibrary::OnServer() ? second.Path() : start_->Path();
    QProcess savers[2];
    savers[0].start(QCoreApplication::applicationDirPath() + "/librarysaver",
                    {start_->Path(), "1000"});
    savers[1].start(QCoreApplication::applicationDirPath() + "/librarysaver",
                    {secondStart, "1000"});
    for (QProcess& saver : savers) {
        QVERIFY(saver.waitForFinished(240000));
        QVERIFY2(saver.exitCode() == 0, saver.readAllStandardError().constData());
    }
    QCOMPARE(Select("SELECT count(*) FROM tests").toInt(), 2000);
    QCOMPARE(Select("SELECT count(DISTINCT path) FROM tests").toInt(), 2000);
    QCOMPARE(QFileInfo(queue_->Path()).size(), 0);
}

void TestLibraryStore::stoppedServerLosesNoSave()
{
    if (!TestLibrary::OnServer())
        QSKIP("SQLite is a file at the station, not a server that can be stopped");
    LibraryDelivery delivery(settings_, queue_->Path());
    QSignalSpy offline(&delivery, &LibraryDelivery::Offline);
    QSignalSpy online(&delivery, &LibraryDelivery::Online);
    for (int test = 0; test < 30; ++test) {
        if (test == 10)
            QVERIFY(TestLibrary::Control("stop"));
        if (test == 20)
            QVERIFY(TestLibrary::Control("start"));
        Save(QString("%1.dat").arg(test), Test(QString("Test %1").arg(test), 100 + test));
        delivery.Deliver();
    }
    QCOMPARE(offline.size(), 1); // said once, however many saves waited
    QCOMPARE(online.size(), 1);
    QCOMPARE(online[0][0].toInt(), 11); // the ten that waited and the one saved then
    QCOMPARE(Select("SELECT count(*) FROM tests").toInt(), 30);
    QCOMPARE(Select("SELECT count(DISTINCT title) FROM tests").toInt(), 30);
    QCOMPARE(QFileInfo(queue_->Path()).size(), 0);
}

QTEST_GUILESS_MAIN(TestLibraryStore)
#include "tst_librarystore.moc"
