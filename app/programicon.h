#pragma once

#include <QIcon>

// The program's own icon, a force tester, in every size the build draws. Set as the application's
// window icon, it shows on the main window and on every window inside it or over it.
QIcon ProgramIcon();
