#include "config/installationfile.h"
#include "logfile.h"
#include "program/settings.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QDir>
#include <QTest>
#include <memory>

using Call = ScriptedSerialLibrary::Call;

namespace {

const QString InstallLog = QStringLiteral("errors/install.errors.txt");
const QString StartupLog = QStringLiteral("errors/startup.log.txt");

// The install log's seven closing lines.
QByteArray Trailer(int errors, int lines, int comments)
{
    return QByteArray("  \r\n<stamp>,   \r\nQOR1000 Ver Win 2.2.3 - 25 Feb, 2006 \r\n") +
           "Number of errors found        " + QByteArray::number(errors) + "\r\n" +
           "Number of lines processed     " + QByteArray::number(lines - errors - comments) +
           "\r\n" + "Number of comment lines found " + QByteArray::number(comments) + "\r\n" +
           "Total number of lines found   " + QByteArray::number(lines) + "\r\n";
}

// What ReadInstallationFile raised: 0 when it returned.
int RaisedByReading()
{
    try {
        ReadInstallationFile();
    } catch (int code) {
        return code;
    }
    return 0;
}

} // namespace

class TestInstallationFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void installLog_data();
    void installLog();
    void settings_data();
    void settings();
    void portLines_data();
    void portLines();
    void missingFile();
    void readError();
    void startupHistoryGrows();
    void logsThatCannotBeWritten_data();
    void logsThatCannotBeWritten();

private:
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<ScriptedSerialLibrary> library_;
};

void TestInstallationFile::init()
{
    start_ = std::make_unique<TemporaryStartDirectory>();
    library_ = std::make_unique<ScriptedSerialLibrary>();
    InstallSerialLibrary(library_.get());
    ColorGraph = true;
    ApplyUnits(true);
    DiagnosticDirectory = QStringLiteral("A:\\");
    ManualViewerPath = QStringLiteral("viewer");
    PortName.clear();
    VersionText = QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006");
}

void TestInstallationFile::cleanup()
{
    InstallSerialLibrary(nullptr);
    library_.reset();
    start_.reset();
}

