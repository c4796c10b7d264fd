#pragma once

class QCoreApplication;

// Makes SIGINT and SIGTERM end the event loop of app in an orderly way, so that what is cleaned
// up after the loop (the port link) is cleaned up. The handler itself only writes one byte to a
// socket; the quit happens in the event loop. False when the socket could not be made.
bool QuitOnTerminationSignals(QCoreApplication& app);
