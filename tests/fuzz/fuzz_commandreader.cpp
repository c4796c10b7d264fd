// The simulated machine's command reader on any bytes from the program, split at any points.
#include "fuzzsupport.h"

#include "sim/commandreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses where the rest is split.
    const int pieceLength = 1 + data[0] % 7;
    const QByteArray bytes = FuzzBytes(data + 1, size - 1);

    const QList<MachineCommand> whole = CommandReader().Read(bytes);
    CommandReader reader;
    QList<MachineCommand> pieces;
    for (qsizetype start = 0; start < bytes.size(); start += pieceLength)
        pieces += reader.Read(bytes.mid(start, pieceLength));

    FuzzCheck(pieces == whole, "a split makes no difference");
    FuzzCheck(whole.size() <= bytes.size(), "no more commands than bytes");
    for (const MachineCommand& command : whole) {
        if (command.kind == MachineCommand::SetIncrementalForce)
            FuzzCheck(command.force >= 1 && command.force <= 9999,
                      "a force has one to four digits");
    }
    return 0;
}
