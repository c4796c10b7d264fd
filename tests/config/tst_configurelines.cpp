#include "config/configurelines.h"
#include "filesizelimit.h"
#include "platform/errors.h"
#include "temporarystartdirectory.h"

#include <QDir>
#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(ConfigureChoices)

namespace {

// "COM3 Blk/Wht Metric"; "-" for a group without selection.
QString Describe(const ConfigureChoices& choices)
{
    const auto either = [](std::optional<bool> choice, const char* yes, const char* no) {
        return QLatin1String(!choice ? "-" : *choice ? yes : no);
    };
    return (choices.port ? QStringLiteral("COM%1").arg(*choices.port) : QStringLiteral("-")) + ' ' +
           either(choices.colour, "Color", "Blk/Wht") + ' ' +
           either(choices.english, "English", "Metric");
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestConfigureLines : public QObject
{
    Q_OBJECT
private slots:
    void choicesShown_data();
    void choicesShown();
    void rewrite_data();
    void rewrite();
    void readLines_data();
    void readLines();
    void writeLines_data();
    void writeLines();
};

void TestConfigureLines::choicesShown_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("shown");

    QTest::newRow("all three") << QStringList{"hdr", "UNITS=METRIC", "PORT=COM3",
                                              "COLORGRAPH=FALSE"}
                               << "COM3 Blk/Wht Metric";
    QTest::newRow("none") << QStringList{"hdr", "' PORT=COM1", "DIRECTORY DIAGNOSTIC=/d"}
                          << "- - -";
    QTest::newRow("first of duplicates")
        << QStringList{"hdr", "PORT=COM1", "UNITS=ENGLISH", "PORT=COM2", "UNITS=METRIC"}
        << "COM1 - English";
    QTest::newRow("port digit not a digit, other groups still filled")
        << QStringList{"hdr", "PORT=COMx", "COLORGRAPH=TRUE", "UNITS=METRIC"} << "- Color Metric";
    QTest::newRow("port line without a digit") << QStringList{"PORT=COM"} << "- - -";
    QTest::newRow("digit 9 shows no port") << QStringList{"PORT=COM9"} << "- - -";
    QTest::newRow("digit 0 shows no port, later lines unread")
        << QStringList{"PORT=COM0", "PORT=COM2"} << "- - -";
    QTest::newRow("ninth character only") << QStringList{"PORT=COM12"} << "COM1 - -";
    QTest::newRow("values compared at the line's start, exactly")
        << QStringList{"COLORGRAPH=true", " UNITS=METRIC", "COLORGRAPH=TRUEISH", "UNITS=METRICAL"}
        << "- Color Metric";
}

void TestConfigureLines::choicesShown()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, shown);
    QCOMPARE(Describe(ReadConfigureChoices(lines)), shown);
}

void TestConfigureLines::rewrite_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<ConfigureChoices>("chosen");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<qsizetype>("portLine");
    QTest::addColumn<QString>("applied"); // colour and units set, as "- Color Metric"

    const QStringList file{
        "hdr",       "' comment", "COLORGRAPH=TRUE", "", "UNITS=ENGLISH", "DIRECTORY DIAGNOSTIC=/d",
        "PORT=COM1", "X"};
    QTest::newRow("all three rewritten in place")
        << file << ConfigureChoices{4, false, false} << QStringList{"hdr",
                                                                    "' comment",
                                                                    "COLORGRAPH=FALSE",
                                                                    "",
                                                                    "UNITS=METRIC",
                                                                    "DIRECTORY DIAGNOSTIC=/d",
                                                                    "PORT=COM4",
                                                                    "X"}
        << qsizetype(6) << "- Blk/Wht Metric";
    QTest::newRow("lines present, no selection: FALSE, METRIC, COM0")
        << QStringList{"hdr", "COLORGRAPH=x", "UNITS=", "PORT=COMx"} << ConfigureChoices{}
        << QStringList{"hdr", "COLORGRAPH=FALSE", "UNITS=METRIC", "PORT=COM0"} << qsizetype(3)
        << "- Blk/Wht Metric";
    QTest::newRow("missing lines appended with the choice, applied")
        << QStringList{"hdr", "PORT=COM2"} << ConfigureChoices{2, false, false}
        << QStringList{"hdr", "PORT=COM2", "COLORGRAPH=FALSE", "UNITS=METRIC"} << qsizetype(1)
        << "- Blk/Wht Metric";
    QTest::newRow("missing lines, no selection: defaults, nothing applied")
        << QStringList{"hdr"} << ConfigureChoices{}
        << QStringList{"hdr", "COLORGRAPH=TRUE", "UNITS=ENGLISH", "PORT=COM0"} << qsizetype(3)
        << "- - -";
    QTest::newRow("only the first of duplicates")
        << QStringList{"hdr",       "PORT=COM0",    "UNITS=METRIC",   "COLORGRAPH=TRUE",
                       "PORT=COM2", "UNITS=METRIC", "COLORGRAPH=TRUE"}
        << ConfigureChoices{std::nullopt, false, true}
        << QStringList{"hdr",       "PORT=COM0",    "UNITS=ENGLISH",  "COLORGRAPH=FALSE",
                       "PORT=COM2", "UNITS=METRIC", "COLORGRAPH=TRUE"}
        << qsizetype(1) << "- Blk/Wht English";
    QTest::newRow("no lines at all: a header first")
        << QStringList{} << ConfigureChoices{1, true, true}
        << QStringList{"QOR-1000 installation configuration", "COLORGRAPH=TRUE", "UNITS=ENGLISH",
                       "PORT=COM1"}
        << qsizetype(3) << "- Color English";
}

