#include "graph/filecommands.h"

#include "graph/chartoutput.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfile.h"
#include "graph/testfilenames.h"
#include "graph/testlines.h"
#include "platform/errors.h"
#include "platform/messagebox.h"
#include "program/settings.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>

namespace {

const QString TestFileFilter = QStringLiteral("QOR files (*.dat)");
const QString ExportFilter = QStringLiteral("Excel files (*.csv)");

void WarnUnlessTest(QWidget* window, const QString& path, const QStringList& lines)
{
    if (HoldsTest(lines))
        return;
    SystemMessageBox(window,
                     QStringLiteral("\"%1\" does not hold a test: its third line is not \"X,Y\". "
                                    "It is shown as it is.")
                         .arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("Not a Test File"));
}

} // namespace

void SetUpOpenDialog(QFileDialog& dialog)
{
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(TestFileFilter);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.setDirectory(DataFolder());
}

void SetUpSaveDialog(QFileDialog& dialog)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({TestFileFilter, ExportFilter});
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.setDirectory(DataFolder());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         dialog.setDefaultSuffix(filter == ExportFilter ? QStringLiteral("csv")
                                                                        : QStringLiteral("dat"));
                     });
}

QString ChooseFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void ClearChosenFile(QFileDialog& dialog)
{
    // Qt's own dialog keeps the name typed last and the files it selected, which the next use
    // would return besides the one typed then, and has no call that empties them (selecting an
    // empty name does nothing): its name field and file list are emptied. A platform's dialog
    // starts empty.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->clear();
    if (auto* files = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView")))
        files->clearSelection();
    if (dialog.acceptMode() == QFileDialog::AcceptSave)
        dialog.selectNameFilter(TestFileFilter);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
}

void OpenTestWindow(const QString& path, const std::function<void(QWidget*)>& show)
{
    const QStringList lines = LoadTestFile(path);
    auto* window = new TGraphForm;
    window->SetLines(lines);
    window->setWindowTitle(QFileInfo(path).fileName());
    show(window);
    WarnUnlessTest(window, path, lines);
}

void OpenIntoMultipleWindow(TGraphMultipleForm* window, const QString& path,
                            const std::function<void(QWidget*)>& show)
{
    const QStringList lines = LoadTestFile(path);
    if (!window) {
        window = new TGraphMultipleForm;
        show(window);
    }
    try {
        window->AddTestFile(lines);
    } catch (const ConversionError& error) {
        throw RecordErrorIn(path, error);
    }
    WarnUnlessTest(window, path, lines);
}

bool SaveGraph(TGraphForm& window, const QString& path)
{
    switch (SaveKindOf(path)) {
    case SaveKind::TestFile:
        StoreTestFile(path, window.Lines());
        window.setWindowTitle(path);
        window.GraphDataMemo->document()->setModified(false);
        return true;
    case SaveKind::Export:
        try {
            StoreTestFile(path, ConvertTestToCsv(window.Lines(), UnitsEnglish));
        } catch (const ConversionError& error) {
            throw ConversionError(QStringLiteral("Nothing was exported to \"%1\": %2")
                                      .arg(QDir::toNativeSeparators(path), error.Message()));
        }
        return true;
    case SaveKind::Neither:
        break;
    }
    SystemMessageBox(&window,
                     QStringLiteral("Nothing was saved to \"%1\": test files end in .dat and "
                                    "exports in .csv.")
                         .arg(QDir::toNativeSeparators(path)),
                     QStringLiteral("Save Test File"));
    return false;
}

QChartView* PrintableChart(QWidget* window)
{
    if (auto* single = qobject_cast<TGraphForm*>(window))
        return single->CurrentChart();
    if (auto* multiple = qobject_cast<TGraphMultipleForm*>(window))
        return multiple->GraphChart;
    return nullptr;
}

PrintDestination PrintGraph(QWidget* window, QPrinter& printer)
{
    QChartView* chart = PrintableChart(window);
    return PrintDocument(printer, window->windowTitle(),
                         [chart](QPagedPaintDevice& device) { return PrintChart(chart, device); });
}

void TellPrintDestination(QWidget* owner, QStatusBar* statusBar, const PrintDestination& printed,
                          const QString& what, const QString& caption)
{
    if (printed.fallbackFile) {
        SystemMessageBox(owner,
                         QStringLiteral("No printer is set up, so the %1 was printed to the "
                                        "file\n%2")
                             .arg(what, printed.name),
                         caption);
    } else {
        statusBar->showMessage(QStringLiteral("The %1 was printed to %2").arg(what, printed.name));
    }
}

PrintDestination PrintDocument(QPrinter& printer, const QString& documentName,
                               const std::function<bool(QPagedPaintDevice&)>& draw)
{
    const QString chosen = printer.outputFormat() == QPrinter::PdfFormat
                               ? QDir::toNativeSeparators(printer.outputFileName())
                               : printer.printerName();
    PrintDestination destination{chosen, false};
    bool printed = false;
    if (!chosen.isEmpty()) {
        printer.setDocName(documentName);
        printed = draw(printer);
    } else {
        const QString path = PrintFileFor(documentName, DataFolder());
        destination = {QDir::toNativeSeparators(path), true};
        QPdfWriter file(path);
        file.setPageLayout(printer.pageLayout());
        file.setTitle(documentName);
        printed = draw(file);
    }
    if (!printed)
        throw FileError(QStringLiteral("Cannot print on \"%1\".").arg(destination.name));
    return destination;
}
