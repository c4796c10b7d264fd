#include "library/libraryform.h"

#include "graph/filecommands.h"
#include "graph/graphmultipleform.h"
#include "graph/testfilenames.h"
#include "library/entrycsv.h"
#include "library/entrytablemodel.h"
#include "library/librarystatisticsbox.h"
#include "library/librarytrendform.h"
#include "platform/errorreport.h"
#include "platform/hint.h"
#include "platform/messagebox.h"
#include "program/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

namespace {

// A filter's label, whose accelerator moves to the component.
QLabel* Buddy(QWidget* form, const QString& caption, QWidget* component)
{
    auto* label = new QLabel(caption, form);
    label->setBuddy(component);
    return label;
}

QString Listing(const QStringList& paths)
{
    QStringList lines;
    for (const QString& path : paths)
        lines.append(QStringLiteral("  ") + QDir::toNativeSeparators(path));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TLibraryForm::TLibraryForm(Services services, QWidget* owner)
    : QWidget(owner), Entries(new EntryTableModel(this)), services_(std::move(services))
{
    setObjectName(QStringLiteral("LibraryForm"));
    setWindowTitle(QStringLiteral("Test Library"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(sizeHint());
    // A list of many columns reads best in the regular weight, whatever the frame uses.
    QFont regular = font();
    regular.setBold(false);
    setFont(regular);

    EntryTable = new QTableView(this);
    EntryTable->setObjectName(QStringLiteral("EntryTable"));
    EntryTable->setModel(Entries);
    EntryTable->setSortingEnabled(true);
    EntryTable->horizontalHeader()->setSortIndicator(
        EntryTableModel::ColumnOf(EntryField::Finished), Qt::DescendingOrder);
    EntryTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    EntryTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    EntryTable->setAlternatingRowColors(true);
    EntryTable->setWordWrap(false);
    // A fixed row height lets the view lay out a hundred thousand rows without measuring them.
    EntryTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    EntryTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    EntryTable->verticalHeader()->hide();
    SizeColumns();
    connect(EntryTable, &QTableView::activated, this, &TLibraryForm::OpenBtnClick);
    connect(EntryTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TLibraryForm::SelectionChange);
    connect(Entries, &QAbstractItemModel::modelReset, this, &TLibraryForm::SelectionChange);

    auto* column = new QVBoxLayout(this);
    BuildFilterBar();
    column->addWidget(EntryTable, 1);
    BuildCommandBar();
}

void TLibraryForm::SizeColumns()
{
    QHeaderView* header = EntryTable->horizontalHeader();
    for (int column = 0; column < EntryTableModel::ColumnCount; ++column) {
        const QString heading = Entries->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(column, fontMetrics().horizontalAdvance(heading) + 24);
    }
    const auto widen = [&](int column, const QString& sample) {
        header->resizeSection(column, fontMetrics().horizontalAdvance(sample) + 12);
    };
    widen(EntryTableModel::ColumnOf(EntryField::Title),
          QStringLiteral("Bracket pull, lot 12, #1234"));
    widen(EntryTableModel::ColumnOf(EntryField::Finished), QStringLiteral("2026-12-07 13:18"));
    widen(EntryTableModel::ColumnOf(EntryField::Method), QStringLiteral("Bracket pull 25"));
    widen(EntryTableModel::FileColumn, FileStateText(FileState::Changed));
    widen(EntryTableModel::ColumnOf(EntryField::Path),
          QStringLiteral("/home/operator/QOR1000/data/"));
}

void TLibraryForm::BuildFilterBar()
{
    TitleFilterEdit = new QLineEdit(this);
    TitleFilterEdit->setObjectName(QStringLiteral("TitleFilterEdit"));
    TitleFilterEdit->setClearButtonEnabled(true);
    SetHint(TitleFilterEdit, QStringLiteral("Title|List the tests whose title holds this text"));
    LotFilterEdit = new QLineEdit(this);
    LotFilterEdit->setObjectName(QStringLiteral("LotFilterEdit"));
    LotFilterEdit->setClearButtonEnabled(true);
    SetHint(LotFilterEdit, QStringLiteral("Lot|List the tests whose lot holds this text"));
    StationFilterCombo = new QComboBox(this);
    StationFilterCombo->setObjectName(QStringLiteral("StationFilterCombo"));
    SetHint(StationFilterCombo, QStringLiteral("Station|List the tests saved at one station"));
    VerdictFilterCombo = new QComboBox(this);
    VerdictFilterCombo->setObjectName(QStringLiteral("VerdictFilterCombo"));
    VerdictFilterCombo->addItems({QStringLiteral("Any"), VerdictText(Verdict::Pass),
                                  VerdictText(Verdict::Fail), QStringLiteral("None")});
    SetHint(VerdictFilterCombo, QStringLiteral("Verdict|List the tests of one verdict"));
    const auto addDate = [this](const char* checkName, const QString& caption, const char* editName,
                                const QString& hint, QCheckBox*& check, QDateEdit*& edit) {
        check = new QCheckBox(caption, this);
        check->setObjectName(QLatin1String(checkName));
        edit = new QDateEdit(QDate::currentDate(), this);
        edit->setObjectName(QLatin1String(editName));
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setEnabled(false);
        SetHint(check, hint);
        SetHint(edit, hint);
        connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
        connect(check, &QCheckBox::toggled, this, &TLibraryForm::FilterChange);
        connect(edit, &QDateEdit::dateChanged, this, &TLibraryForm::FilterChange);
    };
    addDate("FromDateCheck", QStringLiteral("Fr&om"), "FromDateEdit",
            QStringLiteral("From|List the tests finished on this day or later"), FromDateCheck,
            FromDateEdit);
    addDate("ToDateCheck", QStringLiteral("&To"), "ToDateEdit",
            QStringLiteral("To|List the tests finished on this day or earlier"), ToDateCheck,
            ToDateEdit);
    connect(TitleFilterEdit, &QLineEdit::textChanged, this, &TLibraryForm::FilterChange);
    connect(LotFilterEdit, &QLineEdit::textChanged, this, &TLibraryForm::FilterChange);
    connect(StationFilterCombo, &QComboBox::currentIndexChanged, this, &TLibraryForm::FilterChange);
    connect(VerdictFilterCombo, &QComboBox::currentIndexChanged, this, &TLibraryForm::FilterChange);

    // This window's Alt letters share the main window with the menu bar's (F, M, P, R, L, W, H),
    // the graph windows' (D, G) and the Results panel's (Y): they keep clear of them.
    auto* row = new QHBoxLayout;
    row->addWidget(Buddy(this, QStringLiteral("T&itle:"), TitleFilterEdit));
    row->addWidget(TitleFilterEdit, 2);
    row->addWidget(Buddy(this, QStringLiteral("L&ot:"), LotFilterEdit));
    row->addWidget(LotFilterEdit, 1);
    row->addWidget(Buddy(this, QStringLiteral("St&ation:"), StationFilterCombo));
    row->addWidget(StationFilterCombo);
    row->addWidget(Buddy(this, QStringLiteral("&Verdict:"), VerdictFilterCombo));
    row->addWidget(VerdictFilterCombo);
    row->addWidget(FromDateCheck);
    row->addWidget(FromDateEdit);
    row->addWidget(ToDateCheck);
    row->addWidget(ToDateEdit);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

QPushButton* TLibraryForm::AddButton(const char* name, const QString& caption, const QString& hint,
                                     void (TLibraryForm::*handler)())
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    SetHint(button, hint);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void TLibraryForm::BuildCommandBar()
{
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    OpenBtn = AddButton("OpenBtn", QStringLiteral("Op&en"),
                        QStringLiteral("Open|Open each selected test in a graph window (Enter)"),
                        &TLibraryForm::OpenBtnClick);
    CompareBtn =
        AddButton("CompareBtn", QStringLiteral("&Compare"),
                  QStringLiteral(
                      "Compare|Lay up to ten selected tests over one another in a multiple window"),
                  &TLibraryForm::CompareBtnClick);
    StatisticsBtn =
        AddButton("StatisticsBtn", QStringLiteral("&Statistics"),
                  QStringLiteral("Statistics|The sample statistics of the selected tests' results"),
                  &TLibraryForm::StatisticsBtnClick);
    TrendResultCombo = new QComboBox(this);
    TrendResultCombo->setObjectName(QStringLiteral("TrendResultCombo"));
    for (ResultKind kind : AllResultKinds)
        TrendResultCombo->addItem(ResultName(kind));
    SetHint(TrendResultCombo, QStringLiteral("Result|The result that Trend draws"));
    TrendBtn = AddButton(
        "TrendBtn", QStringLiteral("Tre&nd"),
        QStringLiteral("Trend|Chart the chosen result of the selected tests over time, with the "
                       "method's limits, the mean and the mean +/- 3 SD"),
        &TLibraryForm::TrendBtnClick);
    ExportBtn = AddButton("ExportBtn", QStringLiteral("E&xport CSV..."),
                          QStringLiteral("Export CSV|Write the tests listed as a CSV file"),
                          &TLibraryForm::ExportBtnClick);
    RefreshBtn = AddButton("RefreshBtn", QStringLiteral("Refresh"),
                           QStringLiteral("Refresh|Read the library again, with every station's "
                                          "latest saves (F5)"),
                           &TLibraryForm::RefreshBtnClick);
    RefreshBtn->setShortcut(QKeySequence::Refresh);

    auto* row = new QHBoxLayout;
    row->addWidget(CountLabel, 1);
    for (QWidget* component :
         {static_cast<QWidget*>(OpenBtn), static_cast<QWidget*>(CompareBtn),
          static_cast<QWidget*>(StatisticsBtn), static_cast<QWidget*>(TrendResultCombo),
          static_cast<QWidget*>(TrendBtn), static_cast<QWidget*>(ExportBtn),
          static_cast<QWidget*>(RefreshBtn)})
        row->addWidget(component);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TLibraryForm::Reload()
{
    const QList<LibraryEntry> newer = services_.load(Entries->NewestId());
    if (newer.isEmpty() && Entries->NewestId() > 0)
        return; // the list and its selection stay as they are
    // Entries keep their positions, also one that a newer row of its file replaces: the operator's
    // selection and current row are found again by them.
    const QList<int> selected = Selected();
    const QModelIndex current = EntryTable->currentIndex();
    const QList<int> currentPosition =
        current.isValid() ? QList<int>{Entries->Listed()[current.row()]} : QList<int>{};
    const int scrolled = EntryTable->verticalScrollBar()->value();
    Entries->AddEntries(newer);
    FillStations();
    FilterChange();
    Select(selected);
    for (int row : Entries->RowsOf(currentPosition))
        EntryTable->selectionModel()->setCurrentIndex(Entries->index(row, current.column()),
                                                      QItemSelectionModel::NoUpdate);
    EntryTable->verticalScrollBar()->setValue(scrolled);
}

void TLibraryForm::Select(const QList<int>& positions)
{
    const QList<int> rows = Entries->RowsOf(positions);
    QItemSelection selection;
    for (qsizetype first = 0, next = 0; first < rows.size(); first = next) {
        // A run of consecutive rows is one range.
        for (next = first + 1; next < rows.size() && rows[next] == rows[next - 1] + 1; ++next) {
        }
        selection.select(Entries->index(rows[first], 0),
                         Entries->index(rows[next - 1], EntryTableModel::ColumnCount - 1));
    }
    EntryTable->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TLibraryForm::FillStations()
{
    QStringList stations;
    for (const LibraryEntry& entry : Entries->Entries())
        stations.append(entry.station);
    stations.removeDuplicates();
    stations.sort(Qt::CaseInsensitive);
    const QString chosen =
        StationFilterCombo->currentIndex() > 0 ? StationFilterCombo->currentText() : QString();
    const QSignalBlocker quiet(StationFilterCombo);
    StationFilterCombo->clear();
    StationFilterCombo->addItem(QStringLiteral("Any"));
    StationFilterCombo->addItems(stations);
    StationFilterCombo->setCurrentIndex(std::max(0, StationFilterCombo->findText(chosen)));
}

void TLibraryForm::FilterChange()
{
    EntryFilter filter;
    filter.title = TitleFilterEdit->text();
    filter.lot = LotFilterEdit->text();
    if (StationFilterCombo->currentIndex() > 0)
        filter.station = StationFilterCombo->currentText();
    const std::array verdicts{Verdict::Pass, Verdict::Fail, Verdict::None};
    if (const int verdict = VerdictFilterCombo->currentIndex(); verdict > 0)
        filter.verdict = verdicts[verdict - 1];
    if (FromDateCheck->isChecked())
        filter.from = FromDateEdit->date();
    if (ToDateCheck->isChecked())
        filter.to = ToDateEdit->date();
    Entries->SetFilter(filter);
    CountLabel->setText(QStringLiteral("%1 of %2 tests")
                            .arg(QLocale().toString(Entries->Listed().size()),
                                 QLocale().toString(Entries->Entries().size())));
}

void TLibraryForm::SelectionChange()
{
    const bool selected = EntryTable->selectionModel()->hasSelection();
    for (QPushButton* button : {OpenBtn, CompareBtn, StatisticsBtn, TrendBtn})
        button->setEnabled(selected);
}

QList<int> TLibraryForm::Selected() const
{
    QList<int> rows;
    for (const QModelIndex& row : EntryTable->selectionModel()->selectedRows())
        rows.append(row.row());
    std::ranges::sort(rows);
    QList<int> positions;
    for (int row : rows)
        positions.append(Entries->Listed()[row]);
    return positions;
}

QStringList TLibraryForm::ReadablePaths(const QList<int>& positions)
{
    QStringList readable, changed, missing, elsewhere;
    for (int position : positions) {
        const QString& path = Entries->Entries()[position].path;
        switch (Entries->StateOf(position)) {
        case FileState::Changed:
            changed.append(path);
            readable.append(path);
            break;
        case FileState::Missing:
            missing.append(path);
            break;
        case FileState::Elsewhere:
            elsewhere.append(path);
            break;
        default:
            readable.append(path);
        }
    }
    QStringList told;
    if (!changed.isEmpty())
        told.append(QStringLiteral("Changed since it was saved, and shown as it is now:\n") +
                    Listing(changed));
    if (!missing.isEmpty())
        told.append(QStringLiteral("Missing:\n") + Listing(missing));
    if (!elsewhere.isEmpty())
        told.append(QStringLiteral("Saved on another station, not on this one:\n") +
                    Listing(elsewhere));
    if (!told.isEmpty())
        SystemMessageBox(this, told.join(QStringLiteral("\n\n")), windowTitle());
    return readable;
}

void TLibraryForm::OpenBtnClick()
{
    for (const QString& path : ReadablePaths(Selected()))
        ErrorReport::Guard(this, [&] { OpenTestWindow(path, services_.show); });
}

void TLibraryForm::CompareBtnClick()
{
    TGraphMultipleForm* window = nullptr;
    const auto show = [this, &window](QWidget* made) {
        window = qobject_cast<TGraphMultipleForm*>(made);
        services_.show(made);
    };
    // An eleventh goes to the window too, which refuses it as it refuses any eleventh.
    const QStringList paths = ReadablePaths(Selected());
    for (const QString& path : paths.mid(0, TGraphMultipleForm::MaximumTests + 1))
        ErrorReport::Guard(this, [&] { OpenIntoMultipleWindow(window, path, show); });
}

void TLibraryForm::StatisticsBtnClick()
{
    TLibraryStatisticsBox statistics(Entries->Entries(), Selected(), this);
    statistics.exec();
}

void TLibraryForm::TrendBtnClick()
{
    const ResultKind kind = AllResultKinds[TrendResultCombo->currentIndex()];
    services_.show(new TLibraryTrendForm(Entries->Entries(), Selected(), kind));
}

void TLibraryForm::ExportBtnClick()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export the Listed Tests"),
                                     QDir(DataFolder()).filePath(QStringLiteral("library.csv")),
                                     QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    ErrorReport::Guard(this, [&] {
        StoreCsvFile(path, EntriesCsv(Entries->Entries(), Entries->Listed(), UnitsEnglish));
        emit Told(QStringLiteral("%1 tests were exported to %2")
                      .arg(Entries->Listed().size())
                      .arg(QDir::toNativeSeparators(path)));
    });
}

void TLibraryForm::RefreshBtnClick()
{
    Entries->RecheckFiles();
    ErrorReport::Guard(this, [this] { Reload(); });
}
