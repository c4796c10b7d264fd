#pragma once

#include <QString>

class QWidget;

// The system message box: the text and caption exactly as given, one OK button, no icon.
// Returns when the operator has closed it.
void SystemMessageBox(QWidget* owner, const QString& text, const QString& caption);
