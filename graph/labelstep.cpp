#include "graph/labelstep.h"

#include <array>
#include <cmath>

double LabelStep(double span, int maximumIntervals, double smallestStep)
{
    const double rough = span / maximumIntervals;
    if (!(rough > smallestStep))
        return smallestStep;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double multiple : std::array{1.0, 2.0, 5.0}) {
        if (multiple * power >= rough * (1 - 1e-9))
            return multiple * power;
    }
    return 10.0 * power;
}
