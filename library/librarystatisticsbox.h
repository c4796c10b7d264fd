#pragma once

#include "library/libraryentry.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
class QPushButton;
class QTableWidget;
QT_END_NAMESPACE

// The sample statistics of tests chosen in the library window, from the results the library
// stored: a row per result computed in any of them, a column per statistic, in the units in
// force, and how many passed and failed. Copy puts the table on the clipboard for a spreadsheet.
class TLibraryStatisticsBox : public QDialog
{
    Q_OBJECT
public:
    TLibraryStatisticsBox(const QList<LibraryEntry>& entries, const QList<int>& positions,
                          QWidget* owner = nullptr);

    QTableWidget* StatisticsTable;
    QLabel* VerdictsLabel;
    QPushButton* CopyBtn;
    QPushButton* CloseBtn;

    void CopyBtnClick();

private:
    QString copied_;
};
