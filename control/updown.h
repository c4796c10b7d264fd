#pragma once

#include <QWidget>

class QToolButton;

// A pair of up and down arrow buttons that step a position within limits, without wrapping.
class TUpDown : public QWidget
{
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum, int increment);
    int Position() const { return position_; }
    // Moves the position without announcing a click; clamped to the limits.
    void SetPosition(int position);

    QToolButton* UpButton;
    QToolButton* DownButton;

signals:
    // A button was pressed and the position has already moved (or stayed at its limit).
    void Click();

private:
    void Step(int direction);

    int minimum_ = 0;
    int maximum_ = 100;
    int increment_ = 1;
    int position_ = 0;
};
