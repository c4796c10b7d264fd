#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include <utility>

// Creates one of a form's components as the form lays it out: named, at its place and size. Any
// further arguments go to the component's constructor after the form.
template <class Component, class... Arguments>
Component* Place(QWidget* form, const char* name, int left, int top, int width, int height,
                 Arguments&&... arguments)
{
    auto* component = new Component(form, std::forward<Arguments>(arguments)...);
    component->setObjectName(QLatin1String(name));
    component->setGeometry(left, top, width, height);
    return component;
}

// Gives a component, and the children that take their type from it, type of that size.
inline void SetPointSize(QWidget* component, int points)
{
    QFont font = component->font();
    font.setPointSize(points);
    component->setFont(font);
}

// Gives a component's colour role one colour in every state, disabled included.
inline void SetColour(QWidget* component, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = component->palette();
    palette.setColor(role, colour);
    component->setPalette(palette);
}
