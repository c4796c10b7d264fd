#pragma once

#include "tools/qorexport/exportcommandline.h"

#include <QHash>
#include <QString>

// Names the output files of a run: FILE.dat gives FILE.csv, FILE.pdf and FILE.png beside it, or
// in the out folder when one was given; the results of the run go to results.csv.
class ExportOutputs
{
public:
    explicit ExportOutputs(const QString& outDirectory) : outDirectory_(outDirectory) {}

    // The output of input in format, claimed for it. Throws FileError when that output would
    // replace the input itself, or an output that an earlier input of the run has written.
    QString Claim(const QString& input, ExportFormat format);
    // results.csv in the out folder, or in the current folder when none was given, claimed for
    // the results of the run.
    QString ClaimResults();

private:
    void Take(const QString& output, const QString& owner);

    QString outDirectory_;
    QHash<QString, QString> claimedBy_; // absolute output path -> the input it belongs to
};
