#include "pagination.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

namespace {

int PageOf(const QTextDocument& document, const QTextBlock& block)
{
    const qreal top = document.documentLayout()->blockBoundingRect(block).top();
    return static_cast<int>(top / document.pageSize().height());
}

// The first heading that stands on an earlier page than the block after it.
QTextBlock StrandedHeading(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() > 0 && next.isValid() &&
            block.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_AlwaysBefore &&
            PageOf(document, next) > PageOf(document, block))
            return block;
    }
    return {};
}

} // namespace

void KeepHeadingsWithText(QTextDocument& document)
{
    // Each move lays out the rest again, so the next stranded heading is looked for afresh.
    for (QTextBlock heading = StrandedHeading(document); heading.isValid();
         heading = StrandedHeading(document)) {
        QTextBlockFormat format = heading.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).setBlockFormat(format);
    }
}

QList<PlacedHeading> PlaceHeadings(const QTextDocument& document, int deepestLevel)
{
    QList<PlacedHeading> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level > 0 && level <= deepestLevel)
            headings.append({block.text(), level, PageOf(document, block)});
    }
    return headings;
}
