#include "tools/qorexport/exportcommandline.h"

#include <QCommandLineParser>

QString FormatName(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv:
        return QStringLiteral("CSV");
    case ExportFormat::Pdf:
        return QStringLiteral("PDF");
    case ExportFormat::Png:
        return QStringLiteral("PNG");
    }
    Q_UNREACHABLE();
}

std::optional<ExportRequest> ReadExportCommandLine(const QStringList& arguments, QString& helpText,
                                                   QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts stored QOR-1000 tests (*.dat). For each FILE.dat it writes FILE.csv,\n"
        "the program's comma-separated export byte for byte, and/or FILE.pdf and\n"
        "FILE.png, the test's chart as the graph window draws it (the PDF on one A4\n"
        "landscape page), beside the file or into --out DIR. Without --csv, --pdf or\n"
        "--png it writes the CSV.\n"
        "\n"
        "A file that fails is named on standard error with its reason, and the others\n"
        "are still converted. Exit status: 0 when every file converted, 1 when any\n"
        "failed, 2 when nothing was converted because of the command line or the\n"
        "output folder. With more than one file and standard error on a terminal, a\n"
        "progress line counts the files."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and end."));
    const QCommandLineOption unitsOption(
        QStringLiteral("units"),
        QStringLiteral("Units of the export and the chart: english (inches, pounds) or metric "
                       "(centimetres, kilograms). Default: english."),
        QStringLiteral("english|metric"), QStringLiteral("english"));
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Write FILE.csv, the program's export."));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("Write FILE.pdf, the chart on one page."));
    const QCommandLineOption pngOption(QStringLiteral("png"),
                                       QStringLiteral("Write FILE.png, the chart as a picture."));
    const QCommandLineOption outOption(
        QStringLiteral("out"),
        QStringLiteral("Write the outputs into DIR (made when missing) instead of beside each "
                       "input."),
        QStringLiteral("DIR"));
    parser.addOptions({helpOption, unitsOption, csvOption, pdfOption, pngOption, outOption});
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("Stored tests."),
                                 QStringLiteral("FILE.dat..."));

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(helpOption)) {
        helpText = parser.helpText();
        return std::nullopt;
    }

    ExportRequest request;
    const QString units = parser.value(unitsOption).toLower();
    if (units != QLatin1String("english") && units != QLatin1String("metric")) {
        error = QStringLiteral("--units must be english or metric, not '%1'")
                    .arg(parser.value(unitsOption));
        return std::nullopt;
    }
    request.unitsEnglish = units == QLatin1String("english");

    for (const auto& [option, format] :
         {std::pair{&csvOption, ExportFormat::Csv}, std::pair{&pdfOption, ExportFormat::Pdf},
          std::pair{&pngOption, ExportFormat::Png}}) {
        if (parser.isSet(*option))
            request.formats.append(format);
    }
    if (request.formats.isEmpty())
        request.formats.append(ExportFormat::Csv);

    if (parser.isSet(outOption)) {
        request.outDirectory = parser.value(outOption);
        if (request.outDirectory.isEmpty()) {
            error = QStringLiteral("--out needs a folder");
            return std::nullopt;
        }
    }

    request.files = parser.positionalArguments();
    if (request.files.isEmpty()) {
        error = QStringLiteral("no test files given (see --help)");
        return std::nullopt;
    }
    return request;
}
