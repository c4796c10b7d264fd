#include "contents.h"

#include "manualstyle.h"

#include <QFont>
#include <QTextCursor>

void WriteContents(QTextDocument& document, const QList<PlacedHeading>& headings, int firstPage,
                   const PageGeometry& page)
{
    document.clear();
    document.setDocumentMargin(0);
    QTextCursor cursor(&document);

    QTextCharFormat title;
    title.setFontPointSize(20);
    title.setFontWeight(QFont::Bold);
    title.setForeground(HeadingColour());
    QTextBlockFormat titleBlock;
    titleBlock.setBottomMargin(page.Pixels(14));
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(QStringLiteral("Contents"), title);

    for (const PlacedHeading& heading : headings) {
        const bool chapter = heading.level == 1;
        QTextBlockFormat line;
        // Sections are indented by a tab rather than a margin: Qt breaks an indented line
        // whose right tab stop reaches the margin.
        line.setTabPositions(
            {QTextOption::Tab(page.Pixels(16), QTextOption::LeftTab),
             QTextOption::Tab(page.TextInPixels().width() - 1, QTextOption::RightTab)});
        line.setTopMargin(page.Pixels(chapter ? 9 : 2));
        QTextCharFormat text;
        text.setFontPointSize(chapter ? 11 : 10);
        text.setFontWeight(chapter ? QFont::Bold : QFont::Normal);
        cursor.insertBlock(line, text);
        cursor.insertText((chapter ? QString() : QStringLiteral("\t")) + heading.text + '\t' +
                          QString::number(firstPage + heading.page));
    }
}