void TestInstallationFile::installLog_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("expectedLog");
    QTest::addColumn<int>("raised");

    const QByteArray longLine = "DIRECTORY DIAGNOSTIC=" + QByteArray(233, 'x'); // 254 characters

    QTest::newRow("clean file") << QByteArray("QOR-1000 installation\r\n"
                                              "' serial port\r\n"
                                              "PORT=COM1\r\n"
                                              "\r\n"
                                              "UNITS=METRIC\r\n"
                                              "COLORGRAPH=FALSE\r\n"
                                              "DIRECTORY DIAGNOSTIC=/tmp\r\n"
                                              "DIRECTORY MANUALVIEWER=/usr/bin/xdg-open\r\n")
                                << "QOR-1000 installation \r\n" + Trailer(0, 7, 2) << 0;
    QTest::newRow("no bytes at all") << QByteArray() << Trailer(0, 0, 0) << 0;
    QTest::newRow("header only") << QByteArray("header\r\n") << "header \r\n" + Trailer(0, 0, 0)
                                 << 0;
    QTest::newRow("header without line end")
        << QByteArray("header") << "header \r\n" + Trailer(0, 0, 0) << 0;
    QTest::newRow("empty header writes nothing")
        << QByteArray("\r\nUNITS=METRIC\r\n") << Trailer(0, 1, 0) << 0;
    QTest::newRow("header bytes kept")
        << QByteArray("Qualit\xe9 \"1\"\r\n") << "Qualit\xe9 \"1\" \r\n" + Trailer(0, 0, 0) << 0;
    QTest::newRow("bare line feeds")
        << QByteArray("h\nUNITS=METRIC\n' c\n") << "h \r\n" + Trailer(0, 2, 1) << 0;
    QTest::newRow("last line without line end not counted")
        << QByteArray("h\r\nUNITS=METRIC\r\nCOLORGRAPH=bad") << "h \r\n" + Trailer(0, 1, 0) << 0;
    QTest::newRow("units value unknown")
        << QByteArray("h\r\nUNITS=metric\r\n")
        << "h \r\nLine #1, Error #-1104, Initializing- UNITS=metric\r\n" + Trailer(1, 1, 0) << 1;
    QTest::newRow("spaces around the equals sign")
        << QByteArray("h\r\nUNITS = METRIC\r\n")
        << "h \r\nLine #1, Error #-1103 Unknown Command- UNITS = METRIC\r\n" + Trailer(1, 1, 0)
        << 1;
    QTest::newRow("directory keyword unknown")
        << QByteArray("h\r\nDIRECTORYDIAGNOSTIC=x\r\n")
        << "h \r\nLine #1, Error #-1103, Initializing- DIRECTORYDIAGNOSTIC=x\r\n" + Trailer(1, 1, 0)
        << 1;
    QTest::newRow("empty keyword")
        << QByteArray("h\r\n=ENGLISH\r\n")
        << "h \r\nLine #1, Error #-1103 Unknown Command- =ENGLISH\r\n" + Trailer(1, 1, 0) << 1;
    QTest::newRow("apostrophe after a space is no comment")
        << QByteArray("h\r\n 'note\r\n")
        << "h \r\nLine #1, Error #-1103 Unknown Command-  'note\r\n" + Trailer(1, 1, 0) << 1;
    QTest::newRow("port out of range") << QByteArray("h\r\nPORT=COM9\r\nPORT=\r\n")
                                       << "h \r\nLine #1, Error #-1104, Initializing- PORT=COM9\r\n"
                                          "Line #2, Error #-1104, Initializing- PORT=\r\n" +
                                              Trailer(2, 2, 0)
                                       << 2;
    QTest::newRow("line number counts comments and empty lines")
        << QByteArray("h\r\n' c\r\n\r\nCOLORGRAPH=true\r\nUNITS=ENGLISH\r\nBAUD=9600\r\n")
        << "h \r\nLine #3, Error #-1104, Initializing- COLORGRAPH=true\r\n"
           "Line #5, Error #-1103 Unknown Command- BAUD=9600\r\n" +
               Trailer(2, 5, 2)
        << 2;
    QTest::newRow("longest line applied") << "h\r\n" + longLine + "\r\n"
                                          << "h \r\n" + Trailer(0, 1, 0) << 0;
    QTest::newRow("longer line is a bad line")
        << "h\r\n" + longLine + "y\r\nUNITS=METRIC\r\n"
        << "h \r\nLine #1, Error #-1105, Line longer than 254 characters- " + longLine + "y\r\n" +
               Trailer(1, 2, 0)
        << 1;
    QTest::newRow("long comment is a bad line")
        << "h\r\n'" + QByteArray(300, 'c') + "\r\n"
        << "h \r\nLine #1, Error #-1105, Line longer than 254 characters- '" +
               QByteArray(300, 'c') + "\r\n" + Trailer(1, 1, 0)
        << 1;
}

void TestInstallationFile::installLog()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, expectedLog);
    QFETCH(int, raised);

    start_->WriteFile(QStringLiteral("QOR.dat"), file);
    QCOMPARE(RaisedByReading(), raised);
    QCOMPARE(LogWithoutStamps(InstallLog), expectedLog);
    QCOMPARE(LogWithoutStamps(StartupLog),
             "<stamp>, QOR1000 Ver Win 2.2.3 - 25 Feb, 2006, Number of errors found " +
                 QByteArray::number(raised) + "\r\n");
    QVERIFY(QDir(QStringLiteral("data")).exists());
}

