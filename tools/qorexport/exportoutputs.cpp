#include "tools/qorexport/exportoutputs.h"

#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>

QString ExportOutputs::Claim(const QString& input, ExportFormat format)
{
    const QFileInfo inputInfo(input);
    const QString name = inputInfo.completeBaseName() + u'.' + FormatSuffix(format);
    // Beside the input, its folder written as the input's own path writes it.
    const QString output = outDirectory_.isEmpty()
                               ? input.left(input.size() - inputInfo.fileName().size()) + name
                               : QDir(outDirectory_).filePath(name);

    if (QFileInfo(output) == inputInfo)
        throw FileError(QStringLiteral("%1 would replace the test itself")
                            .arg(QDir::toNativeSeparators(output)));
    Take(output, QDir::toNativeSeparators(input));
    return output;
}

QString ExportOutputs::ClaimResults()
{
    const QString output = QDir(outDirectory_).filePath(QStringLiteral("results.csv"));
    Take(output, QStringLiteral("the results"));
    return output;
}

void ExportOutputs::Take(const QString& output, const QString& owner)
{
    const QString key = QFileInfo(output).absoluteFilePath();
    const auto earlier = claimedBy_.constFind(key);
    if (earlier != claimedBy_.cend())
        throw FileError(QStringLiteral("%1 was already written from %2")
                            .arg(QDir::toNativeSeparators(output), *earlier));
    claimedBy_.insert(key, owner);
}
