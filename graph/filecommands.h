#pragma once

#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QChartView;
class QFileDialog;
class QPagedPaintDevice;
class QPrinter;
class QStatusBar;
class QWidget;
QT_END_NAMESPACE
class TGraphForm;
class TGraphMultipleForm;

// What the main window's file commands do with files and graph windows. The main window keeps the
// dialogs, the printer and the menus, and shows the windows made here. Failures are thrown for the
// error report: FileError for a file that cannot be read or written, ConversionError naming the
// file for a record that is not a number.

// The open dialog: test files, starting in the data folder.
void SetUpOpenDialog(QFileDialog& dialog);

// The save dialog: test files or exports, starting in the data folder, asking before it replaces
// a file. A name typed without an ending takes that of the chosen filter.
void SetUpSaveDialog(QFileDialog& dialog);

// Runs the dialog; the chosen file, or an empty text when the operator cancelled.
QString ChooseFile(QFileDialog& dialog);

// After a completed open or save: the next use starts with an empty name and the test-file filter.
void ClearChosenFile(QFileDialog& dialog);

// A new single-test window holding the file, captioned with its name without the folder and
// handed to show. No window is made when the file cannot be read.
void OpenTestWindow(const QString& path, const std::function<void(QWidget*)>& show);

// Adds the file as the next curve of window, or when window is null of a new multiple window,
// which is handed to show before the test is added. Nothing changes when the file cannot be read.
void OpenIntoMultipleWindow(TGraphMultipleForm* window, const QString& path,
                            const std::function<void(QWidget*)>& show);

// Both opens show a file that does not hold a test as it is, and tell the operator so.

// Saves the window's test by the name's ending: ".dat" as a test file, which becomes the window's
// caption and clears its unsaved mark; ".csv" as an export in the units in force, leaving both.
// Any other ending writes nothing and tells the operator; false then.
bool SaveGraph(TGraphForm& window, const QString& path);

// The chart of a graph window as it is drawn, or null for any other window.
QChartView* PrintableChart(QWidget* window);

// Where a print went: the printer's name or the PDF file's path.
struct PrintDestination
{
    QString name;
    bool fallbackFile; // no printer on the machine and none chosen: a PDF file in the data folder
};

// Prints a graph window's chart on one page of printer, scaled to the page as lines and text. A
// printer with nowhere to print (no printer on the machine, no PDF file chosen) gives way to a PDF
// file in the data folder named after the window's caption.
PrintDestination PrintGraph(QWidget* window, QPrinter& printer);

// Tells the operator where a print of what ("graph", "report") went: a PDF file it fell back to in
// a message box with the caption, a printer or a chosen file on the status bar.
void TellPrintDestination(QWidget* owner, QStatusBar* statusBar, const PrintDestination& printed,
                          const QString& what, const QString& caption);

// Prints what draw puts on the device (it answers false when the device could not be painted on)
// on printer, or, when the printer has nowhere to print, on a PDF file in the data folder named
// after the document. Throws FileError when the printing fails.
PrintDestination PrintDocument(QPrinter& printer, const QString& documentName,
                               const std::function<bool(QPagedPaintDevice&)>& draw);