void TestInstallationFile::settings_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<bool>("colorGraph");
    QTest::addColumn<bool>("unitsEnglish");
    QTest::addColumn<QString>("diagnosticDirectory");
    QTest::addColumn<QString>("manualViewerPath");

    QTest::newRow("metric and black")
        << QByteArray("UNITS=METRIC\r\nCOLORGRAPH=FALSE\r\n") << false << false << "A:\\"
        << "viewer";
    QTest::newRow("last line wins")
        << QByteArray("UNITS=METRIC\r\nUNITS=ENGLISH\r\nCOLORGRAPH=FALSE\r\nCOLORGRAPH=TRUE\r\n")
        << true << true << "A:\\"
        << "viewer";
    QTest::newRow("values after the first ignored")
        << QByteArray("UNITS=METRIC,ENGLISH\r\nDIRECTORY DIAGNOSTIC=D:\\diag,E:\\,,,,,,,,x\r\n")
        << true << false << "D:\\diag"
        << "viewer";
    QTest::newRow("nothing trimmed")
        << QByteArray("DIRECTORY DIAGNOSTIC= /tmp/a b \r\nDIRECTORY MANUALVIEWER=x=y\r\n") << true
        << true << " /tmp/a b "
        << "x=y";
    // Folder names are bytes of the system's file names (UTF-8), handed on as they stand.
    QTest::newRow("directories beyond ASCII")
        << QByteArray("DIRECTORY DIAGNOSTIC=/m/Pr\xc3\xbc"
                      "f\r\nDIRECTORY MANUALVIEWER=/\xc3\xa9/v\r\n")
        << true << true << "/m/Pr\u00fcf"
        << "/\u00e9/v";
    QTest::newRow("directory without a value is empty")
        << QByteArray("DIRECTORY MANUALVIEWER\r\nDIRECTORY DIAGNOSTIC=\r\n") << true << true << ""
        << "";
    QTest::newRow("bad lines change nothing")
        << QByteArray("UNITS=metric\r\nCOLORGRAPH=false\r\nDIRECTORY  DIAGNOSTIC=x\r\n") << true
        << true << "A:\\"
        << "viewer";
    QTest::newRow("unended last line not applied")
        << QByteArray("UNITS=METRIC\r\nCOLORGRAPH=FALSE") << true << false << "A:\\"
        << "viewer";
}

void TestInstallationFile::settings()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, colorGraph);
    QFETCH(bool, unitsEnglish);
    QFETCH(QString, diagnosticDirectory);
    QFETCH(QString, manualViewerPath);

    start_->WriteFile(QStringLiteral("QOR.dat"), "header\r\n" + lines);
    RaisedByReading();
    QCOMPARE(ColorGraph, colorGraph);
    QCOMPARE(UnitsEnglish, unitsEnglish);
    QCOMPARE(DisplacementFactor, unitsEnglish ? 0.001 : 0.00254);
    QCOMPARE(ForceFactor, unitsEnglish ? 1.0 : 0.4535924);
    QCOMPARE(DiagnosticDirectory, diagnosticDirectory);
    QCOMPARE(ManualViewerPath, manualViewerPath);
    QVERIFY(library_->calls.isEmpty());
}

void TestInstallationFile::portLines_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QList<int>>("openResults");
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QList<Call>>("calls");
    QTest::addColumn<QByteArray>("errorLines");
    QTest::addColumn<QByteArray>("serialLog");

    auto opening = [](int index) {
        return QList<Call>{{17, {index, 2000, 2000}, {}},
                           {1, {index, 5}, {}},
                           {13, {index, 0, 0, 8}, {}},
                           {8, {index, 'S'}, {}},
                           {8, {index, 'R'}, {}}};
    };

    QTest::newRow("opened at 9600 8N1") << QByteArray("PORT=COM3\r\n") << QList<int>{} << "COM3"
                                        << opening(2) << QByteArray() << QByteArray();
    QTest::newRow("second value ignored") << QByteArray("PORT=COM1,Baud19200\r\n") << QList<int>{}
                                          << "COM1" << opening(0) << QByteArray() << QByteArray();
    QTest::newRow("failure keeps the earlier port")
        << QByteArray("PORT=COM1\r\nPORT=COM2\r\n") << QList<int>{0, -3} << "COM1"
        << opening(0) + QList<Call>{{17, {1, 2000, 2000}, {}}}
        << QByteArray("Line #2, Error #-1104, Initializing- PORT=COM2\r\n")
        << QByteArray("<stamp>, SerialComm::PortInit caught error: -3, COM2\r\n");
    QTest::newRow("lower-case name never reaches the library")
        << QByteArray("PORT=com1\r\n") << QList<int>{} << "" << QList<Call>{}
        << QByteArray("Line #1, Error #-1104, Initializing- PORT=com1\r\n")
        << QByteArray("<stamp>, SerialComm::PortInit caught error: -1201, com1\r\n");
}

