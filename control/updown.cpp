#include "control/updown.h"

#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent)
{
    UpButton = new QToolButton(this);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    UpButton->setArrowType(Qt::UpArrow);
    DownButton = new QToolButton(this);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    DownButton->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {UpButton, DownButton}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(UpButton);
    layout->addWidget(DownButton);

    connect(UpButton, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::SetRange(int minimum, int maximum, int increment)
{
    minimum_ = minimum;
    maximum_ = maximum;
    increment_ = increment;
    SetPosition(position_);
}

void TUpDown::SetPosition(int position)
{
    position_ = qBound(minimum_, position, maximum_);
}

void TUpDown::Step(int direction)
{
    SetPosition(position_ + direction * increment_);
    emit Click();
}
