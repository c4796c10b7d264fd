#pragma once

#include <QList>
#include <QString>
#include <QTextDocument>

// A heading of the laid-out document and the page it lands on, counted from 0.
struct PlacedHeading
{
    QString text;
    int level;
    int page;
};

// Moves every heading that would end a page, apart from the text it heads, to the next page.
void KeepHeadingsWithText(QTextDocument& document);

// Splits each paragraph that runs over a page foot into two, one on each page, laid out as before.
// Qt paints with each page the last line of a paragraph above it as well: clipped away, yet found
// a second time by search and copy.
void SplitParagraphsAtPageFeet(QTextDocument& document);

// The headings of the given levels and below, in order, with their pages.
QList<PlacedHeading> PlaceHeadings(const QTextDocument& document, int deepestLevel);
