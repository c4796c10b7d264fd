// Any test line list through the graph windows' record walk and the CSV export, in both units.
#include "fuzzsupport.h"

#include "graph/testlines.h"
#include "platform/errors.h"
#include "program/settings.h"

#include <cmath>

namespace {

void CheckCount(double value, double factor, const char* expectation)
{
    const double count = value / factor;
    FuzzCheck(count > -0.5 && count < 9999.5 && std::abs(count - std::round(count)) < 1e-6,
              expectation);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = QString::fromLatin1(FuzzBytes(data, size)).split(u'\n');
    for (const bool english : {true, false}) {
        ApplyUnits(english);
        try {
            ReadTestRecords(lines, [](double displacement, double force) {
                CheckCount(displacement, DisplacementFactor,
                           "a walked displacement is a count from 0 to 9999");
                CheckCount(force, ForceFactor, "a walked force is a count from 0 to 9999");
            });
        } catch (const ConversionError&) {
            // A record with a field that is not a number: the graph window reports it.
        }
        try {
            const QStringList csv = ConvertTestToCsv(lines, english);
            FuzzCheck(csv.size() == lines.size(), "the export has as many lines as the test");
            FuzzCheck(csv.mid(0, 2) == lines.mid(0, 2),
                      "title and summary are exported as they are");
        } catch (const ConversionError&) {
            // As above: no file is written.
        }
    }
    return 0;
}
