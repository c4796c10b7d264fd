#pragma once

#include "tools/qorexport/exportcommandline.h"

class QTextStream;

// Converts every file of the request, each into every format asked for. A file that cannot be
// read, holds no test or cannot be converted is reported on err with its reason and the run goes
// on. Returns the exit status: 0 when every file converted, 1 when any failed, 2 when the output
// folder cannot be made (nothing is converted then).
int RunExport(const ExportRequest& request, QTextStream& err, bool onTerminal);
