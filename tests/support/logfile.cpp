#include "logfile.h"

#include <QFile>
#include <QRegularExpression>

QString LogStampPattern()
{
    return QStringLiteral("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9] "
                          "[0-9]{4}");
}

QByteArray LogWithoutStamps(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression stamp(QLatin1Char('^') + LogStampPattern(),
                                          QRegularExpression::MultilineOption);
    return QString::fromLatin1(file.readAll()).replace(stamp, QStringLiteral("<stamp>")).toLatin1();
}
