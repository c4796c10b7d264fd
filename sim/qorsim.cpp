// qor-sim: the simulated QOR-1000 on a pseudo-terminal. See --help.
#include "sim/machinemodel.h"
#include "sim/pseudoterminalserver.h"
#include "sim/quitonsignal.h"
#include "sim/simcommandline.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qor-sim"));
    QTextStream err(stderr);

    QString error;
    const std::optional<SimSettings> settings = ReadSimCommandLine(app, error);
    if (!settings) {
        err << "qor-sim: " << error << Qt::endl;
        return 1;
    }
    if (!QuitOnTerminationSignals(app)) {
        err << "qor-sim: cannot catch SIGINT and SIGTERM" << Qt::endl;
        return 1;
    }

    MachineModel machine(settings->machine);
    PseudoTerminalServer server(machine);
    if (!server.Start(settings->linkPath, error)) {
        err << "qor-sim: " << error << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "qor-sim: serving " << SpecimenName(settings->machine.specimen) << " on "
                        << server.DevicePath() << " as " << settings->linkPath << Qt::endl;
    return app.exec();
}
