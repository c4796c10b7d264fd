#include "manualstyle.h"

#include <QFont>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace {

const QString BodyFamily = QStringLiteral("DejaVu Sans");
const QString ListingFamily = QStringLiteral("DejaVu Sans Mono");
constexpr qreal BodyPoints = 10;
constexpr qreal ListingPoints = 8.5;

bool IsListing(const QTextBlockFormat& format)
{
    return format.hasProperty(QTextFormat::BlockCodeFence) ||
           format.hasProperty(QTextFormat::BlockCodeLanguage) || format.nonBreakableLines();
}

enum class Pieces
{
    All,
    FixedPitch, // inline program texts only
};

// Gives the block's pieces of text the changes. The relative size that the Markdown reader gives
// headings is dropped first: it would win over any size set here.
void RestyleText(QTextDocument& document, const QTextBlock& block, const QTextCharFormat& changes,
                 Pieces which)
{
    QList<QTextFragment> pieces;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
        pieces.append(fragment.fragment());
    for (const QTextFragment& piece : pieces) {
        QTextCharFormat format = piece.charFormat();
        if (which == Pieces::FixedPitch && !format.fontFixedPitch())
            continue;
        format.clearProperty(QTextFormat::FontSizeAdjustment);
        format.merge(changes);
        QTextCursor cursor(&document);
        cursor.setPosition(piece.position());
        cursor.setPosition(piece.position() + piece.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

void StyleHeading(QTextCursor& cursor, int level, bool first, const PageGeometry& page)
{
    static constexpr qreal Sizes[] = {20, 14, 11.5, 10.5};
    static constexpr qreal SpaceAbove[] = {0, 16, 11, 9};
    const int index = qBound(1, level, 4) - 1;
    QTextBlockFormat block = cursor.blockFormat();
    block.setTopMargin(page.Pixels(SpaceAbove[index]));
    block.setBottomMargin(page.Pixels(level == 1 ? 12 : 5));
    block.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
    if (level == 1 && !first)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(block);

    QTextCharFormat characters;
    characters.setFontFamilies({BodyFamily});
    characters.setFontPointSize(Sizes[index]);
    characters.setFontWeight(QFont::Bold);
    characters.setForeground(HeadingColour());
    RestyleText(*cursor.document(), cursor.block(), characters, Pieces::All);
}

// A listing is a run of blocks on one shaded ground, with room above and below the run.
void StyleListing(QTextCursor& cursor, const PageGeometry& page)
{
    const QTextBlock current = cursor.block();
    QTextBlockFormat block = cursor.blockFormat();
    block.setBackground(QColor(0xF0, 0xF2, 0xF5));
    block.setLeftMargin(page.Pixels(8));
    block.setTopMargin(IsListing(current.previous().blockFormat()) ? 0 : page.Pixels(4));
    block.setBottomMargin(IsListing(current.next().blockFormat()) ? 0 : page.Pixels(8));
    block.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
    cursor.setBlockFormat(block);
    QTextCharFormat characters;
    characters.setFontFamilies({ListingFamily});
    characters.setFontPointSize(ListingPoints);
    RestyleText(*cursor.document(), cursor.block(), characters, Pieces::All);
}

void StyleParagraph(QTextCursor& cursor, const PageGeometry& page)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
    block.setBottomMargin(page.Pixels(cursor.currentList() ? 2 : 6));
    cursor.setBlockFormat(block);
}

// The Markdown reader opens the first cell of a table that follows a listing with an empty line.
void DropLeadingEmptyBlock(const QTextTableCell& cell)
{
    QTextCursor first = cell.firstCursorPosition();
    if (first.block().text().isEmpty() && cell.lastCursorPosition().block() != first.block())
        first.deleteChar();
}

void StyleTable(QTextTable& table, const PageGeometry& page)
{
    QTextTableFormat format = table.format();
    format.setBorder(page.Pixels(0.6));
    format.setBorderBrush(QColor(0x9A, 0xA5, 0xB5));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(page.Pixels(3.5));
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setTopMargin(page.Pixels(6));
    format.setBottomMargin(page.Pixels(8));
    table.setFormat(format);
    QTextCharFormat header;
    header.setFontWeight(QFont::Bold);
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            QTextTableCell cell = table.cellAt(row, column);
            DropLeadingEmptyBlock(cell);
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            cellFormat.setBorder(format.border());
            cellFormat.setBorderBrush(format.borderBrush());
            cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            if (row == 0)
                cellFormat.setBackground(QColor(0xDD, 0xE5, 0xF0));
            cell.setFormat(cellFormat);
            if (row == 0)
                RestyleText(*table.document(), cell.firstCursorPosition().block(), header,
                            Pieces::All);
        }
    }
}

} // namespace

QColor HeadingColour()
{
    return QColor(0x1F, 0x3F, 0x6E);
}

QFont BodyFont()
{
    QFont font(BodyFamily);
    font.setPointSizeF(BodyPoints);
    return font;
}

void StyleDocument(QTextDocument& document, const PageGeometry& page)
{
    document.setDocumentMargin(0);
    QSet<QTextTable*> tables;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        if (QTextTable* table = cursor.currentTable())
            tables.insert(table);
        const int level = block.blockFormat().headingLevel();
        if (level > 0)
            StyleHeading(cursor, level, block == document.begin(), page);
        else if (IsListing(block.blockFormat()))
            StyleListing(cursor, page);
        else {
            StyleParagraph(cursor, page);
            QTextCharFormat code;
            code.setFontFamilies({ListingFamily});
            code.setFontPointSize(BodyPoints * 0.92);
            RestyleText(document, block, code, Pieces::FixedPitch);
        }
    }
    for (QTextTable* table : tables)
        StyleTable(*table, page);
}
