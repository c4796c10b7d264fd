#pragma once

#include <QString>

// A hint "short|long": the short part becomes the component's tool tip, the long part its status
// tip, which the main window's status bar shows. A hint without a bar is both.
template <class Component> void SetHint(Component* component, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    component->setToolTip(bar < 0 ? hint : hint.left(bar));
    component->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}
