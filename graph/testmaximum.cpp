#include "graph/testmaximum.h"

void TestMaximum::Reset()
{
    *this = TestMaximum();
}

bool TestMaximum::Offer(double force, double displacement)
{
    if (holdsRecord_ && force <= force_)
        return false;
    holdsRecord_ = true;
    force_ = force;
    displacement_ = displacement;
    return true;
}

QString SummaryLine(const QString& forceCaption, const QString& forceText,
                    const QString& displacementCaption, const QString& displacementText)
{
    return QStringLiteral("Maximum ") + forceCaption + u'=' + forceText + QStringLiteral(" at ") +
           displacementCaption + u'=' + displacementText;
}
