#include "platform/numbertext.h"

#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Picture
{
    int requiredDecimals = 0;
    int optionalDecimals = 0;
    int requiredIntegerDigits = 0;
    bool thousands = false;
};

Picture ParsePicture(const QString& picture)
{
    Picture parsed;
    bool inDecimals = false;
    for (const QChar c : picture) {
        if (c == u'.')
            inDecimals = true;
        else if (c == u',')
            parsed.thousands = true;
        else if (c == u'0')
            ++(inDecimals ? parsed.requiredDecimals : parsed.requiredIntegerDigits);
        else if (c == u'#' && inDecimals)
            ++parsed.optionalDecimals;
    }
    return parsed;
}

// The decimal digits of |value| to 15 significant digits, split at the decimal point.
void SignificantDigits(double value, QString& integerPart, QString& fractionPart)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const QString text = QString::fromLatin1(buffer);
    const int e = text.indexOf(u'e');
    const QString digits = text.left(1) + text.mid(2, e - 2); // 15 digits, point removed
    const int exponent = text.mid(e + 1).toInt();
    const int pointAt = exponent + 1; // digits before the decimal point
    if (pointAt <= 0) {
        integerPart = QStringLiteral("0");
        fractionPart = QString(-pointAt, u'0') + digits;
    } else if (pointAt >= digits.size()) {
        integerPart = digits + QString(pointAt - digits.size(), u'0');
        fractionPart.clear();
    } else {
        integerPart = digits.left(pointAt);
        fractionPart = digits.mid(pointAt);
    }
}

// Adds one to the last digit of a digit string, carrying leftwards; returns true on overflow.
bool IncrementDigits(QString& digits)
{
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
        digits[i] = u'0';
    }
    return true;
}

QString GroupThousands(const QString& digits)
{
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u',';
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

QString FormatFloat(const QString& picture, double value)
{
    const Picture p = ParsePicture(picture);
    const int decimals = p.requiredDecimals + p.optionalDecimals;

    QString integerPart, fractionPart;
    SignificantDigits(value, integerPart, fractionPart);

    // Round half away from zero at the picture's last decimal.
    fractionPart = fractionPart.leftJustified(decimals + 1, u'0');
    const bool roundUp = fractionPart[decimals] >= u'5';
    fractionPart.truncate(decimals);
    if (roundUp) {
        QString all = integerPart + fractionPart;
        if (IncrementDigits(all))
            all.prepend(u'1');
        integerPart = all.left(all.size() - decimals);
        fractionPart = all.right(decimals);
    }

    while (fractionPart.size() > p.requiredDecimals && fractionPart.endsWith(u'0'))
        fractionPart.chop(1);
    while (integerPart.size() > 1 && integerPart.startsWith(u'0'))
        integerPart.remove(0, 1);
    if (p.requiredIntegerDigits == 0 && integerPart == QLatin1String("0"))
        integerPart.clear();
    integerPart = integerPart.rightJustified(p.requiredIntegerDigits, u'0');

    QString text = p.thousands ? GroupThousands(integerPart) : integerPart;
    if (!fractionPart.isEmpty())
        text += u'.' + fractionPart;
    const bool isZero =
        !std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() && c != u'0'; });
    if (value < 0 && !isZero)
        text.prepend(u'-');
    return text;
}

QString FloatToStr(double value)
{
    return QString::number(value, 'g', 15);
}

QString SignificantText(double value, int digits)
{
    // The exponent form rounds to the digits; its exponent says how many of them are decimals.
    const QString rounded = QString::number(value, 'e', digits - 1);
    const int exponent = rounded.mid(rounded.indexOf(u'e') + 1).toInt();
    QString text = QString::number(rounded.toDouble(), 'f', std::max(0, digits - 1 - exponent));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

int StrToInt(const QString& text)
{
    bool allDigits = !text.isEmpty() && text.size() <= 9;
    for (const QChar c : text)
        allDigits = allDigits && c >= u'0' && c <= u'9';
    if (!allDigits)
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return text.toInt();
}
