// Any bytes read as a recovery file: the lines they hold read back the same once written whole, and
// the first half of them holds no more lines than the whole.
#include "fuzzsupport.h"

#include "recovery/recoveryformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const std::optional<RecoveredTest> read = ReadRecoveryBytes(bytes);
    if (!read)
        return 0;

    const std::optional<RecoveredTest> again =
        ReadRecoveryBytes(RecoveryFileHolding(read->begun, read->lines));
    FuzzCheck(again && again->lines == read->lines && again->inGraphWindow,
              "the lines read, written whole, read back the same");
    const std::optional<RecoveredTest> cut = ReadRecoveryBytes(bytes.first(bytes.size() / 2));
    FuzzCheck(!cut || cut->lines.size() <= read->lines.size(), "a cut holds no more lines");
    return 0;
}
