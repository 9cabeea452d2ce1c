#include "values.h"

#include "db/dates.h"
#include "db/numbers.h"
#include "db/recordset.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

namespace reports {

namespace {

bool isNumberType(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isEmpty(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return true;
    return v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty();
}

QString quoted(const QVariant& v) {
    return QLatin1Char('"') + v.toString() + QLatin1Char('"');
}

QVariant numberValue(double d) {
    if (std::floor(d) == d && std::fabs(d) < 9e15)
        return QVariant(qlonglong(d));
    return QVariant(d);
}

// Date-and-time texts: the date forms of db::parseDate, optionally followed by a time of
// day "hh:mm", "hh:mm:ss", with or without AM/PM.
QDateTime parseDateTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral(R"(^(\S+)(?:[ T]+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?$)"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    const QDate d = db::parseDate(m.captured(1));
    if (!d.isValid())
        return {};
    if (m.captured(2).isEmpty())
        return d.startOfDay();
    int h = m.captured(2).toInt();
    const QString ap = m.captured(5).toUpper();
    if (!ap.isEmpty()) {
        if (h < 1 || h > 12)
            return {};
        h = (h % 12) + (ap == QLatin1String("PM") ? 12 : 0);
    }
    const QTime t(h, m.captured(3).toInt(), m.captured(4).toInt());
    if (!t.isValid())
        return {};
    return QDateTime(d, t);
}

// Column values come as QDate/QDateTime or as the ISO texts the databases store.
QDateTime columnDateTime(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    return parseDateTime(v.toString());
}

bool columnNumber(const QVariant& v, double* d) {
    if (isNumberType(v)) {
        *d = v.toDouble();
        return true;
    }
    bool ok = false;
    *d = v.toString().trimmed().toDouble(&ok);
    return ok;
}

} // namespace

bool parseFieldType(const QString& name, FieldType* t) {
    static const QHash<QString, FieldType> types{{QStringLiteral("text"), FieldType::Text},
                                                 {QStringLiteral("number"), FieldType::Number},
                                                 {QStringLiteral("date"), FieldType::Date},
                                                 {QStringLiteral("datetime"), FieldType::DateTime},
                                                 {QStringLiteral("boolean"), FieldType::Boolean}};
    const auto it = types.find(name.trimmed().toLower());
    if (it == types.end())
        return false;
    *t = *it;
    return true;
}

QString fieldTypeName(FieldType t) {
    switch (t) {
    case FieldType::Text:
        return QStringLiteral("text");
    case FieldType::Number:
        return QStringLiteral("number");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::DateTime:
        return QStringLiteral("datetime");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    }
    return {};
}

bool parseColumnFormat(const QString& name, ColumnFormat* f) {
    static const QHash<QString, ColumnFormat> formats{
        {QStringLiteral("text"), ColumnFormat::Text},
        {QStringLiteral("number"), ColumnFormat::Number},
        {QStringLiteral("integer"), ColumnFormat::Integer},
        {QStringLiteral("money"), ColumnFormat::Money},
        {QStringLiteral("date"), ColumnFormat::Date},
        {QStringLiteral("datetime"), ColumnFormat::DateTime},
        {QStringLiteral("time"), ColumnFormat::Time},
        {QStringLiteral("percent"), ColumnFormat::Percent},
        {QStringLiteral("yesno"), ColumnFormat::YesNo}};
    const auto it = formats.find(name.trimmed().toLower());
    if (it == formats.end())
        return false;
    *f = *it;
    return true;
}

bool convertValue(FieldType t, const QVariant& in, QVariant* out, QString* why) {
    *out = QVariant();
    if (t == FieldType::Text) {
        if (!in.isValid() || in.isNull())
            *out = QString();
        else if (in.typeId() == QMetaType::QDate)
            *out = in.toDate().toString(QStringLiteral("MM/dd/yyyy"));
        else if (in.typeId() == QMetaType::Bool)
            *out = in.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else
            *out = db::valueText(in);
        return true;
    }
    if (isEmpty(in))
        return true;
    switch (t) {
    case FieldType::Number: {
        double d = 0;
        if (in.typeId() == QMetaType::Bool) {
            d = in.toBool() ? 1 : 0;
        } else if (!columnNumber(in, &d) || !std::isfinite(d)) {
            *why = quoted(in) + QStringLiteral(" is not a number");
            return false;
        }
        *out = numberValue(d);
        return true;
    }
    case FieldType::Date: {
        QDate d;
        if (in.typeId() == QMetaType::QDate)
            d = in.toDate();
        else if (in.typeId() == QMetaType::QDateTime)
            d = in.toDateTime().date();
        else if (in.typeId() == QMetaType::QString)
            d = db::parseDate(in.toString());
        if (!d.isValid()) {
            *why =
                (in.typeId() == QMetaType::QDate ? QStringLiteral("an invalid date") : quoted(in)) +
                QStringLiteral(" is not a date (mm/dd/yyyy)");
            return false;
        }
        *out = d;
        return true;
    }
    case FieldType::DateTime: {
        QDateTime d;
        if (in.typeId() == QMetaType::QDateTime)
            d = in.toDateTime();
        else if (in.typeId() == QMetaType::QDate)
            d = in.toDate().startOfDay();
        else if (in.typeId() == QMetaType::QString)
            d = parseDateTime(in.toString());
        if (!d.isValid()) {
            *why = quoted(in) + QStringLiteral(" is not a date and time (mm/dd/yyyy hh:mm)");
            return false;
        }
        *out = d;
        return true;
    }
    case FieldType::Boolean: {
        if (in.typeId() == QMetaType::Bool) {
            *out = in.toBool();
            return true;
        }
        if (isNumberType(in)) {
            *out = in.toDouble() != 0;
            return true;
        }
        const QString s = in.toString().trimmed().toLower();
        static const QStringList yes{QStringLiteral("true"), QStringLiteral("yes"),
                                     QStringLiteral("y"), QStringLiteral("1")};
        static const QStringList no{QStringLiteral("false"), QStringLiteral("no"),
                                    QStringLiteral("n"), QStringLiteral("0")};
        if (yes.contains(s))
            *out = true;
        else if (no.contains(s))
            *out = false;
        else {
            *why = quoted(in) + QStringLiteral(" is not true or false");
            return false;
        }
        return true;
    }
    case FieldType::Text:
        break;
    }
    return true;
}

QString displayText(FieldType t, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (t) {
    case FieldType::Text:
        return v.toString();
    case FieldType::Number:
        return db::numberToText(v.toDouble());
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("MM/dd/yyyy"));
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("MM/dd/yyyy hh:mm AP"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    return {};
}

QVariant bindValue(FieldType t, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return t == FieldType::Text ? QVariant(QString()) : QVariant();
    switch (t) {
    case FieldType::Date:
        return v.toDate().toString(Qt::ISODate);
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return v;
    }
}

namespace {
QDate& fixedToday() {
    static QDate d;
    return d;
}
} // namespace

QDate today() {
    const QDate fixed = fixedToday();
    return fixed.isValid() ? fixed : QDate::currentDate();
}

void setToday(const QDate& fixed) { fixedToday() = fixed; }

QString moneyText(double v) {
    const bool negative = v < 0 && std::round(std::fabs(v) * 100) != 0;
    QString digits = QString::number(std::fabs(v), 'f', 2);
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    for (qsizetype i = dot - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString formatColumn(ColumnFormat f, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    double d = 0;
    switch (f) {
    case ColumnFormat::Text:
        return db::valueText(v);
    case ColumnFormat::Number:
        return columnNumber(v, &d) ? db::numberToText(d) : db::valueText(v);
    case ColumnFormat::Integer:
        return columnNumber(v, &d) ? QString::number(qlonglong(std::llround(d))) : db::valueText(v);
    case ColumnFormat::Money:
        return columnNumber(v, &d) ? moneyText(d) : db::valueText(v);
    case ColumnFormat::Percent:
        return columnNumber(v, &d) ? db::numberToText(std::round(d * 1e8) / 1e6) + QLatin1Char('%')
                                   : db::valueText(v);
    case ColumnFormat::YesNo: {
        if (v.typeId() == QMetaType::Bool)
            return v.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
        const QString s = db::valueText(v).trimmed().toUpper();
        if (s.isEmpty())
            return {};
        static const QStringList yes{QStringLiteral("1"), QStringLiteral("Y"),
                                     QStringLiteral("YES"), QStringLiteral("TRUE"),
                                     QStringLiteral("T")};
        return yes.contains(s) ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    case ColumnFormat::Date:
    case ColumnFormat::DateTime:
    case ColumnFormat::Time: {
        const QDateTime dt = columnDateTime(v);
        if (!dt.isValid())
            return db::valueText(v);
        if (f == ColumnFormat::Date)
            return dt.toString(QStringLiteral("MM/dd/yyyy"));
        if (f == ColumnFormat::Time)
            return dt.toString(QStringLiteral("hh:mm AP"));
        return dt.toString(QStringLiteral("MM/dd/yyyy hh:mm AP"));
    }
    }
    return db::valueText(v);
}

QString csvColumn(ColumnFormat f, const QVariant& v) {
    double d = 0;
    if (f == ColumnFormat::Money && v.isValid() && !v.isNull() && columnNumber(v, &d))
        return QString::number(d, 'f', 2);
    return formatColumn(f, v);
}

} // namespace reports
