#include "results/windowtests.h"

#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testlines.h"

bool IsTestWindow(const QWidget* window)
{
    return qobject_cast<const TGraphForm*>(window) || ShowsSeveralTests(window);
}

bool ShowsSeveralTests(const QWidget* window)
{
    return qobject_cast<const TGraphMultipleForm*>(window);
}

QList<NamedTest> TestsIn(QWidget* window)
{
    if (auto* single = qobject_cast<TGraphForm*>(window)) {
        const QStringList lines = single->Lines();
        return {{TestLine(lines, 0), lines}};
    }
    QList<NamedTest> tests;
    if (auto* multiple = qobject_cast<TGraphMultipleForm*>(window)) {
        for (const QStringList& lines : multiple->Tests())
            tests.append({LegendName(lines), lines});
    }
    return tests;
}