void TestInstallationFile::portLines()
{
    QFETCH(QByteArray, lines);
    QFETCH(QList<int>, openResults);
    QFETCH(QString, portName);
    QFETCH(QList<Call>, calls);
    QFETCH(QByteArray, errorLines);
    QFETCH(QByteArray, serialLog);

    library_->Script(ScriptedSerialLibrary::OpenOrdinal, openResults);
    start_->WriteFile(QStringLiteral("QOR.dat"), "h\r\n" + lines);
    const int errors = int(errorLines.count('\n'));
    QCOMPARE(RaisedByReading(), errors);
    QCOMPARE(PortName, portName);
    QCOMPARE(library_->calls, calls);
    QCOMPARE(LogWithoutStamps(InstallLog),
             "h \r\n" + errorLines + Trailer(errors, int(lines.count('\n')), 0));
    QCOMPARE(LogWithoutStamps(QStringLiteral("errors/serial.errors.txt")), serialLog);
}

void TestInstallationFile::missingFile()
{
    start_->WriteFile(QStringLiteral("errors/install.errors.txt"), "from the last start\r\n");
    QCOMPARE(RaisedByReading(), -1002);
    QCOMPARE(LogWithoutStamps(InstallLog),
             QByteArray("<stamp>, Error #-1002, Error opening installation file- QOR.dat\r\n"));
    QVERIFY(!QFile::exists(StartupLog));
    QCOMPARE(ManualViewerPath, QStringLiteral("viewer"));
    QVERIFY(PortName.isEmpty());
}

void TestInstallationFile::readError()
{
    // Reading this process's memory from address 0 fails as a file on a failing disk does.
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), QStringLiteral("QOR.dat")));
    QCOMPARE(RaisedByReading(), -1004);
    QCOMPARE(LogWithoutStamps(InstallLog),
             QByteArray("<stamp>, Error #-1004, Error reading installation file- QOR.dat\r\n"));
    QVERIFY(!QFile::exists(StartupLog));
}

void TestInstallationFile::startupHistoryGrows()
{
    start_->WriteFile(QStringLiteral("QOR.dat"), "h\r\nUNITS=MILES\r\n");
    QCOMPARE(RaisedByReading(), 1);
    start_->WriteFile(QStringLiteral("QOR.dat"), "h\r\nUNITS=METRIC\r\n");
    QCOMPARE(RaisedByReading(), 0);
    QCOMPARE(
        LogWithoutStamps(StartupLog),
        QByteArray("<stamp>, QOR1000 Ver Win 2.2.3 - 25 Feb, 2006, Number of errors found 1\r\n"
                   "<stamp>, QOR1000 Ver Win 2.2.3 - 25 Feb, 2006, Number of errors found "
                   "0\r\n"));
    QCOMPARE(LogWithoutStamps(InstallLog), "h \r\n" + Trailer(0, 1, 0));
}

void TestInstallationFile::logsThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("blockedPath"); // a folder where the reader wants a file
    QTest::addColumn<bool>("unitsApplied");

    QTest::newRow("errors is a file") << "errors" << false;
    QTest::newRow("start-up history blocked") << "errors/startup.log.txt" << true;
}

void TestInstallationFile::logsThatCannotBeWritten()
{
    QFETCH(QString, blockedPath);
    QFETCH(bool, unitsApplied);

    QDir().rmdir(QStringLiteral("errors"));
    if (blockedPath == QLatin1String("errors"))
        start_->WriteFile(blockedPath, "not a folder");
    else
        QVERIFY(QDir().mkpath(blockedPath));
    start_->WriteFile(QStringLiteral("QOR.dat"), "h\r\nUNITS=METRIC\r\nBAD\r\n");
    QCOMPARE(RaisedByReading(), -1001);
    QCOMPARE(UnitsEnglish, !unitsApplied);
}

QTEST_GUILESS_MAIN(TestInstallationFile)
#include "tst_installationfile.moc"
