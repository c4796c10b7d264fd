#pragma once

#include "tools/qorexport/exportcommandline.h"

class QTextStream;

// Converts every file of the request, each into every format asked for, and writes the results of
// them all when asked. A file that cannot be read, holds no test or cannot be converted is
// reported on err with its reason, left out of the results, and the run goes on. Returns the exit
// status: 0 when every file converted, 1 when any failed or the results could not be written, 2
// when the output folder cannot be made or the method file cannot be used (nothing is converted
// then).
int RunExport(const ExportRequest& request, QTextStream& err, bool onTerminal);
