#pragma once

#include <QByteArray>

// The bytes a port has received that the program has not taken yet, in the order they came, kept
// in one buffer that gives its room back as they are taken. It holds at most Capacity bytes: hours
// of the machine's line at its fastest, far more than a burst the polling works off at one line a
// tick.
class ReceiveQueue
{
public:
    static constexpr qsizetype Capacity = 16 * 1024 * 1024;

    qsizetype Size() const { return bytes_.size() - taken_; }
    qsizetype Room() const { return Capacity - Size(); }

    // Adds bytes that arrived, no more than Room().
    void Append(const QByteArray& bytes);
    // The oldest byte; false when there is none.
    bool Take(char& byte);

private:
    QByteArray bytes_;
    qsizetype taken_ = 0; // bytes at the front of bytes_ already taken
};
