#pragma once

#include <QByteArray>
#include <QList>

// The lines of a reply script, one reply per line, without line ends (LF or CR LF). A last line
// without a line end counts; the empty piece after a final line end does not.
QList<QByteArray> ParseReplyScript(const QByteArray& content);
