#pragma once

#include <QString>

// Number texts as the operator and the files see them. The decimal separator is always ".".

// Formats value by a picture such as "0", "0.000", "#,##0" or "#,##0.00#": "0" is a required
// digit, "#" an optional one, "," asks for thousands separators, "." marks the decimals.
// The value is first taken to 15 significant digits, so binary noise such as 0.063499999...
// reads as 0.0635, then rounded half away from zero to the picture's decimals.
QString FormatFloat(const QString& picture, double value);

// Shortest decimal text in general format with up to 15 significant digits ("559.7330216").
QString FloatToStr(double value);

// The value rounded to the given number of significant digits, written without an exponent and
// without trailing zeros: 450.5, 0.000123457, 1234570, 0.
QString SignificantText(double value, int digits);

// A whole decimal number made only of digits; anything else throws a ConversionError
// "'12a4' is not a valid integer value".
int StrToInt(const QString& text);
