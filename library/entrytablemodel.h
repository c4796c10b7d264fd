#pragma once

#include "library/entryfilter.h"
#include "library/entryorder.h"
#include "library/filecheck.h"

#include <QAbstractTableModel>

// The library window's list: the entries that pass the filter, in the order chosen, one row each,
// results in the units in force. Sorting orders all entries once; filtering then keeps that order,
// so typing in a filter never sorts again. A file is checked against its SHA-256 when its row is
// first shown, and marked "changed since it was saved" when it is missing or differs.
class EntryTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The File column, after Verdict; the others are the fields in EntryField order.
    static constexpr int FileColumn = static_cast<int>(EntryField::Verdict) + 1;
    static constexpr int ColumnCount = EntryFieldCount + 1;
    static constexpr int ColumnOf(EntryField field)
    {
        const int column = static_cast<int>(field);
        return column < FileColumn ? column : column + 1;
    }

    explicit EntryTableModel(QObject* owner = nullptr);

    // Adds entries newer than those held; one of a file already listed takes its place.
    void AddEntries(const QList<LibraryEntry>& newer);
    // The id of the newest entry held, 0 for none.
    qint64 NewestId() const { return newestId_; }
    void SetFilter(const EntryFilter& filter);

    const QList<LibraryEntry>& Entries() const { return entries_; }
    // The positions in Entries() of the rows listed, in their order.
    const QList<int>& Listed() const { return listed_; }
    // The rows that list the entries at the positions, in order; an entry not listed has none.
    QList<int> RowsOf(const QList<int>& positions) const;
    // Every file is checked again when next shown.
    void RecheckFiles();
    // The file of an entry, checked when it was not yet.
    FileState StateOf(int position) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString Text(const LibraryEntry& entry, int column, int position) const;
    void Refilter();

    QList<LibraryEntry> entries_;
    QList<int> order_;  // every position, sorted
    QList<int> listed_; // those that pass the filter
    EntryFilter filter_;
    int sortColumn_ = static_cast<int>(EntryField::Finished);
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
    mutable QList<FileState> states_;
    QHash<QString, int> positionOfFile_; // by station and path
    qint64 newestId_ = 0;
};
