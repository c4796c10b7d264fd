#pragma once

#include <exception>

class QWidget;

// The one place that shows the operator what a handler raised (an int code, a ConversionError,
// a FileError, any other exception) and lets the program go on. While one report is open, further
// failures are logged but not stacked as new boxes.
namespace ErrorReport {

void Show(QWidget* owner, std::exception_ptr error);

// Runs a handler; whatever it raises is reported and swallowed.
template <class Handler> void Guard(QWidget* owner, Handler&& handler)
{
    try {
        handler();
    } catch (...) {
        Show(owner, std::current_exception());
    }
}

} // namespace ErrorReport
