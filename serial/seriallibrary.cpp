#include "serial/seriallibrary.h"

#include "serial/devicelibrary.h"

namespace {
SerialLibrary* installed = nullptr;
}

SerialLibrary& ActiveSerialLibrary()
{
    static DeviceSerialLibrary device;
    return installed ? *installed : device;
}

void InstallSerialLibrary(SerialLibrary* library)
{
    installed = library;
}
