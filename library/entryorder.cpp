#include "library/entryorder.h"

#include <algorithm>
#include <numeric>

namespace {

int CompareTexts(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

template <class Value> int CompareValues(const Value& a, const Value& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int Compare(const LibraryEntry& a, const LibraryEntry& b, EntryField field)
{
    switch (field) {
    case EntryField::Title:
        return CompareTexts(a.title, b.title);
    case EntryField::Finished:
        return CompareValues(a.finished, b.finished);
    case EntryField::Station:
        return CompareTexts(a.station, b.station);
    case EntryField::Operator:
        return CompareTexts(a.operatorName, b.operatorName);
    case EntryField::Lot:
        return CompareTexts(a.lot, b.lot);
    case EntryField::Method:
        return CompareTexts(a.method, b.method);
    case EntryField::Verdict:
        return CompareTexts(VerdictText(a.verdict), VerdictText(b.verdict));
    case EntryField::Path:
        return CompareTexts(a.path, b.path);
    default: {
        const int kind = static_cast<int>(field) - static_cast<int>(EntryField::FirstResult);
        return CompareValues(a.results[kind], b.results[kind]); // empty before any value
    }
    }
}

} // namespace

QList<int> SortedOrder(const QList<LibraryEntry>& entries, EntryField field, Qt::SortOrder order)
{
    QList<int> positions(entries.size());
    std::iota(positions.begin(), positions.end(), 0);
    const int direction = order == Qt::AscendingOrder ? 1 : -1;
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        return direction * Compare(entries[a], entries[b], field) < 0;
    });
    return positions;
}
