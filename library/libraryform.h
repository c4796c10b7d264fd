#pragma once

#include "library/libraryentry.h"

#include <QWidget>

#include <functional>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
QT_END_NAMESPACE
class EntryTableModel;

// Library > Test Library: the current entry of every file the library holds, sortable by every
// column and filtered as the operator types. From a selection it opens each test in a graph
// window, compares up to ten in a multiple window, shows their statistics and the trend of one
// result; the list as filtered exports as CSV.
class TLibraryForm : public QWidget
{
    Q_OBJECT
public:
    // What the window needs from the program around it.
    struct Services
    {
        // The current entries stored after the row of the id given; throws LibraryError.
        std::function<QList<LibraryEntry>(qint64 after)> load;
        std::function<void(QWidget*)> show; // puts a new window among the main window's
    };

    explicit TLibraryForm(Services services, QWidget* owner = nullptr);

    // Reads the entries stored since the last reading (all, the first time), keeping the filter,
    // the order, the selection, the current row and the scroll position. Throws LibraryError when
    // the library cannot be read.
    void Reload();
    // The window's own size, kept when the main window cascades its windows.
    QSize sizeHint() const override { return {1000, 520}; }
    QLineEdit* TitleFilterEdit;
    QLineEdit* LotFilterEdit;
    QComboBox* StationFilterCombo;
    QComboBox* VerdictFilterCombo;
    QCheckBox* FromDateCheck;
    QDateEdit* FromDateEdit;
    QCheckBox* ToDateCheck;
    QDateEdit* ToDateEdit;
    EntryTableModel* Entries;
    QTableView* EntryTable;
    QLabel* CountLabel;
    QPushButton* OpenBtn;
    QPushButton* CompareBtn;
    QPushButton* StatisticsBtn;
    QComboBox* TrendResultCombo;
    QPushButton* TrendBtn;
    QPushButton* ExportBtn;
    QPushButton* RefreshBtn;

    void FilterChange();
    void OpenBtnClick();
    void CompareBtnClick();
    void StatisticsBtnClick();
    void TrendBtnClick();
    void ExportBtnClick();
    void RefreshBtnClick();

signals:
    // A line for the main window's status bar.
    void Told(const QString& message);

private:
    void BuildFilterBar();
    void BuildCommandBar();
    // Each column as wide as its heading, or as a usual value where that is wider.
    void SizeColumns();
    QPushButton* AddButton(const char* name, const QString& caption, const QString& hint,
                           void (TLibraryForm::*handler)());
    void FillStations();
    void SelectionChange();
    // The positions of the selected entries, in the list's order.
    QList<int> Selected() const;
    // Selects the entries at the positions that are listed, instead of those selected.
    void Select(const QList<int>& positions);
    // The selected entries whose files can be read, after telling the operator about any file
    // that changed since it was saved or is missing.
    QStringList ReadablePaths(const QList<int>& positions);

    Services services_;
};
