#pragma once

#include <QLabel>

// A one-line label that draws its text in a smaller type when the text would not fit its width
// at the label's own size, so the operator always reads the whole of it.
class TFittedLabel : public QLabel
{
public:
    using QLabel::QLabel;

    // The font the present text is drawn in.
    QFont FittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
