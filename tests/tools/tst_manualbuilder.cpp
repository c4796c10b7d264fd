// The manual builder as the build runs it: a folder of Markdown and images in, a PDF out, read
// back with poppler's tools as a reader would see it.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
    QString errors;
};

Run RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Run BuildManual(const QString& folder, const QString& pdf)
{
    return RunProgram(QStringLiteral(MANUALBUILDER_PATH), {folder, pdf});
}

void WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

void WriteImage(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path));
}

QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return RunProgram("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"}).output;
}

// Letter paper less the two side margins of 22 mm.
constexpr double TextWidthInches = 8.5 - 2 * 22 / 25.4;

} // namespace

class TestManualBuilder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void coverStandsAloneAndEveryOtherPageIsNumbered();
    void contentsGiveThePageOfEachHeading_data();
    void contentsGiveThePageOfEachHeading();
    void imagesKeepTheirSizeUpToTheTextWidth_data();
    void imagesKeepTheirSizeUpToTheTextWidth();
    void brokenManualWritesNoPdf_data();
    void brokenManualWritesNoPdf();

private:
    QTemporaryDir Work;
    QString Pdf;
    int PageCount = 0;
};

void TestManualBuilder::initTestCase()
{
    const QDir folder(Work.path());
    QVERIFY(folder.mkpath("manual/images"));
    WriteText(folder.filePath("manual/00-cover.md"), "# Test Rig Manual\n\nEdition one\n");
    QString longChapter = "# Starting up\n\nThe first chapter.\n\n";
    for (int paragraph = 1; paragraph <= 60; ++paragraph)
        longChapter += QStringLiteral("Paragraph %1 of the start-up chapter, long enough to wrap "
                                      "once or twice on the printed page of the manual.\n\n")
                           .arg(paragraph);
    longChapter += "## Late section\n\nText of the late section.\n";
    WriteText(folder.filePath("manual/01-startup.md"), longChapter);
    WriteText(folder.filePath("manual/02-screens.md"),
              "# Screens\n\nA wide screenshot:\n\n![Wide](images/wide.png)\n\n"
              "## Small dialog\n\n![Small](images/small.png)\n");
    WriteImage(folder.filePath("manual/images/wide.png"), 1600, 400);
    WriteImage(folder.filePath("manual/images/small.png"), 192, 96);

    Pdf = folder.filePath("manual.pdf");
    const Run build = BuildManual(folder.filePath("manual"), Pdf);
    QVERIFY2(build.exitCode == 0, qPrintable(build.errors));
    const Run info = RunProgram("pdfinfo", {Pdf});
    QVERIFY(info.output.contains(QRegularExpression("Title: +Test Rig Manual")));
    PageCount = QRegularExpression("Pages: +(\\d+)").match(info.output).captured(1).toInt();
    QVERIFY2(PageCount >= 5, qPrintable(info.output));
}

void TestManualBuilder::coverStandsAloneAndEveryOtherPageIsNumbered()
{
    const QString cover = PageText(Pdf, 1);
    QVERIFY(cover.contains("Test Rig Manual") && cover.contains("Edition one"));
    QVERIFY(!cover.contains("Page 1") && !cover.contains("Starting up"));
    for (int page = 2; page <= PageCount; ++page) {
        const QString text = PageText(Pdf, page);
        QVERIFY2(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(PageCount)) &&
                     text.contains("Test Rig Manual"),
                 qPrintable(QStringLiteral("page %1: %2").arg(page).arg(text)));
    }
}

void TestManualBuilder::contentsGiveThePageOfEachHeading_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<bool>("opensPage"); // a chapter starts on a page of its own
    QTest::newRow("first chapter") << "Starting up" << true;
    QTest::newRow("section at the end of a long chapter") << "Late section" << false;
    QTest::newRow("second chapter") << "Screens" << true;
    QTest::newRow("section after an image") << "Small dialog" << false;
}

void TestManualBuilder::contentsGiveThePageOfEachHeading()
{
    QFETCH(QString, heading);
    QFETCH(bool, opensPage);
    const QString contents = PageText(Pdf, 2);
    QVERIFY(contents.trimmed().startsWith("Contents"));
    const QRegularExpressionMatch entry =
        QRegularExpression("^ *" + QRegularExpression::escape(heading) + " +(\\d+) *$",
                           QRegularExpression::MultilineOption)
            .match(contents);
    QVERIFY2(entry.hasMatch(), qPrintable(contents));
    const int page = entry.captured(1).toInt();
    QVERIFY(page > 2 && page <= PageCount);

    const QStringList lines = PageText(Pdf, page).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.filter(QRegularExpression("^ *" + QRegularExpression::escape(heading) + " *$"))
                     .size() == 1,
             qPrintable(lines.join('\n')));
    if (opensPage)
        QCOMPARE(lines.first().trimmed(), heading);
}

void TestManualBuilder::imagesKeepTheirSizeUpToTheTextWidth_data()
{
    QTest::addColumn<int>("widthPixels");
    QTest::addColumn<double>("expectedInches");
    QTest::newRow("wider than the text: scaled to its width") << 1600 << TextWidthInches;
    QTest::newRow("narrow: as a screen shows it") << 192 << 192 / 96.0;
}

void TestManualBuilder::imagesKeepTheirSizeUpToTheTextWidth()
{
    QFETCH(int, widthPixels);
    QFETCH(double, expectedInches);
    // pdfimages -list: page num type width height color comp bpc enc interp object ID x-ppi ...
    const QStringList rows = RunProgram("pdfimages", {"-list", Pdf}).output.split('\n');
    bool found = false;
    for (const QString& row : rows) {
        const QStringList fields = row.simplified().split(' ');
        if (fields.size() < 14 || fields[3] != QString::number(widthPixels))
            continue;
        found = true;
        const double shownInches = widthPixels / fields[12].toDouble();
        QVERIFY2(qAbs(shownInches - expectedInches) < 0.05,
                 qPrintable(QStringLiteral("%1 in shown, %2 in expected")
                                .arg(shownInches)
                                .arg(expectedInches)));
    }
    QVERIFY2(found, qPrintable(rows.join('\n')));
}

void TestManualBuilder::brokenManualWritesNoPdf_data()
{
    QTest::addColumn<QStringList>("files"); // name, then text, for each file
    QTest::addColumn<QString>("expectedMessage");
    QTest::newRow("image missing")
        << QStringList{"00-cover.md", "# Cover\n", "01-one.md", "# One\n\n![x](images/gone.png)\n"}
        << "cannot load the image images/gone.png";
    QTest::newRow("image that is not one")
        << QStringList{"00-cover.md", "# Cover\n",    "01-one.md", "# One\n\n![x](bad.png)\n",
                       "bad.png",     "not a picture"}
        << "cannot load the image bad.png";
    QTest::newRow("cover only") << QStringList{"00-cover.md", "# Cover\n"}
                                << "holds no cover and chapters";
}

void TestManualBuilder::brokenManualWritesNoPdf()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expectedMessage);
    QTemporaryDir folder;
    for (qsizetype index = 0; index + 1 < files.size(); index += 2)
        WriteText(QDir(folder.path()).filePath(files[index]), files[index + 1]);
    const QString pdf = QDir(folder.path()).filePath("out.pdf");

    const Run build = BuildManual(folder.path(), pdf);
    QCOMPARE(build.exitCode, 1);
    QVERIFY2(build.errors.contains("manualbuilder: ") && build.errors.contains(expectedMessage),
             qPrintable(build.errors));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_GUILESS_MAIN(TestManualBuilder)
#include "tst_manualbuilder.moc"
