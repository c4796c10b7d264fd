#pragma once

#include <QColor>
#include <QString>

// The colours a verdict is shown in, on the screen and on paper: a pass green, a fail red.
inline QColor VerdictColour(bool passed)
{
    return passed ? QColor(0x1b, 0x7a, 0x2e) : QColor(0xc6, 0x28, 0x28);
}

// The colour of a cell that starts with "PASS" or "FAIL"; invalid for any other text.
inline QColor VerdictCellColour(const QString& text)
{
    if (text.startsWith(QLatin1String("PASS")))
        return VerdictColour(true);
    if (text.startsWith(QLatin1String("FAIL")))
        return VerdictColour(false);
    return {};
}
