// The table model over a recordset: the cells' texts, the rows shown under a limit, and
// sorting by a column's texts, one sort after another.
#include "ui/recordsetmodel.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Three columns as a query gives them: a number, a name and a date, one name NULL.
db::Recordset people() {
    return db::Recordset(
        {u"IdNum"_s, u"LastName"_s, u"AdmDate"_s},
        {{qlonglong(3), u"SANTOS"_s, QDate(2026, 3, 1)},
         {qlonglong(1), u"REYES"_s, QDate(2026, 1, 9)},
         {qlonglong(2), QVariant(), QDate(2026, 1, 9)},
         {2.5, u"CRUZ"_s, QVariant()},
         {qlonglong(5), u"REYES"_s, QDate(2025, 12, 31)}});
}

// Every shown row as the view reads it, its cells joined by "|".
QStringList shown(const ui::RecordsetModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.data(m.index(r, c), Qt::DisplayRole).toString();
        out << cells.join(u'|');
    }
    return out;
}

// The same rows as the screens read them, by text() and row().
QStringList texts(const ui::RecordsetModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.text(r, c);
        out << cells.join(u'|') + (m.row(r) == cells ? QString() : u" (row() differs)"_s);
    }
    return out;
}

} // namespace

class TstRecordsetModel : public QObject {
    Q_OBJECT
private slots:
    void loads_data();
    void loads();
    void sorts_data();
    void sorts();
    void aNewLoadForgetsTheSort();
};

void TstRecordsetModel::loads_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("every row, columns in another order")
        << QStringList{u"LastName"_s, u"idnum"_s, u"AdmDate"_s} << -1
        << QStringList{u"SANTOS|3|2026-03-01"_s, u"REYES|1|2026-01-09"_s, u"|2|2026-01-09"_s,
                       u"CRUZ|2.5|"_s, u"REYES|5|2025-12-31"_s};
    QTest::newRow("a limit shows the first rows")
        << QStringList{u"IdNum"_s, u"LastName"_s} << 2 << QStringList{u"3|SANTOS"_s, u"1|REYES"_s};
    QTest::newRow("a limit above the rows shows them all")
        << QStringList{u"IdNum"_s} << 9
        << QStringList{u"3"_s, u"1"_s, u"2"_s, u"2.5"_s, u"5"_s};
    QTest::newRow("a column the result lacks is empty")
        << QStringList{u"IdNum"_s, u"RoomID"_s} << 3 << QStringList{u"3|"_s, u"1|"_s, u"2|"_s};
    QTest::newRow("limit zero shows none") << QStringList{u"IdNum"_s} << 0 << QStringList();
}

void TstRecordsetModel::loads() {
    QFETCH(QStringList, fields);
    QFETCH(int, limit);
    QFETCH(QStringList, rows);
    ui::RecordsetModel m;
    QStringList headers;
    for (const QString& f : fields)
        headers << u" "_s + f;
    m.setColumns(headers, fields);
    m.load(people(), limit);
    QCOMPARE(m.columnCount(), fields.size());
    QCOMPARE(shown(m), rows);
    QCOMPARE(texts(m), rows);
    QCOMPARE(m.data(m.index(0, 0), Qt::ToolTipRole).toString(), rows.value(0).section(u'|', 0, 0));
    QCOMPARE(m.data(m.index(0, 0), Qt::EditRole), QVariant());
}

// Sorting compares texts ("2.5" after "2", "" first) and keeps the order of equal texts as
// the previous sort left it.
void TstRecordsetModel::sorts_data() {
    QTest::addColumn<QList<int>>("columns"); // sorted one after another; negative: descending
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("by name") << QList<int>{1} << QStringList{u"2"_s, u"2.5"_s, u"1"_s, u"5"_s, u"3"_s};
    QTest::newRow("by name, descending") << QList<int>{-1}
                                         << QStringList{u"3"_s, u"1"_s, u"5"_s, u"2.5"_s, u"2"_s};
    QTest::newRow("by date, then by name: equal names keep the date order")
        << QList<int>{2, 1} << QStringList{u"2"_s, u"2.5"_s, u"5"_s, u"1"_s, u"3"_s};
    QTest::newRow("by number as text") << QList<int>{0} << QStringList{u"1"_s, u"2"_s, u"2.5"_s, u"3"_s, u"5"_s};
    QTest::newRow("by date descending, then by name descending")
        << QList<int>{-2, -1} << QStringList{u"3"_s, u"1"_s, u"5"_s, u"2.5"_s, u"2"_s};
}

void TstRecordsetModel::sorts() {
    QFETCH(QList<int>, columns);
    QFETCH(QStringList, ids);
    ui::RecordsetModel m;
    m.setColumns({u"No."_s, u"Name"_s, u"Date"_s}, {u"IdNum"_s, u"LastName"_s, u"AdmDate"_s});
    m.load(people());
    for (int c : columns)
        m.sort(std::abs(c), c < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
    QStringList got;
    for (int r = 0; r < m.rowCount(); ++r)
        got << m.text(r, 0);
    QCOMPARE(got, ids);
}

void TstRecordsetModel::aNewLoadForgetsTheSort() {
    ui::RecordsetModel m;
    m.setColumns({u"No."_s, u"Name"_s}, {u"IdNum"_s, u"LastName"_s});
    m.load(people(), 3);
    m.sort(1, Qt::AscendingOrder);
    QCOMPARE(shown(m), (QStringList{u"2|"_s, u"1|REYES"_s, u"3|SANTOS"_s}));
    QCOMPARE(texts(m), (QStringList{u"2|"_s, u"1|REYES"_s, u"3|SANTOS"_s}));
    m.load(db::Recordset({u"IdNum"_s, u"LastName"_s}, {{u"9"_s, u"ZAMORA"_s}, {u"8"_s, u"ABAD"_s}}));
    QCOMPARE(shown(m), (QStringList{u"9|ZAMORA"_s, u"8|ABAD"_s}));
    m.clear();
    QCOMPARE(m.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TstRecordsetModel)
#include "tst_recordsetmodel.moc"
