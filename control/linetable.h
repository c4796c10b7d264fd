#pragma once

#include "control/compactlines.h"

#include <QAbstractScrollArea>

// A read-only table of text lines, one to a row, that lays out and draws only the rows in sight:
// however many lines it holds, it costs the rows on the screen and the lines' characters. It
// reads as a read-only plain text box does, without wrapping: the same margin and line height,
// scrolling by rows, and it follows the newest line while it is scrolled to the end. Rows are
// selected with the mouse (Shift extends) or Select All, and copied with Copy, from the keyboard
// or the context menu.
class TLineTable : public QAbstractScrollArea
{
public:
    explicit TLineTable(QWidget* parent = nullptr);

    void AppendLine(const QString& line);
    void ReplaceLine(qsizetype index, const QString& line);
    void Clear();

    qsizetype LineCount() const { return lines_.Count(); }
    QStringList Lines() const { return lines_.Lines(); }
    // The lines as one text, a line feed between lines.
    QString toPlainText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int RowHeight() const;
    int RowsInSight() const;
    int RowTop(qsizetype row) const;
    qsizetype RowAt(const QPoint& position) const;
    void UpdateScrollBars();
    void TakeWidth(const QString& line);
    void Select(qsizetype anchor, qsizetype current);
    void SelectAll();
    void CopySelection() const;

    CompactLines lines_;
    qreal widest_ = 0.0; // the widest line drawn so far, in pixels
    // The selected rows run from anchor to current, either way round; none while anchor is -1.
    qsizetype anchor_ = -1;
    qsizetype current_ = -1;
};
