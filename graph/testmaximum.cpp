#include "control/maxforce.h"

void MaxForce::Reset()
{
    *this = MaxForce();
}

void MaxForce::Offer(double force, const QString& forceText, const QString& displacementText)
{
    if (holdsRecord_ && force <= force_)
        return;
    holdsRecord_ = true;
    force_ = force;
    forceText_ = forceText;
    displacementText_ = displacementText;
}
