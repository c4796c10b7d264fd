// Any method file: refused with a message, or taken whole with sound values that write back the
// same and give finite results.
#include "fuzzsupport.h"

#include "results/testmethod.h"
#include "results/testresults.h"

#include <cmath>

namespace {

// Rises to 400 lbs., runs back, breaks.
const QStringList Test{"Specimen",  "summary",   "X,Y",       "0010,0100",
                       "0040,0400", "0030,0350", "0060,0100", "TT"};

bool Ordered(const std::optional<std::pair<double, double>>& pair)
{
    return !pair || (pair->first >= 0 && pair->first <= pair->second);
}

void CheckTaken(const TestMethod& method)
{
    FuzzCheck(!method.breakDrop || (*method.breakDrop >= 0 && *method.breakDrop <= 100),
              "a drop lies within 0 and 100");
    FuzzCheck(method.forceAtDisplacement.value_or(0) >= 0 &&
                  method.displacementAtForce.value_or(0) >= 0,
              "a setting is not negative");
    FuzzCheck(Ordered(method.stiffnessForces) && Ordered(method.averageDisplacements),
              "a range runs from its From to its To");
    for (const std::optional<ResultLimit>& limit : method.limits) {
        FuzzCheck(!limit || limit->low || limit->high, "a limit has a side");
        FuzzCheck(!limit || !limit->low || !limit->high || *limit->low <= *limit->high,
                  "a limit's low side lies at or below its high side");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterScratchStartDirectory();
    // A name of its own for every input: QSettings keeps what it read of a path.
    static int run = 0;
    const QString path = QStringLiteral("method%1.ini").arg(++run);
    WriteScratchFile(path, FuzzBytes(data, size));
    TestMethod method;
    try {
        method = LoadTestMethod(path);
    } catch (const MethodError&) {
        QFile::remove(path);
        return 0; // refused with its line and key
    }
    QFile::remove(path);
    CheckTaken(method);

    const QString copy = QStringLiteral("copy%1.ini").arg(run);
    SaveTestMethod(method, copy);
    FuzzCheck(LoadTestMethod(copy) == method, "a method written reads back the same");
    QFile::remove(copy);

    for (const bool english : {true, false}) {
        for (const std::optional<double>& result : ComputeResults(Test, method, english))
            FuzzCheck(!result || std::isfinite(*result), "a result is a finite number");
    }
    return 0;
}
