#include "pagination.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>

namespace {

int PageOf(const QTextDocument& document, const QTextBlock& block)
{
    const qreal top = document.documentLayout()->blockBoundingRect(block).top();
    return static_cast<int>(top / document.pageSize().height());
}

// The first line of the block on a later page than its first; none when it stands on one page.
// A line is on the page that holds its middle: one moved to the next page may start a hair above.
QTextLine LineOnNextPage(const QTextDocument& document, const QTextBlock& block)
{
    // Lines lie in the block's own frame (a table cell's, say); the block's bounds in the document.
    const qreal top = document.documentLayout()->blockBoundingRect(block).top() -
                      block.layout()->boundingRect().top();
    const auto pageOf = [&](const QTextLine& line) {
        return static_cast<int>((top + line.y() + line.height() / 2) /
                                document.pageSize().height());
    };
    const QTextLayout* layout = block.layout();
    for (int index = 1; index < layout->lineCount(); ++index) {
        if (pageOf(layout->lineAt(index)) > pageOf(layout->lineAt(0)))
            return layout->lineAt(index);
    }
    return {};
}

// Ends the block before the line; the rest goes on in a block of the same look, without the space
// above a paragraph and, in a list, without a bullet of its own.
void SplitBefore(const QTextBlock& block, const QTextLine& line)
{
    const QTextBlockFormat whole = block.blockFormat();
    QTextBlockFormat ending = whole;
    ending.setBottomMargin(0); // else the block would reach into the next page
    QTextBlockFormat rest = whole;
    rest.setTopMargin(0);
    rest.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    if (const QTextList* list = block.textList()) {
        rest.setIndent(whole.indent() + list->format().indent());
        rest.clearProperty(QTextFormat::ObjectIndex);
    }
    QTextCursor cursor(block);
    cursor.setBlockFormat(ending);
    cursor.setPosition(block.position() + line.textStart());
    cursor.insertBlock(rest, cursor.charFormat());
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

void SplitParagraphsAtPageFeet(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const QTextLine line = LineOnNextPage(document, block); line.isValid())
            SplitBefore(block, line);
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
