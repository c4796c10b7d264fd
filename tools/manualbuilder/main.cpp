// manualbuilder: turns the operator's manual, Markdown files and their images in one folder, into
// one PDF. Usage: manualbuilder <manual folder> <output.pdf>

#include "manualerror.h"
#include "manualpdf.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    QTextStream errors(stderr);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        errors << "Usage: manualbuilder <manual folder> <output.pdf>\n";
        return 2;
    }
    try {
        BuildManualPdf(arguments[1], arguments[2]);
    } catch (const ManualError& error) {
        errors << "manualbuilder: " << error.message << '\n';
        return 1;
    }
    return 0;
}
