#include "control/controlchart.h"

#include "platform/numbertext.h"

#include <QCategoryAxis>

#include <array>
#include <cmath>

namespace {

double LabelStep(double maximum, double minimumIncrement, int maximumIntervals)
{
    for (double decade = minimumIncrement;; decade *= 10) {
        for (const int multiple : std::array{1, 2, 5}) {
            const double step = decade * multiple;
            if (maximum / step <= maximumIntervals + 1e-9)
                return step;
        }
    }
}

} // namespace

void SetFixedAxisRange(QCategoryAxis* axis, double maximum, double minimumIncrement,
                       int maximumIntervals, const QString& picture)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(0.0);
    axis->setRange(0.0, maximum);

    const double step = LabelStep(maximum, minimumIncrement, maximumIntervals);
    const int intervals = static_cast<int>(std::floor(maximum / step + 1e-9));
    for (int i = 0; i <= intervals; ++i) {
        const double value = i * step;
        axis->append(FormatFloat(picture, value), value);
    }
}
