#include "control/controlchart.h"

#include "graph/labelstep.h"
#include "platform/numbertext.h"

#include <QCategoryAxis>

#include <cmath>

void SetFixedAxisRange(QCategoryAxis* axis, double maximum, double minimumIncrement,
                       int maximumIntervals, const QString& picture)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(0.0);
    axis->setRange(0.0, maximum);

    const double step = LabelStep(maximum, maximumIntervals, minimumIncrement);
    const int intervals = static_cast<int>(std::floor(maximum / step + 1e-9));
    for (int i = 0; i <= intervals; ++i) {
        const double value = i * step;
        axis->append(FormatFloat(picture, value), value);
    }
}
