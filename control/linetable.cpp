#include "control/linetable.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// The space a plain text box leaves around its text.
constexpr int Margin = 4;

} // namespace

TLineTable::TLineTable(QWidget* parent) : QAbstractScrollArea(parent)
{
    UpdateScrollBars();
}

void TLineTable::AppendLine(const QString& line)
{
    QScrollBar* rows = verticalScrollBar();
    const bool followingNewest = rows->value() == rows->maximum();
    lines_.Append(line);
    TakeWidth(line);
    UpdateScrollBars();
    if (followingNewest)
        rows->setValue(rows->maximum());
    viewport()->update();
}

void TLineTable::ReplaceLine(qsizetype index, const QString& line)
{
    lines_.Replace(index, line);
    TakeWidth(line);
    UpdateScrollBars();
    viewport()->update();
}

void TLineTable::Clear()
{
    lines_.Clear();
    widest_ = 0.0;
    Select(-1, -1);
    UpdateScrollBars();
    viewport()->update();
}

QString TLineTable::toPlainText() const
{
    return Lines().join(u'\n');
}

int TLineTable::RowHeight() const
{
    return fontMetrics().height();
}

// Rows wholly in sight below the margin.
int TLineTable::RowsInSight() const
{
    return std::max((viewport()->height() - Margin - 1) / RowHeight(), 1);
}

// Where a row begins: the top row in sight at the top, below the margin only at the very top.
int TLineTable::RowTop(qsizetype row) const
{
    const qsizetype top = verticalScrollBar()->value();
    return (top == 0 ? Margin : 0) + int(row - top) * RowHeight();
}

qsizetype TLineTable::RowAt(const QPoint& position) const
{
    const int fromFirst = position.y() - RowTop(0);
    return std::clamp<qsizetype>(fromFirst / RowHeight(), 0, lines_.Count() - 1);
}

void TLineTable::UpdateScrollBars()
{
    const int rows = RowsInSight();
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(lines_.Count() - rows, 0)));
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0,
                                    std::max(int(widest_ + 2 * Margin) - viewport()->width(), 0));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void TLineTable::TakeWidth(const QString& line)
{
    widest_ = std::max(widest_, QFontMetricsF(font()).horizontalAdvance(line));
}

void TLineTable::Select(qsizetype anchor, qsizetype current)
{
    anchor_ = anchor;
    current_ = current;
    viewport()->update();
}

void TLineTable::SelectAll()
{
    if (lines_.Count() > 0)
        Select(0, lines_.Count() - 1);
}

void TLineTable::CopySelection() const
{
    if (anchor_ < 0)
        return;
    const auto [first, last] = std::minmax(anchor_, current_);
    QStringList selected;
    for (qsizetype row = first; row <= last; ++row)
        selected.append(lines_.Line(row).toString());
    QGuiApplication::clipboard()->setText(selected.join(u'\n'));
}

void TLineTable::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const qsizetype top = verticalScrollBar()->value();
    const qsizetype end = std::min(lines_.Count(), top + RowsInSight() + 1);
    const int left = Margin - horizontalScrollBar()->value();
    const auto [first, last] = std::minmax(anchor_, current_);
    for (qsizetype row = top; row < end; ++row) {
        const QRect rowArea(0, RowTop(row), viewport()->width(), RowHeight());
        const bool selected = anchor_ >= 0 && row >= first && row <= last;
        if (selected)
            painter.fillRect(rowArea, palette().highlight());
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(left, rowArea.top() + fontMetrics().ascent(), lines_.Line(row).toString());
    }
}

void TLineTable::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TLineTable::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        CopySelection();
    else if (event->matches(QKeySequence::SelectAll))
        SelectAll();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void TLineTable::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || lines_.Count() == 0)
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype row = RowAt(event->position().toPoint());
    const bool extending = event->modifiers().testFlag(Qt::ShiftModifier) && anchor_ >= 0;
    Select(extending ? anchor_ : row, row);
}

void TLineTable::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons().testFlag(Qt::LeftButton) && anchor_ >= 0)
        Select(anchor_, RowAt(event->position().toPoint()));
}

void TLineTable::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, &TLineTable::CopySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(anchor_ >= 0);
    QAction* selectAll = menu.addAction(QStringLiteral("Select All"), this, &TLineTable::SelectAll);
    selectAll->setShortcut(QKeySequence::SelectAll);
    selectAll->setEnabled(lines_.Count() > 0);
    menu.exec(event->globalPos());
}
