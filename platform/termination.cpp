#include "platform/termination.h"

#include <QCoreApplication>

namespace {
bool requested = false;
}

namespace Termination {

void Request()
{
    requested = true;
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool Requested()
{
    return requested;
}

void Withdraw()
{
    requested = false;
}

} // namespace Termination
