#pragma once

#include <QString>

// A manual that cannot be built: the text names the file and the reason.
struct ManualError
{
    QString message;
};