void TestConfigureLines::rewrite()
{
    QFETCH(QStringList, lines);
    QFETCH(ConfigureChoices, chosen);
    QFETCH(QStringList, written);
    QFETCH(qsizetype, portLine);
    QFETCH(QString, applied);

    const ConfigureRewrite rewrite = RewriteConfigureLines(lines, chosen);
    QCOMPARE(rewrite.lines, written);
    QCOMPARE(rewrite.portLine, portLine);
    QCOMPARE(Describe({std::nullopt, rewrite.colour, rewrite.english}), applied);
}

void TestConfigureLines::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("h\r\nPORT=COM1\r\n") << QStringList{"h", "PORT=COM1"};
    QTest::newRow("LF, CR and mixed")
        << QByteArray("h\nA\rB\r\n\r\nC\n") << QStringList{"h", "A", "B", "", "C"};
    QTest::newRow("last line without a line end") << QByteArray("h\r\nA") << QStringList{"h", "A"};
    QTest::newRow("empty file") << QByteArray("") << QStringList{};
    QTest::newRow("empty header only") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("single-byte text kept")
        << QByteArray("\xe9t\xe9\r\n") << QStringList{QString::fromLatin1("\xe9t\xe9")};
}

void TestConfigureLines::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    TemporaryStartDirectory start;
    QCOMPARE(ReadInstallationLines(QStringLiteral("QOR.dat")), QStringList{});
    start.WriteFile(QStringLiteral("QOR.dat"), bytes);
    QCOMPARE(ReadInstallationLines(QStringLiteral("QOR.dat")), lines);
    WriteInstallationLines(QStringLiteral("QOR.dat"), lines);
    QCOMPARE(ReadInstallationLines(QStringLiteral("QOR.dat")), lines);
}

void TestConfigureLines::writeLines_data()
{
    QTest::addColumn<int>("roomForBytes");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QByteArray>("left");

    QTest::newRow("room") << 1000 << false << QByteArray("h\r\nUNITS=METRIC\r\n\xe9\r\n");
    QTest::newRow("full disk: old file whole") << 12 << true << QByteArray("old\r\nPORT=COM1\r\n");
}

void TestConfigureLines::writeLines()
{
    QFETCH(int, roomForBytes);
    QFETCH(bool, fails);
    QFETCH(QByteArray, left);

    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), "old\r\nPORT=COM1\r\n");
    bool failed = false;
    {
        FileSizeLimit disk(roomForBytes);
        try {
            WriteInstallationLines(QStringLiteral("QOR.dat"),
                                   {"h", "UNITS=METRIC", QString::fromLatin1("\xe9")});
        } catch (const FileError& error) {
            failed = error.Message().startsWith(QLatin1String("QOR.dat could not be written"));
        }
    }
    QCOMPARE(failed, fails);
    QCOMPARE(FileBytes(QStringLiteral("QOR.dat")), left);
    QCOMPARE(QDir(start.Path()).entryList(QDir::Files), QStringList{"QOR.dat"}); // no leftovers
}

QTEST_APPLESS_MAIN(TestConfigureLines)
#include "tst_configurelines.moc"
