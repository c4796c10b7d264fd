#pragma once

#include "library/libraryentry.h"

#include <QList>

// What the library window's list can be sorted by.
enum class EntryField
{
    Title,
    Finished,
    Station,
    Operator,
    Lot,
    Method,
    FirstResult, // then one field per result, in ResultKind order
    Verdict = FirstResult + ResultKindCount,
    Path
};
inline constexpr int EntryFieldCount = static_cast<int>(EntryField::Path) + 1;

constexpr EntryField ResultField(ResultKind kind)
{
    return static_cast<EntryField>(static_cast<int>(EntryField::FirstResult) + ResultIndex(kind));
}

// The positions of all entries, sorted by the field (texts in any case, results not computed
// first, then by value); entries that compare equal keep their order.
QList<int> SortedOrder(const QList<LibraryEntry>& entries, EntryField field, Qt::SortOrder order);
