#pragma once

#include <QString>
#include <stdexcept>

// The program's own failures are thrown as plain int codes (see the error codes of the
// configuration reader and the serial layer). These classes carry the other failures that
// reach the operator through the error report: a text that is not a number, a file that
// cannot be read or written.
class ProgramError : public std::runtime_error
{
public:
    explicit ProgramError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

class ConversionError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

class FileError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};
