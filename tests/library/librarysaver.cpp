// Saves tests as the program does, each followed by its row: librarysaver START_DIRECTORY COUNT.
// Started twice at once by the tests, as two stations (or two programs) saving together.
#include "graph/testfile.h"
#include "library/fileentry.h"
#include "library/libraryqueue.h"
#include "library/librarystore.h"

#include <QCoreApplication>
#include <QDir>

#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3)
        return 2;
    const QDir start(arguments[1]);
    const int count = arguments[2].toInt();
    LibraryQueue queue(LibraryQueuePath(start.path()));
    LibraryStore store(ReadLibrarySettings(start.path()), "saver");
    const QString saver = QString::number(QCoreApplication::applicationPid());
    try {
        for (int test = 0; test < count; ++test) {
            const QString path = start.filePath(QString("data/%1-%2.dat").arg(saver).arg(test));
            const QStringList lines{QString("Saver %1 test %2").arg(saver).arg(test),
                                    "Maximum",
                                    "X,Y",
                                    "0010,0100",
                                    "0020,0200",
                                    "TM"};
            StoreTestFile(path, lines);
            queue.Append(
                {EntryRow(EntryForTestFile(path, lines, {}, QDateTime::currentDateTime()))});
            DeliverQueue(queue, store);
        }
    } catch (const ProgramError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
