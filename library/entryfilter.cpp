#include "library/entryfilter.h"

namespace {

// A local day's start as a UTC time, which entries' times are compared with.
QDateTime DayStart(const QDate& day)
{
    return day.startOfDay().toUTC();
}

} // namespace

QList<int> FilterEntries(const QList<LibraryEntry>& entries, const QList<int>& order,
                         const EntryFilter& filter)
{
    const std::optional<QDateTime> from =
        filter.from ? std::optional(DayStart(*filter.from)) : std::nullopt;
    const std::optional<QDateTime> before =
        filter.to ? std::optional(DayStart(filter.to->addDays(1))) : std::nullopt;
    QList<int> matching;
    for (int index : order) {
        const LibraryEntry& entry = entries[index];
        if ((filter.title.isEmpty() || entry.title.contains(filter.title, Qt::CaseInsensitive)) &&
            (filter.lot.isEmpty() || entry.lot.contains(filter.lot, Qt::CaseInsensitive)) &&
            (filter.station.isEmpty() || entry.station == filter.station) &&
            (!filter.verdict || entry.verdict == *filter.verdict) &&
            (!from || entry.finished >= *from) && (!before || entry.finished < *before))
            matching.append(index);
    }
    return matching;
}
