#include "results/resultmarks.h"

#include "graph/forcechart.h"
#include "graph/graphform.h"
#include "program/settings.h"
#include "results/testresults.h"

void MarkResults(TGraphForm* window, const TestMethod& method, bool shown)
{
    QList<QPointF> breakPoint;
    QList<QPointF> stiffnessLine;
    if (shown) {
        try {
            const QStringList lines = window->Lines();
            const TestResults results = ComputeResults(lines, method, UnitsEnglish);
            const auto& force = results.at(ResultIndex(ResultKind::BreakForce));
            const auto& displacement = results.at(ResultIndex(ResultKind::BreakDisplacement));
            if (force && displacement)
                breakPoint.append(QPointF(*displacement, *force));
            if (const std::optional<QLineF> line = StiffnessLine(lines, method, UnitsEnglish))
                stiffnessLine << line->p1() << line->p2();
        } catch (const ConversionError&) {
            // The window reports the record itself.
        }
    }
    SetChartMark(window->GraphChart, QStringLiteral("BreakMark"), MarkShape::Dots, breakPoint,
                 GraphColour(Qt::blue));
    SetChartMark(window->GraphChart, QStringLiteral("StiffnessLine"), MarkShape::Line,
                 stiffnessLine, GraphColour(QColor(0x00, 0x80, 0x00)));
}
