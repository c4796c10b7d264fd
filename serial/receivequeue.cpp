#include "serial/receivequeue.h"

namespace {

// Taken bytes are dropped from the front once they are this many and the larger part of the
// buffer, so dropping them costs little per byte.
constexpr qsizetype DropAtLeast = 4096;

} // namespace

void ReceiveQueue::Append(const QByteArray& bytes)
{
    bytes_.append(bytes);
}

bool ReceiveQueue::Take(char& byte)
{
    if (Size() == 0)
        return false;
    byte = bytes_[taken_++];
    if (taken_ == bytes_.size()) {
        bytes_ = QByteArray(); // the room of a burst is given back
        taken_ = 0;
    } else if (taken_ >= DropAtLeast && taken_ > bytes_.size() / 2) {
        bytes_.remove(0, taken_);
        taken_ = 0;
    }
    return true;
}
