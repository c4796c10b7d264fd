#pragma once

#include <QTest>
#include <QWidget>

// Shows a window, puts another in front of it and brings it back, as an operator switching
// between windows does; false when a window never became active.
inline bool ComeBackToTheFront(QWidget& window, QWidget* focusBefore)
{
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    focusBefore->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
