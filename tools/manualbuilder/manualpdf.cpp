#include "manualpdf.h"

#include "contents.h"
#include "manualchapters.h"
#include "manualerror.h"
#include "manualimages.h"
#include "manualstyle.h"
#include "pagination.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <memory>

namespace {

constexpr int Resolution = 300;

PageGeometry SetUpPages(QPdfWriter& writer)
{
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(22, 18, 22, 12), QPageLayout::Millimeter));
    PageGeometry page;
    page.dotsPerInch = Resolution;
    page.footerHeight = page.Dots(26);
    page.text = QSizeF(writer.width(), writer.height() - page.footerHeight);
    return page;
}

// A document laid out in the writer's units, pages the size of the text area.
std::unique_ptr<QTextDocument> NewDocument(QPdfWriter& writer, const PageGeometry& page)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&writer);
    document->setDefaultFont(BodyFont());
    document->setPageSize(page.text);
    document->setDocumentMargin(0);
    return document;
}

std::unique_ptr<QTextDocument> ReadMarkdown(const QString& markdown, const QString& folder,
                                            QPdfWriter& writer, const PageGeometry& page)
{
    auto document = NewDocument(writer, page);
    document->setMarkdown(markdown);
    StyleDocument(*document, page);
    EmbedImages(*document, folder, page);
    return document;
}

// The cover's text stands centred, a third of the way down the page.
void PlaceCover(QTextDocument& cover, const PageGeometry& page)
{
    QTextFrameFormat frame = cover.rootFrame()->frameFormat();
    frame.setTopMargin(page.TextInPixels().height() / 3);
    cover.rootFrame()->setFrameFormat(frame);
    QTextCursor all(&cover);
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

QString TitleOf(const QTextDocument& cover)
{
    for (QTextBlock block = cover.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text();
    }
    return QStringLiteral("Manual");
}

// Paints one printed page of the document at the top of the writer's current page.
void PaintPage(QPainter& painter, QTextDocument& document, int page)
{
    const QSizeF size = document.pageSize();
    painter.save();
    painter.translate(0, -page * size.height());
    // One device unit short of the next page, whose first line starts right on the boundary.
    document.drawContents(&painter,
                          QRectF(0, page * size.height(), size.width(), size.height() - 1));
    painter.restore();
}

void PaintFooter(QPainter& painter, const PageGeometry& page, const QString& title, int number,
                 int total)
{
    painter.save();
    const qreal top = page.text.height() + page.footerHeight - page.Dots(14);
    painter.setPen(QPen(HeadingColour(), page.Dots(0.5)));
    painter.drawLine(QPointF(0, top), QPointF(page.text.width(), top));
    QFont font = BodyFont();
    font.setPointSizeF(8);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x5F, 0x6D));
    const QRectF band(0, top + page.Dots(3), page.text.width(), page.Dots(11));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(number).arg(total));
    painter.restore();
}

} // namespace

void BuildManualPdf(const QString& folder, const QString& outputPath)
{
    const ManualChapters manual = ReadChapters(folder);
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        throw ManualError{
            QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString())};
    QPdfWriter writer(&output);
    const PageGeometry page = SetUpPages(writer);

    const auto cover = ReadMarkdown(manual.cover, manual.folder, writer, page);
    PlaceCover(*cover, page);
    const auto body =
        ReadMarkdown(manual.chapters.join(QStringLiteral("\n\n")), manual.folder, writer, page);
    KeepHeadingsWithText(*body);
    SplitParagraphsAtPageFeet(*body);
    const QList<PlacedHeading> headings = PlaceHeadings(*body, 2);

    // The contents take as many pages whatever numbers they show, so a first pass counts them.
    const auto contents = NewDocument(writer, page);
    WriteContents(*contents, headings, 0, page);
    const int firstBodyPage = cover->pageCount() + contents->pageCount() + 1;
    WriteContents(*contents, headings, firstBodyPage, page);

    const QString title = TitleOf(*cover);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("QOR-1000 manual builder"));
    const int total = firstBodyPage - 1 + body->pageCount();
    QPainter painter(&writer);
    int number = 0;
    for (QTextDocument* document : {cover.get(), contents.get(), body.get()}) {
        for (int index = 0; index < document->pageCount(); ++index) {
            if (number++ > 0)
                writer.newPage();
            PaintPage(painter, *document, index);
            if (document != cover.get())
                PaintFooter(painter, page, title, number, total);
        }
    }
    if (!painter.end() || !output.commit())
        throw ManualError{
            QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString())};
}
