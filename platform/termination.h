#pragma once

// The application's terminate request. The event loop ends as soon as it runs (at once when it
// is already running); code that runs before the loop asks Requested() to skip its work.
namespace Termination {

void Request();
bool Requested();
// A start-up that begins again in the same process (the tests) begins without a request.
void Withdraw();

} // namespace Termination
