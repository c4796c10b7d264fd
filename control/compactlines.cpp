#include "control/compactlines.h"

void CompactLines::Append(const QString& line)
{
    text_.append(line);
    ends_.append(text_.size());
}

void CompactLines::Replace(qsizetype index, const QString& line)
{
    if (index < 0 || index >= Count())
        return;
    const qsizetype start = Start(index);
    const qsizetype growth = line.size() - (ends_[index] - start);
    text_.replace(start, ends_[index] - start, line);
    for (qsizetype later = index; later < Count(); ++later)
        ends_[later] += growth;
}

void CompactLines::Clear()
{
    // Emptied and given back: a long series must not keep its room for the next test.
    text_ = QString();
    ends_ = QList<qsizetype>();
}

QStringView CompactLines::Line(qsizetype index) const
{
    const qsizetype start = Start(index);
    return QStringView(text_).sliced(start, ends_[index] - start);
}

QStringList CompactLines::Lines() const
{
    QStringList lines;
    lines.reserve(Count());
    for (qsizetype index = 0; index < Count(); ++index)
        lines.append(Line(index).toString());
    return lines;
}
