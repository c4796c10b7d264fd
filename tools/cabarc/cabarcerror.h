#pragma once

#include <functional>
#include <stdexcept>
#include <string>

// A failure that ends the run: the text says what could not be done and why, for stderr.
class CabarcError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The command line itself is wrong; the usage text follows the message.
class UsageError : public CabarcError
{
public:
    using CabarcError::CabarcError;
};

// Takes one warning: something left out that does not end the run.
using Warn = std::function<void(const std::string& text)>;
