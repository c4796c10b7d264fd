#pragma once

class QStatusBar;
class QWidget;

// The two help tools of the main window. Both make the start directory current first and leave
// it current, since a file dialog may have changed it.
namespace HelpTools {

// Packs the start directory's "*.dat" files and the logs under "errors" into the diagnostic
// archive in the diagnostic folder, waiting for the archiver under the wait cursor. Says where the
// archive went in the status bar, where it stays under the passing hints, or in a message box
// that it could not be written, and why in the archiver's own words.
void CompressDiagnosticInfo(QWidget* owner, QStatusBar* statusBar);

// Opens the manual in the viewer that QOR.dat names. When the viewer cannot be started, unpacks
// the viewer's installer from its archive in the start directory and starts it.
void ViewManual(QWidget* owner);

} // namespace HelpTools
