#pragma once

#include <QStringList>

// A test of the given number of lines in the machine's format: records rising to a yield, an
// incremental stop now and then, and the end record "TM".
inline QStringList MachineTest(int lineCount)
{
    QStringList lines{QStringLiteral("Benchmark specimen"), QStringLiteral("QOR1000 Test Graph 1"),
                      QStringLiteral("X,Y")};
    lines.reserve(lineCount);
    for (int record = 0; lines.size() < lineCount - 1; ++record) {
        if (record % 1000 == 999) {
            lines.append(QStringLiteral("ID"));
            continue;
        }
        const int displacement = record % 10000;
        const int force = displacement < 2000 ? displacement * 2 : 4000 + (displacement - 2000) / 8;
        lines.append(QStringLiteral("%1,%2")
                         .arg(displacement, 4, 10, QLatin1Char('0'))
                         .arg(force, 4, 10, QLatin1Char('0')));
    }
    lines.append(QStringLiteral("TM"));
    return lines;
}
