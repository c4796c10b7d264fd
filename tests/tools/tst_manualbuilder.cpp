// The manual builder as the build runs it, its PDF read back with poppler's tools.
#include "filebytes.h"
#include "programrun.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestManualBuilder : public QObject
{
    Q_OBJECT
private slots:
    // Cover, contents, numbered pages and images of a small manual, as a reader sees them.
    void manualAsPrinted()
    {
        QTemporaryDir work;
        const QDir manual(work.filePath("manual"));
        const QString pdf = work.filePath("manual.pdf");
        QVERIFY(WriteBytes(manual.filePath("00-cover.md"), "# Test Rig Manual\n\nEdition one\n"));
        QByteArray paragraphs; // of two and three lines, so that some run over a page foot
        for (int paragraph = 0; paragraph < 60; ++paragraph)
            paragraphs += QByteArray("A paragraph long enough to wrap once on the printed page of "
                                     "the manual, so that some of them run over a page foot.") +
                          (paragraph % 3 ? ""
                                         : " Every third one takes a third line, as the "
                                           "paragraphs of a real manual differ in length.") +
                          "\n\n";
        QVERIFY(WriteBytes(manual.filePath("01-startup.md"),
                           "# Starting up\n\n" + paragraphs +
                               "## Late section\n\nText of the late section.\n"));
        QVERIFY(WriteBytes(manual.filePath("02-screens.md"),
                           "# Screens\n\n![Wide](images/wide.png)\n\n"
                           "## Small dialog\n\n![Small](images/small.png)\n"));
        QVERIFY(manual.mkpath("images"));
        for (const QSize size : {QSize(1600, 400), QSize(192, 96)}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QVERIFY(image.save(
                manual.filePath(size.width() > 1000 ? "images/wide.png" : "images/small.png")));
        }
        const ProgramRun build = RunProgram(MANUALBUILDER_PATH, {manual.path(), pdf});
        QVERIFY2(build.exitCode == 0, build.errors.constData());
        QVERIFY(QString(RunProgram("pdfinfo", {pdf}).output)
                    .contains(QRegularExpression("^Title: +Test Rig Manual$",
                                                 QRegularExpression::MultilineOption)));

        const QString text = RunProgram("pdftotext", {"-layout", pdf, "-"}).output;
        QList<QStringList> pages; // the lines of each page, simplified
        for (const QString& page : text.split('\f').mid(0, text.count('\f'))) {
            pages.append(QStringList());
            for (const QString& line : page.split('\n', Qt::SkipEmptyParts))
                pages.last() << line.simplified();
        }
        QVERIFY2(pages.size() >= 5, qPrintable(text));
        // A paragraph cut at a page foot goes on at the next page's head, each line on one page.
        QCOMPARE(text.count("A paragraph long enough"), 60);
        QCOMPARE(text.count("run over a page foot."), 60);
        QCOMPARE(pages[0], QStringList({"Test Rig Manual", "Edition one"}));
        for (int page = 2; page <= pages.size(); ++page)
            QCOMPARE(pages[page - 1].last(),
                     QStringLiteral("Test Rig Manual Page %1 of %2").arg(page).arg(pages.size()));
        // The contents list each heading with the page it stands on; a chapter opens a page.
        QStringList contents{"Contents"};
        QStringList openers;
        for (const QString heading : {"Starting up", "Late section", "Screens", "Small dialog"}) {
            for (int page = 3; page <= pages.size(); ++page) {
                if (pages[page - 1].contains(heading))
                    contents << heading + ' ' + QString::number(page);
                if (pages[page - 1].first() == heading)
                    openers << heading;
            }
        }
        QCOMPARE(pages[1], contents << pages[1].last());
        QCOMPARE(openers, QStringList({"Starting up", "Screens"}));

        // A wide image is scaled to the text width, a narrow one printed as a screen shows it.
        QStringList shown;
        for (const QString& row :
             QString(RunProgram("pdfimages", {"-list", pdf}).output).split('\n').mid(2)) {
            // page num type width height color comp bpc enc interp object ID x-ppi ...
            const QStringList fields = row.simplified().split(' ');
            if (fields.size() >= 14)
                shown << QStringLiteral("%1 px: %2 in")
                             .arg(fields[3])
                             .arg(fields[3].toDouble() / fields[12].toDouble(), 0, 'f', 1);
        }
        QCOMPARE(shown, QStringList({"1600 px: 6.8 in", "192 px: 2.0 in"}));
    }

    void brokenManualWritesNoPdf_data()
    {
        QTest::addColumn<QStringList>("files"); // name, then text, for each file
        QTest::addColumn<QString>("message");
        const QStringList cover{"00-cover.md", "# Cover\n"};
        QTest::newRow("image missing")
            << cover + QStringList{"01-one.md", "# One\n\n![x](images/gone.png)\n"}
            << "cannot load the image images/gone.png";
        QTest::newRow("image that is not one")
            << cover + QStringList{"01-one.md", "# One\n\n![x](bad.png)\n", "bad.png", "not one"}
            << "cannot load the image bad.png";
        QTest::newRow("cover only") << cover << "holds no cover and chapters";
    }

    void brokenManualWritesNoPdf()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        QTemporaryDir folder;
        for (qsizetype index = 0; index + 1 < files.size(); index += 2)
            QVERIFY(WriteBytes(folder.filePath(files[index]), files[index + 1].toUtf8()));
        const ProgramRun build =
            RunProgram(MANUALBUILDER_PATH, {folder.path(), folder.filePath("out.pdf")});
        QCOMPARE(build.exitCode, 1);
        QVERIFY2(build.errors.contains("manualbuilder: ") &&
                     build.errors.contains(message.toUtf8()),
                 build.errors.constData());
        QVERIFY(!QFile::exists(folder.filePath("out.pdf")));
    }
};

QTEST_GUILESS_MAIN(TestManualBuilder)
#include "tst_manualbuilder.moc"
