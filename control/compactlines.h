#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Lines of text kept one after another in one buffer, with where each one ends: a long list of
// short lines (the records of a repeat series) takes little more room than its characters.
class CompactLines
{
public:
    void Append(const QString& line);
    // Replaces the line at index; an index beyond the last line changes nothing.
    void Replace(qsizetype index, const QString& line);
    void Clear();

    qsizetype Count() const { return ends_.size(); }
    QStringView Line(qsizetype index) const;
    QStringList Lines() const;

private:
    qsizetype Start(qsizetype index) const { return index == 0 ? 0 : ends_[index - 1]; }

    QString text_;
    QList<qsizetype> ends_;
};
