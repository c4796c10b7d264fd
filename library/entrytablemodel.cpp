#include "library/entrytablemodel.h"

#include "library/entryresults.h"
#include "program/settings.h"
#include "results/resulttable.h"

#include <QBrush>
#include <QDir>

#include <algorithm>
#include <numeric>

namespace {

const QStringList FieldHeadings{QStringLiteral("Title"),   QStringLiteral("Finished"),
                                QStringLiteral("Station"), QStringLiteral("Operator"),
                                QStringLiteral("Lot"),     QStringLiteral("Method")};

bool IsResult(int column)
{
    return column >= static_cast<int>(EntryField::FirstResult) &&
           column < static_cast<int>(EntryField::Verdict);
}

ResultKind KindOf(int column)
{
    return AllResultKinds[column - static_cast<int>(EntryField::FirstResult)];
}

// The field a column other than File shows.
EntryField FieldOf(int column)
{
    return static_cast<EntryField>(column < EntryTableModel::FileColumn ? column : column - 1);
}

bool Marked(FileState state)
{
    return state == FileState::Changed || state == FileState::Missing;
}

} // namespace

EntryTableModel::EntryTableModel(QObject* owner) : QAbstractTableModel(owner) {}

void EntryTableModel::AddEntries(const QList<LibraryEntry>& newer)
{
    for (const LibraryEntry& entry : newer) {
        const QString file = entry.station + QLatin1Char('\n') + entry.path;
        if (const auto known = positionOfFile_.constFind(file); known != positionOfFile_.cend()) {
            entries_[*known] = entry;
            states_[*known] = FileState::Unchecked;
        } else {
            positionOfFile_.insert(file, static_cast<int>(entries_.size()));
            entries_.append(entry);
            states_.append(FileState::Unchecked);
        }
        newestId_ = std::max(newestId_, entry.id);
    }
    sort(sortColumn_, sortOrder_);
}

void EntryTableModel::SetFilter(const EntryFilter& filter)
{
    filter_ = filter;
    beginResetModel();
    Refilter();
    endResetModel();
}

void EntryTableModel::Refilter()
{
    listed_ = FilterEntries(entries_, order_, filter_);
}

QList<int> EntryTableModel::RowsOf(const QList<int>& positions) const
{
    QList<bool> wanted(entries_.size());
    for (int position : positions)
        wanted[position] = true;
    QList<int> rows;
    for (int row = 0; row < listed_.size(); ++row) {
        if (wanted[listed_[row]])
            rows.append(row);
    }
    return rows;
}

void EntryTableModel::RecheckFiles()
{
    states_.fill(FileState::Unchecked);
    emit dataChanged(index(0, FileColumn), index(rowCount() - 1, FileColumn));
}

FileState EntryTableModel::StateOf(int position) const
{
    FileState& state = states_[position];
    if (state == FileState::Unchecked)
        state = CheckEntryFile(entries_[position]);
    return state;
}

int EntryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(listed_.size());
}

int EntryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString EntryTableModel::Text(const LibraryEntry& entry, int column, int position) const
{
    if (column == FileColumn)
        return FileStateText(StateOf(position));
    switch (FieldOf(column)) {
    case EntryField::Title:
        return entry.title;
    case EntryField::Finished:
        return entry.finished.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    case EntryField::Station:
        return entry.station;
    case EntryField::Operator:
        return entry.operatorName;
    case EntryField::Lot:
        return entry.lot;
    case EntryField::Method:
        return entry.method;
    case EntryField::Verdict:
        return VerdictText(entry.verdict);
    case EntryField::Path:
        return QDir::toNativeSeparators(entry.path);
    default:
        return ResultText(EntryResult(entry, KindOf(column), UnitsEnglish));
    }
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int position = listed_[index.row()];
    const LibraryEntry& entry = entries_[position];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return Text(entry, column, position);
    case Qt::TextAlignmentRole:
        return IsResult(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ForegroundRole:
        if (column == FileColumn && Marked(StateOf(position)))
            return QBrush(Qt::red);
        if (column == static_cast<int>(EntryField::Verdict) && entry.verdict != Verdict::None)
            return QBrush(entry.verdict == Verdict::Pass ? Qt::darkGreen : Qt::red);
        return {};
    case Qt::ToolTipRole:
        return column == FileColumn ? FileStateReason(StateOf(position)) : QVariant();
    default:
        return {};
    }
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == FileColumn)
        return QStringLiteral("File");
    if (IsResult(section))
        return ResultHeading(KindOf(section), UnitsEnglish);
    switch (FieldOf(section)) {
    case EntryField::Verdict:
        return QStringLiteral("Verdict");
    case EntryField::Path:
        return QStringLiteral("Path");
    default:
        return FieldHeadings.value(section);
    }
}

void EntryTableModel::sort(int column, Qt::SortOrder order)
{
    sortColumn_ = column;
    sortOrder_ = order;
    beginResetModel();
    if (column == FileColumn) {
        // Every listed file is checked, so that the marked ones come together.
        order_ = QList<int>(entries_.size());
        std::iota(order_.begin(), order_.end(), 0);
        for (int position : listed_)
            StateOf(position);
        std::ranges::stable_sort(order_, [&](int a, int b) {
            return order == Qt::AscendingOrder ? states_[a] < states_[b] : states_[b] < states_[a];
        });
    } else {
        order_ = SortedOrder(entries_, FieldOf(column), order);
    }
    Refilter();
    endResetModel();
}
