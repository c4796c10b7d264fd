#include "sim/simcommandline.h"

#include "sim/replyscript.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int LargestCount = 9999;
constexpr double FastestRate = 100.0;

// A whole number within [lowest, highest], or nothing.
std::optional<qint64> WholeNumber(const QString& text, qint64 lowest, qint64 highest)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<SimSettings> ReadSimCommandLine(const QCoreApplication& app, QString& error)
{
    const MachineOptions defaults;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated QOR-1000 force tester. Serves the machine on a pseudo-terminal and links "
        "<dir>/<port> to it until SIGINT or SIGTERM, then removes the link. Point the program's "
        "QOR.dat at the port (PORT=COM1) and start it in <dir>."));
    parser.addHelpOption();
    const QCommandLineOption dirOption(
        QStringLiteral("dir"), QStringLiteral("Directory that gets the port link (default: .)."),
        QStringLiteral("dir"), QStringLiteral("."));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Name of the port link (default: COM1)."),
                                        QStringLiteral("name"), QStringLiteral("COM1"));
    const QCommandLineOption specimenOption(
        QStringLiteral("specimen"),
        QStringLiteral("Specimen under test: spring (reaches the maximum force, TM), yielding "
                       "(yields and breaks, TT) or soft (reaches the travel limit, TL). "
                       "Default: spring."),
        QStringLiteral("kind"), SpecimenName(defaults.specimen));
    const QCommandLineOption rateOption(
        QStringLiteral("rate"),
        QStringLiteral("Data records (or script lines) per second during a test (default: 5)."),
        QStringLiteral("records"), QString::number(defaults.recordsPerSecond));
    const QCommandLineOption maxForceOption(
        QStringLiteral("max-force"),
        QStringLiteral("Force in pounds at which a test stops with TM, 1 to 9999 (default: 1000)."),
        QStringLiteral("pounds"), QString::number(defaults.maxForce));
    const QCommandLineOption travelOption(
        QStringLiteral("travel"),
        QStringLiteral("Travel limit below home in thousandths of an inch, where a test stops with "
                       "TL, 1 to 9999 (default: 1600)."),
        QStringLiteral("counts"), QString::number(defaults.travelLimit));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("Seed of the force noise; the same options give the same lines "
                       "(default: 1)."),
        QStringLiteral("number"), QString::number(defaults.seed));
    const QCommandLineOption scriptOption(
        QStringLiteral("script"),
        QStringLiteral("Answer each T with the lines of this file instead of a simulated test: one "
                       "reply per line, a carriage return added, sent at the rate."),
        QStringLiteral("file"));
    parser.addOptions({dirOption, portOption, specimenOption, rateOption, maxForceOption,
                       travelOption, seedOption, scriptOption});
    parser.process(app);

    if (!parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return std::nullopt;
    }

    SimSettings settings;
    const std::optional<Specimen> specimen = SpecimenFromName(parser.value(specimenOption));
    if (!specimen) {
        error = QStringLiteral("--specimen must be one of: %1")
                    .arg(SpecimenNames().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    settings.machine.specimen = *specimen;

    bool rateOk = false;
    settings.machine.recordsPerSecond = parser.value(rateOption).toDouble(&rateOk);
    if (!rateOk || settings.machine.recordsPerSecond <= 0 ||
        settings.machine.recordsPerSecond > FastestRate) {
        error = QStringLiteral("--rate must be a number above 0 and at most %1").arg(FastestRate);
        return std::nullopt;
    }

    const std::optional<qint64> maxForce =
        WholeNumber(parser.value(maxForceOption), 1, LargestCount);
    const std::optional<qint64> travel = WholeNumber(parser.value(travelOption), 1, LargestCount);
    const std::optional<qint64> seed = WholeNumber(parser.value(seedOption), 0, UINT32_MAX);
    if (!maxForce || !travel || !seed) {
        error = !maxForce ? QStringLiteral("--max-force must be a whole number from 1 to 9999")
                : !travel ? QStringLiteral("--travel must be a whole number from 1 to 9999")
                          : QStringLiteral("--seed must be a whole number from 0 to 4294967295");
        return std::nullopt;
    }
    settings.machine.maxForce = int(*maxForce);
    settings.machine.travelLimit = int(*travel);
    settings.machine.seed = quint32(*seed);

    if (parser.isSet(scriptOption)) {
        QFile script(parser.value(scriptOption));
        if (!script.open(QIODevice::ReadOnly)) {
            error =
                QStringLiteral("cannot read %1: %2").arg(script.fileName(), script.errorString());
            return std::nullopt;
        }
        settings.machine.script = ParseReplyScript(script.readAll());
        if (settings.machine.script.isEmpty()) {
            error = QStringLiteral("%1 holds no lines").arg(script.fileName());
            return std::nullopt;
        }
    }

    const QString port = parser.value(portOption);
    if (port.isEmpty() || port.contains(u'/')) {
        error = QStringLiteral("--port must be a file name such as COM1");
        return std::nullopt;
    }
    const QDir dir(parser.value(dirOption));
    if (!dir.exists()) {
        error = QStringLiteral("--dir %1 does not exist").arg(dir.path());
        return std::nullopt;
    }
    settings.linkPath = dir.absoluteFilePath(port);
    return settings;
}
