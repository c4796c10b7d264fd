#pragma once

#include <QString>

class QCategoryAxis;

// Gives an axis the fixed range 0 to maximum, with a label at every multiple of a step and a
// grid line at each label. The step (LabelStep) leaves at most maximumIntervals steps and is never
// below minimumIncrement, so the labels never crowd each other. Each label is the value formatted
// by picture ("#,##0.00#").
void SetFixedAxisRange(QCategoryAxis* axis, double maximum, double minimumIncrement,
                       int maximumIntervals, const QString& picture);
