#include "temporarystartdirectory.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// The program's start to its first window (the start-up dialog) against a bare Qt Widgets
// window's, and against a bare window that shows a line of text (which loads the fonts, as a
// first window with words in it must), each started as a new process the same way, in turn, many
// times: the medians and the ratios. Run it on the platform to measure (QT_QPA_PLATFORM, DISPLAY).
class BenchStartUp : public QObject
{
    Q_OBJECT
private slots:
    void startToFirstWindow();
};

namespace {

constexpr int Starts = 21;

// Milliseconds from starting the program to its end, which comes once its first window is drawn.
double TimeToFirstWindow(const QString& program, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

double Median(QList<double> times)
{
    std::ranges::sort(times);
    return times.at(times.size() / 2);
}

} // namespace

void BenchStartUp::startToFirstWindow()
{
    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), "QOR-1000 installation\r\nUNITS=ENGLISH\r\n");
    // Its own instance lock: a program running beside the benchmark is not a second instance.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());

    const QList<std::pair<const char*, QString>> programs{
        {"bare Qt Widgets window (floor)", QStringLiteral(BARE_TO_FIRST_WINDOW)},
        {"bare window with a line of text", QStringLiteral(TEXT_TO_FIRST_WINDOW)},
        {"the program's start-up dialog", QStringLiteral(PROGRAM_TO_FIRST_WINDOW)}};
    QList<QList<double>> times(programs.size());
    for (int run = 0; run < Starts; ++run) {
        for (qsizetype program = 0; program < programs.size(); ++program)
            times[program].append(TimeToFirstWindow(programs[program].second, start.Path()));
    }
    for (qsizetype program = 0; program < programs.size(); ++program) {
        QVERIFY(!times[program].contains(-1));
        qInfo("%s: median %.1f ms (%.1f to %.1f ms), %.2f times the bare window's",
              programs[program].first, Median(times[program]), std::ranges::min(times[program]),
              std::ranges::max(times[program]), Median(times[program]) / Median(times[0]));
    }
}

QTEST_MAIN(BenchStartUp)
#include "bench_startup.moc"
