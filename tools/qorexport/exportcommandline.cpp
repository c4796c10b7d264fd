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
    case ExportFormat::Report:
        return QStringLiteral("Report");
    }
    Q_UNREACHABLE();
}

QString FormatSuffix(ExportFormat format)
{
    return format == ExportFormat::Report ? QStringLiteral("pdf") : FormatName(format).toLower();
}

std::optional<ExportRequest> ReadExportCommandLine(const QStringList& arguments, QString& helpText,
                                                   QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts stored QOR-1000 tests (*.dat). For each FILE.dat it writes FILE.csv,\n"
        "the program's comma-separated export byte for byte, and/or FILE.pdf and\n"
        "FILE.png, the test's chart as the graph window draws it (the PDF on one A4\n"
        "landscape page), beside the file or into --out DIR. Without --csv, --pdf,\n"
        "--png, --report or --results it writes the CSV.\n"
        "\n"
        "--results writes results.csv (into --out DIR, else the current folder): a\n"
        "header row File,Title,Maximum Force (lbs.),Displacement at Maximum (in.),\n"
        "Break Force (lbs.),Break Displacement (in.),Force at Displacement (lbs.),\n"
        "Displacement at Force (in.),Stiffness (lbs./in.),Energy (lbs.in.),Average\n"
        "Force (lbs.),Verdict (in metric units (kg), (cm), (kg/cm), (kg.cm)); one row\n"
        "per file: the file as given, its title line, the results with six\n"
        "significant digits and \".\" as decimal separator, empty where not computed,\n"
        "then PASS, FAIL or empty; an empty row; then the rows n, Mean, Standard\n"
        "Deviation, CV %, Minimum, Maximum and Range (the statistic's name, an empty\n"
        "cell, one value per result). --report writes FILE.pdf, the program's test\n"
        "report page. Both use the method of --method FILE, an INI file such as\n"
        "\n"
        "  [Method]\n"
        "  Name=Bracket pull\n"
        "  Units=ENGLISH          ; or METRIC: the units of every value below\n"
        "  [Break]\n"
        "  Drop=20                ; per cent of the maximum force\n"
        "  [ForceAt]\n"
        "  Displacement=0.105\n"
        "  [DisplacementAt]\n"
        "  Force=250.5\n"
        "  [Stiffness]\n"
        "  FromForce=100.5\n"
        "  ToForce=400.5\n"
        "  [Average]\n"
        "  FromDisplacement=0.1005\n"
        "  ToDisplacement=0.3005\n"
        "  [Limits]\n"
        "  MaximumForce=450.5,600.5   ; low,high; either side may be empty\n"
        "  Energy=,200.5\n"
        "\n"
        "Every section is optional; without one its results are not computed (the\n"
        "maximum, its displacement and the energy always are). A limit's key is its\n"
        "result's name without spaces. Without --method only those three are given.\n"
        "\n"
        "A file that fails is named on standard error with its reason, and the others\n"
        "are still converted; a file without results is left out of results.csv and\n"
        "its statistics. Exit status: 0 when every file converted, 1 when any failed,\n"
        "2 when nothing was converted because of the command line, the method file or\n"
        "the output folder. With more than one file and standard error on a terminal,\n"
        "a progress line counts the files."));
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
    const QCommandLineOption resultsOption(
        QStringLiteral("results"),
        QStringLiteral("Write results.csv: the results and verdict of every test and their "
                       "statistics."));
    const QCommandLineOption reportOption(QStringLiteral("report"),
                                          QStringLiteral("Write FILE.pdf, the test report page."));
    const QCommandLineOption methodOption(
        QStringLiteral("method"),
        QStringLiteral("The method file of the results and reports: what is computed and the "
                       "limits."),
        QStringLiteral("FILE"));
    parser.addOptions({helpOption, unitsOption, csvOption, pdfOption, pngOption, resultsOption,
                       reportOption, methodOption, outOption});
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
          std::pair{&pngOption, ExportFormat::Png},
          std::pair{&reportOption, ExportFormat::Report}}) {
        if (parser.isSet(*option))
            request.formats.append(format);
    }
    if (parser.isSet(pdfOption) && parser.isSet(reportOption)) {
        error = QStringLiteral("--pdf and --report both write FILE.pdf; ask for one of them");
        return std::nullopt;
    }
    request.results = parser.isSet(resultsOption);
    if (request.formats.isEmpty() && !request.results)
        request.formats.append(ExportFormat::Csv);
    if (parser.isSet(methodOption)) {
        request.methodFile = parser.value(methodOption);
        if (!request.results && !parser.isSet(reportOption)) {
            error = QStringLiteral("--method needs --results or --report");
            return std::nullopt;
        }
    }

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
