#pragma once

#include "library/libraryentry.h"

#include <QDate>

#include <optional>

// What the library window lists: the entries that match every part given.
struct EntryFilter
{
    QString title{};   // a fragment of the title, in any case
    QString lot{};     // a fragment of the lot, in any case
    QString station{}; // the whole name; empty for every station
    std::optional<Verdict> verdict{};
    std::optional<QDate> from{}, to{}; // the local day it finished, both days included
};

// The positions in order of the entries that match, in that order.
QList<int> FilterEntries(const QList<LibraryEntry>& entries, const QList<int>& order,
                         const EntryFilter& filter);
