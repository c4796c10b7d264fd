#include "results/methodtexts.h"

#include <QLocale>

#include <cmath>

namespace {

// Every key a method may hold, in the order of the file's layout.
QStringList KnownKeys()
{
    QStringList keys{MethodKey::Name,
                     MethodKey::Units,
                     MethodKey::BreakDrop,
                     MethodKey::ForceAtDisplacement,
                     MethodKey::DisplacementAtForce,
                     MethodKey::StiffnessFrom,
                     MethodKey::StiffnessTo,
                     MethodKey::AverageFrom,
                     MethodKey::AverageTo};
    for (const ResultKind kind : AllResultKinds)
        keys.append(MethodKey::Limit(kind));
    return keys;
}

QString NumberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// A number written with "." as its decimal separator, or nothing for an empty text.
std::optional<double> ReadNumber(const QString& key, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        throw MethodValueError(key, QStringLiteral("\"%1\" is not a number").arg(trimmed));
    return value;
}

class TextReader
{
public:
    explicit TextReader(const MethodTexts& texts) : texts_(texts) {}

    bool Has(const QString& key) const { return texts_.contains(key); }

    // The key's number, which must be there and not negative; nothing when the key is missing.
    std::optional<double> Setting(const QString& key) const
    {
        if (!Has(key))
            return std::nullopt;
        const std::optional<double> value = ReadNumber(key, texts_.value(key));
        if (!value)
            throw MethodValueError(key, QStringLiteral("has no value"));
        if (*value < 0)
            throw MethodValueError(key, QStringLiteral("must not be negative"));
        return value;
    }

    // Both keys of a from-to pair, or neither.
    std::optional<std::pair<double, double>> Range(const QString& fromKey,
                                                   const QString& toKey) const
    {
        const std::optional<double> from = Setting(fromKey);
        const std::optional<double> to = Setting(toKey);
        if (!from && !to)
            return std::nullopt;
        if (!from || !to) {
            throw MethodValueError(from ? toKey : fromKey,
                                   QStringLiteral("is missing: [%1] needs both %2 and %3")
                                       .arg(fromKey.section(u'/', 0, 0), fromKey.section(u'/', 1),
                                            toKey.section(u'/', 1)));
        }
        if (*from > *to) {
            throw MethodValueError(
                fromKey, QStringLiteral("%1 lies above %2 %3")
                             .arg(NumberText(*from), toKey.section(u'/', 1), NumberText(*to)));
        }
        return std::pair{*from, *to};
    }

    std::optional<ResultLimit> Limit(ResultKind kind) const
    {
        const QString key = MethodKey::Limit(kind);
        if (!Has(key))
            return std::nullopt;
        const QStringList sides = texts_.value(key).split(u',');
        if (sides.size() != 2)
            throw MethodValueError(key, QStringLiteral("must be low,high (either side may be "
                                                       "empty), not \"%1\"")
                                            .arg(texts_.value(key)));
        const ResultLimit limit{ReadNumber(key, sides[0]), ReadNumber(key, sides[1])};
        if (!limit.low && !limit.high)
            throw MethodValueError(key, QStringLiteral("has neither a low nor a high side"));
        if (limit.low && limit.high && *limit.low > *limit.high) {
            throw MethodValueError(key, QStringLiteral("has its low side %1 above its high "
                                                       "side %2")
                                            .arg(NumberText(*limit.low), NumberText(*limit.high)));
        }
        return limit;
    }

private:
    const MethodTexts& texts_;
};

} // namespace

QString MethodKey::Limit(ResultKind kind)
{
    return QStringLiteral("Limits/") + ResultKey(kind);
}

MethodValueError::MethodValueError(const QString& key, const QString& reason)
    : MethodError(KeyCaption(key) + u' ' + reason), key_(key)
{
}

QString KeyCaption(const QString& key)
{
    const qsizetype slash = key.indexOf(u'/');
    if (slash < 0)
        return key;
    return QStringLiteral("[%1] %2").arg(key.left(slash), key.mid(slash + 1));
}

QString UnitsText(bool english)
{
    return english ? QStringLiteral("ENGLISH") : QStringLiteral("METRIC");
}

TestMethod MethodFromTexts(const MethodTexts& texts)
{
    const QStringList known = KnownKeys();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (!known.contains(it.key()))
            throw MethodValueError(it.key(), QStringLiteral("is not a key of a method"));
    }

    const TextReader reader(texts);
    TestMethod method;
    method.name = texts.value(MethodKey::Name).trimmed();
    if (reader.Has(MethodKey::Units)) {
        const QString units = texts.value(MethodKey::Units).trimmed().toUpper();
        if (units != UnitsText(true) && units != UnitsText(false))
            throw MethodValueError(MethodKey::Units,
                                   QStringLiteral("must be ENGLISH or METRIC, not \"%1\"")
                                       .arg(texts.value(MethodKey::Units).trimmed()));
        method.unitsEnglish = units == UnitsText(true);
    }
    method.breakDrop = reader.Setting(MethodKey::BreakDrop);
    if (method.breakDrop && *method.breakDrop > 100.0)
        throw MethodValueError(MethodKey::BreakDrop,
                               QStringLiteral("is a per cent of the maximum force and must not "
                                              "lie above 100"));
    method.forceAtDisplacement = reader.Setting(MethodKey::ForceAtDisplacement);
    method.displacementAtForce = reader.Setting(MethodKey::DisplacementAtForce);
    method.stiffnessForces = reader.Range(MethodKey::StiffnessFrom, MethodKey::StiffnessTo);
    method.averageDisplacements = reader.Range(MethodKey::AverageFrom, MethodKey::AverageTo);
    for (const ResultKind kind : AllResultKinds)
        method.limits.at(ResultIndex(kind)) = reader.Limit(kind);
    return method;
}

MethodTexts MethodToTexts(const TestMethod& method)
{
    MethodTexts texts;
    texts.insert(MethodKey::Name, method.name);
    texts.insert(MethodKey::Units, UnitsText(method.unitsEnglish));
    const auto put = [&](const QString& key, const std::optional<double>& value) {
        if (value)
            texts.insert(key, NumberText(*value));
    };
    put(MethodKey::BreakDrop, method.breakDrop);
    put(MethodKey::ForceAtDisplacement, method.forceAtDisplacement);
    put(MethodKey::DisplacementAtForce, method.displacementAtForce);
    if (method.stiffnessForces) {
        put(MethodKey::StiffnessFrom, method.stiffnessForces->first);
        put(MethodKey::StiffnessTo, method.stiffnessForces->second);
    }
    if (method.averageDisplacements) {
        put(MethodKey::AverageFrom, method.averageDisplacements->first);
        put(MethodKey::AverageTo, method.averageDisplacements->second);
    }
    for (const ResultKind kind : AllResultKinds) {
        const std::optional<ResultLimit>& limit = method.limits.at(ResultIndex(kind));
        if (limit) {
            texts.insert(MethodKey::Limit(kind),
                         (limit->low ? NumberText(*limit->low) : QString()) + u',' +
                             (limit->high ? NumberText(*limit->high) : QString()));
        }
    }
    return texts;
}
