#include "config/configurelines.h"
#include "filebytes.h"
#include "platform/linefile.h"
#include "temporarystartdirectory.h"

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

} // namespace

class TestConfigureLines : public QObject
{
    Q_OBJECT
private slots:
    void showAndRewrite_data();
    void showAndRewrite();
};

void TestConfigureLines::showAndRewrite_data()
{
    QTest::addColumn<QByteArray>("file"); // a null array: no file
    QTest::addColumn<QString>("shown");
    QTest::addColumn<ConfigureChoices>("chosen");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("applied"); // colour and units set: "- Color Metric"

    const ConfigureChoices none;
    QTest::newRow("all three in place, others kept")
        << QByteArray("h\r\nCOLORGRAPH=TRUE\r\n'\xe9\r\n\r\nUNITS=ENGLISH\r\nPORT=COM1\r\nX\r\n")
        << "COM1 Color English" << ConfigureChoices{4, false, false}
        << QByteArray("h\r\nCOLORGRAPH=FALSE\r\n'\xe9\r\n\r\nUNITS=METRIC\r\nPORT=COM4\r\nX\r\n")
        << "- Blk/Wht Metric";
    QTest::newRow("LF, CR, no last line end; colour missing, Blk/Wht chosen: appended, applied")
        << QByteArray("h\nUNITS=METRIC\rPORT=COM2") << "COM2 - Metric"
        << ConfigureChoices{2, false, false}
        << QByteArray("h\r\nUNITS=METRIC\r\nPORT=COM2\r\nCOLORGRAPH=FALSE\r\n")
        << "- Blk/Wht Metric";
    QTest::newRow("all missing, none chosen: TRUE, ENGLISH, COM0, none applied")
        << QByteArray("h\r\n") << "- - -" << none
        << QByteArray("h\r\nCOLORGRAPH=TRUE\r\nUNITS=ENGLISH\r\nPORT=COM0\r\n") << "- - -";
    QTest::newRow("present, none chosen: FALSE, METRIC, COM0")
        << QByteArray("h\r\nCOLORGRAPH=true\r\nUNITS= METRIC\r\nPORT=COM9\r\n") << "- - -" << none
        << QByteArray("h\r\nCOLORGRAPH=FALSE\r\nUNITS=METRIC\r\nPORT=COM0\r\n")
        << "- Blk/Wht Metric";
    QTest::newRow("duplicates further down untouched")
        << QByteArray("h\r\nPORT=COM0\r\nUNITS=METRICAL\r\nPORT=COM2\r\nUNITS=ENGLISH\r\n")
        << "- - Metric" << ConfigureChoices{3, std::nullopt, true}
        << QByteArray("h\r\nPORT=COM3\r\nUNITS=ENGLISH\r\nPORT=COM2\r\nUNITS=ENGLISH\r\n"
                      "COLORGRAPH=TRUE\r\n")
        << "- - English";
    QTest::newRow("bad port digit, other groups still shown")
        << QByteArray("h\r\nPORT=COMx\r\nCOLORGRAPH=FALSE\r\nUNITS=METRIC\r\n")
        << "- Blk/Wht Metric" << none
        << QByteArray("h\r\nPORT=COM0\r\nCOLORGRAPH=FALSE\r\nUNITS=METRIC\r\n")
        << "- Blk/Wht Metric";
    const QByteArray newFile = "QOR-1000 installation configuration\r\nCOLORGRAPH=TRUE\r\n"
                               "UNITS=METRIC\r\nPORT=COM1\r\n";
    for (const QByteArray& nothing : {QByteArray(""), QByteArray()})
        QTest::newRow(nothing.isNull() ? "no file: a header first" : "empty file: a header first")
            << nothing << "- - -" << ConfigureChoices{1, std::nullopt, false} << newFile
            << "- - Metric";
}

void TestConfigureLines::showAndRewrite()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(ConfigureChoices, chosen);
    QFETCH(QByteArray, written);
    QFETCH(QString, applied);

    TemporaryStartDirectory start;
    if (!file.isNull())
        start.WriteFile(QStringLiteral("QOR.dat"), file);
    const QStringList lines = ReadInstallationLines(QStringLiteral("QOR.dat"));
    QCOMPARE(Describe(ReadConfigureChoices(lines)), shown);
    const ConfigureRewrite rewrite = RewriteConfigureLines(lines, chosen);
    QCOMPARE(Describe({std::nullopt, rewrite.colour, rewrite.english}), applied);
    WriteLineFile(QStringLiteral("QOR.dat"), rewrite.lines);
    QCOMPARE(ReadBytes(QStringLiteral("QOR.dat")), written);
}

QTEST_APPLESS_MAIN(TestConfigureLines)
#include "tst_configurelines.moc"
