#pragma once

// The distance between the labels of a chart axis: the smallest of 1, 2 or 5 times a power of
// ten that divides span into at most maximumIntervals steps, and never less than smallestStep.
double LabelStep(double span, int maximumIntervals, double smallestStep);
