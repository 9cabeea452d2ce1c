#include "procedures.h"

#include "dates.h"
#include "error.h"

#include <QDate>

namespace db {

QString Args::text(int i) const {
    const QVariant v = value(i);
    if (v.isNull() || !v.isValid())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString().trimmed();
}

QVariant Args::textOrNull(int i) const {
    const QString t = text(i);
    return t.isEmpty() ? QVariant() : QVariant(t);
}

QVariant Args::date(int i) const {
    const QVariant v = value(i);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().isValid() ? QVariant(v.toDate().toString(Qt::ISODate)) : QVariant();
    const QString t = text(i);
    if (t.isEmpty())
        return QVariant();
    const QDate d = parseDate(t);
    if (!d.isValid())
        raise(QStringLiteral("'%1' is not a valid date.").arg(t), 241);
    return d.toString(Qt::ISODate);
}

QVariant Args::number(int i) const {
    const QVariant v = value(i);
    const int type = v.typeId();
    if (type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong ||
        type == QMetaType::UInt || type == QMetaType::ULongLong || type == QMetaType::Float)
        return v.toDouble();
    QString t = text(i);
    if (t.isEmpty())
        return QVariant();
    t.remove(QLatin1Char(','));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok)
        raise(QStringLiteral("'%1' is not a valid number.").arg(text(i)), 8114);
    return d;
}

double Args::numberOr0(int i) const {
    const QVariant n = number(i);
    return n.isNull() ? 0.0 : n.toDouble();
}

Procedures& Procedures::instance() {
    static Procedures p;
    return p;
}

QString Procedures::normalize(const QString& name, const QString& defaultDatabase) {
    QString n = name.trimmed().toLower();
    // DATABASE.dbo.proc and DATABASE..proc are the same procedure; so is DATABASE.proc.
    n.replace(QStringLiteral(".dbo."), QStringLiteral(".."));
    int dots = n.indexOf(QStringLiteral(".."));
    if (dots < 0) {
        const int dot = n.indexOf(QLatin1Char('.'));
        if (dot > 0)
            n = n.left(dot) + QStringLiteral("..") + n.mid(dot + 1);
        else
            n = (defaultDatabase.isEmpty() ? QStringLiteral("zep") : defaultDatabase.toLower()) +
                QStringLiteral("..") + n;
    }
    return n;
}

void Procedures::add(const QString& name, Procedure p) {
    const QString key = normalize(name, QStringLiteral("zep"));
    // Two areas registering one name would have the later one replace the other without a
    // word; such a build must not start at all.
    if (map_.contains(key))
        qFatal("The procedure %s is registered twice.", qPrintable(name));
    map_.insert(key, std::move(p));
}

void Procedures::replace(const QString& name, Procedure p) {
    map_.insert(normalize(name, QStringLiteral("zep")), std::move(p));
}

const Procedure* Procedures::find(const QString& name, const QString& defaultDatabase) const {
    const auto it = map_.constFind(normalize(name, defaultDatabase));
    return it == map_.constEnd() ? nullptr : &it.value();
}

QStringList Procedures::names() const {
    QStringList n = map_.keys();
    n.sort();
    return n;
}

} // namespace db
