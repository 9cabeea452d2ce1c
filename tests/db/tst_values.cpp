// The value rules every screen and procedure shares: number texts, date texts, settings
// URLs, procedure names and the SQL rewriting of the dialects.
#include "db/commandlog.h"
#include "db/dates.h"
#include "db/dialect.h"
#include "db/numbers.h"
#include "db/procedures.h"
#include "db/recordset.h"
#include "db/settings.h"

#include <QTest>

class tst_values : public QObject {
    Q_OBJECT
private slots:
    void numberToText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 1000.0 << QStringLiteral("1000");
        QTest::newRow("fraction") << 0.15 << QStringLiteral("0.15");
        QTest::newRow("no trailing zeros") << 12.50 << QStringLiteral("12.5");
        QTest::newRow("negative") << -3.25 << QStringLiteral("-3.25");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("binary noise rounded") << (0.1 + 0.2) << QStringLiteral("0.3");
        QTest::newRow("fifteen digits") << 123456789.123456 << QStringLiteral("123456789.123456");
        QTest::newRow("money, no separator") << 1234567.89 << QStringLiteral("1234567.89");
        QTest::newRow("small fraction plain") << 0.0001 << QStringLiteral("0.0001");
        QTest::newRow("large integer plain") << 1e12 << QStringLiteral("1000000000000");
        QTest::newRow("huge, exponent") << 1.5e300 << QStringLiteral("1.5e+300");
        // 15 digits of the largest values round past the largest double: a text no reader
        // takes back (found by fuzz_numbers).
        QTest::newRow("largest double") << 1.7976931348623157e308
                                        << QStringLiteral("1.7976931348623157e+308");
        QTest::newRow("largest negative") << -1.7976931348623157e308
                                          << QStringLiteral("-1.7976931348623157e+308");
    }
    void numberToText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(db::numberToText(value), text);
    }

    void parseDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("mm/dd/yyyy") << QStringLiteral("12/09/2026") << QDate(2026, 12, 9);
        QTest::newRow("m/d/yyyy") << QStringLiteral("1/2/2026") << QDate(2026, 1, 2);
        QTest::newRow("iso") << QStringLiteral("2026-02-28") << QDate(2026, 2, 28);
        QTest::newRow("iso with time") << QStringLiteral("2026-02-28 13:45:00") << QDate(2026, 2, 28);
        QTest::newRow("blanks around") << QStringLiteral("  03/04/2025 ") << QDate(2025, 3, 4);
        QTest::newRow("impossible day") << QStringLiteral("02/30/2026") << QDate();
        QTest::newRow("month 13") << QStringLiteral("13/01/2026") << QDate();
        QTest::newRow("two-digit year") << QStringLiteral("12/09/26") << QDate();
        QTest::newRow("words") << QStringLiteral("yesterday") << QDate();
        QTest::newRow("empty") << QString() << QDate();
    }
    void parseDate() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(db::parseDate(text), date);
    }

    // A date column as either engine hands it back.
    void dateValue_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QDate>("date");
        QTest::newRow("date value") << QVariant(QDate(2026, 12, 9)) << QDate(2026, 12, 9);
        QTest::newRow("timestamp value") << QVariant(QDateTime(QDate(2026, 1, 2), QTime(23, 59)))
                                         << QDate(2026, 1, 2);
        QTest::newRow("timestamp text") << QVariant(QStringLiteral("2026-01-02 08:00:00"))
                                        << QDate(2026, 1, 2);
        QTest::newRow("timestamp text with T and fraction")
            << QVariant(QStringLiteral("2026-01-02T08:00:00.250")) << QDate(2026, 1, 2);
        QTest::newRow("screen text") << QVariant(QStringLiteral("01/02/2026")) << QDate(2026, 1, 2);
        QTest::newRow("NULL") << QVariant() << QDate();
        QTest::newRow("not a date") << QVariant(QStringLiteral("N/A")) << QDate();
    }
    void dateValue() {
        QFETCH(QVariant, value);
        QFETCH(QDate, date);
        QCOMPARE(db::dateValue(value), date);
    }

    void argsDateRefusesNonDates() {
        const db::Args a({QStringLiteral("02/30/2026"), QString(), QStringLiteral("12/31/2026")});
        QVERIFY_THROWS_EXCEPTION(db::Error, a.date(0));
        QVERIFY(a.date(1).isNull());
        QCOMPARE(a.date(2).toString(), QStringLiteral("2026-12-31"));
        QVERIFY(a.date(7).isNull()); // a value the caller did not send
    }

    void argsNumber() {
        const db::Args a({QStringLiteral(" 1,250.50 "), QStringLiteral("12a"), 3, QString()});
        QCOMPARE(a.number(0).toDouble(), 1250.5);
        QVERIFY_THROWS_EXCEPTION(db::Error, a.number(1));
        QCOMPARE(a.number(2).toDouble(), 3.0);
        QVERIFY(a.number(3).isNull());
        QCOMPARE(a.numberOr0(3), 0.0);
    }

    void procedureNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("normal");
        QTest::newRow("screen spelling") << QStringLiteral("ZEP..sp_ZEP_LoadInPatient")
                                         << QStringLiteral("zep..sp_zep_loadinpatient");
        QTest::newRow("odd case") << QStringLiteral("BUILD_fILE..sp_Bui_Show_Item_Details")
                                  << QStringLiteral("build_file..sp_bui_show_item_details");
        QTest::newRow("dbo") << QStringLiteral("Patient_Data.dbo.sp_Adm_LoadInPatient")
                             << QStringLiteral("patient_data..sp_adm_loadinpatient");
        QTest::newRow("one dot") << QStringLiteral("Billing.sp_Pars_CheckCompany")
                                 << QStringLiteral("billing..sp_pars_checkcompany");
        QTest::newRow("bare") << QStringLiteral("sp_SearchCategoryandClassification")
                              << QStringLiteral("zep..sp_searchcategoryandclassification");
        QTest::newRow("blanks") << QStringLiteral("  Zep..sp_X ") << QStringLiteral("zep..sp_x");
    }
    void procedureNames() {
        QFETCH(QString, name);
        QFETCH(QString, normal);
        QCOMPARE(db::Procedures::normalize(name, QStringLiteral("ZEP")), normal);
    }

    void settingsUrls_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("backend");
        QTest::addColumn<QString>("where");
        QTest::newRow("sqlite") << QStringLiteral("sqlite:/var/zep/db") << int(db::Backend::SQLite)
                                << QStringLiteral("/var/zep/db");
        QTest::newRow("bare path") << QStringLiteral("/tmp/x") << int(db::Backend::SQLite)
                                   << QStringLiteral("/tmp/x");
        QTest::newRow("pg") << QStringLiteral("postgresql://zep@db1:5433/hospital")
                            << int(db::Backend::PostgreSQL) << QStringLiteral("db1:5433/hospital");
    }
    void settingsUrls() {
        QFETCH(QString, url);
        QFETCH(int, backend);
        QFETCH(QString, where);
        const auto s = db::ConnectionSettings::fromUrl(url);
        QCOMPARE(int(s.backend), backend);
        QVERIFY(s.isValid());
        if (s.backend == db::Backend::SQLite) {
            QCOMPARE(s.folder, where);
        } else {
            QCOMPARE(QStringLiteral("%1:%2/%3").arg(s.host).arg(s.port).arg(s.database), where);
            QCOMPARE(db::ConnectionSettings::fromUrl(s.toUrl()).toUrl(), s.toUrl());
        }
    }

    void urlNeverCarriesPassword() {
        auto s = db::ConnectionSettings::fromUrl(QStringLiteral("postgresql://zep:s3cret@h:1/d"));
        QCOMPARE(s.password, QStringLiteral("s3cret"));
        QVERIFY(!s.toUrl().contains(QStringLiteral("s3cret")));
    }

    void rememberedPasswordFollowsTheWholeUrl() {
        auto s = db::ConnectionSettings::fromUrl(QStringLiteral("postgresql://u@h:5/wards"));
        s.password = QStringLiteral("pw-wards");
        db::rememberPassword(s);
        QCOMPARE(db::ConnectionSettings::fromUrl(s.toUrl()).password, QStringLiteral("pw-wards"));
        QCOMPARE(db::ConnectionSettings::fromUrl(QStringLiteral("postgresql://u@h:5/other")).password,
                 QString());
        QCOMPARE(db::rememberedPassword(s.toUrl()), QStringLiteral("pw-wards"));
    }

    void dialectDdl_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("sqlite");
        QTest::addColumn<QString>("pg");
        QTest::newRow("index") << QStringLiteral("CREATE UNIQUE INDEX ixA ON ZEP.tbA (x, y)")
                               << QStringLiteral("CREATE UNIQUE INDEX ZEP.ixA ON tbA (x, y)")
                               << QStringLiteral("CREATE UNIQUE INDEX ixA ON ZEP.tbA (x, y)");
        QTest::newRow("references")
            << QStringLiteral("Code VARCHAR(5) REFERENCES ZEP.tbB (Code)")
            << QStringLiteral("Code VARCHAR(5) REFERENCES tbB (Code)")
            << QStringLiteral("Code VARCHAR(5) REFERENCES ZEP.tbB (Code)");
        QTest::newRow("identity")
            << QStringLiteral("Id {ID}") << QStringLiteral("Id INTEGER PRIMARY KEY AUTOINCREMENT")
            << QStringLiteral("Id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        QTest::newRow("only for SQLite")
            << QStringLiteral("{SQLITE} CREATE TRIGGER ZEP.trA AFTER INSERT ON tbA BEGIN SELECT 1; END")
            << QStringLiteral("CREATE TRIGGER ZEP.trA AFTER INSERT ON tbA BEGIN SELECT 1; END")
            << QString();
        QTest::newRow("only for PostgreSQL, still adapted")
            << QStringLiteral("{POSTGRESQL}\nCREATE INDEX ixA ON ZEP.tbA (x)") << QString()
            << QStringLiteral("CREATE INDEX ixA ON ZEP.tbA (x)");
        QTest::newRow("a tag later in the text is no tag")
            << QStringLiteral("CREATE TABLE ZEP.tbA (x VARCHAR(20) DEFAULT '{SQLITE}')")
            << QStringLiteral("CREATE TABLE ZEP.tbA (x VARCHAR(20) DEFAULT '{SQLITE}')")
            << QStringLiteral("CREATE TABLE ZEP.tbA (x VARCHAR(20) DEFAULT '{SQLITE}')");
    }
    void dialectDdl() {
        QFETCH(QString, in);
        QFETCH(QString, sqlite);
        QFETCH(QString, pg);
        QCOMPARE(db::Dialect::make(db::Backend::SQLite)->ddl(in), sqlite);
        QCOMPARE(db::Dialect::make(db::Backend::PostgreSQL)->ddl(in), pg);
    }

    void pgPlaceholdersSkipLiterals() {
        const auto d = db::Dialect::make(db::Backend::PostgreSQL);
        QCOMPARE(d->placeholders(QStringLiteral("SELECT '?' , ? WHERE a = ? AND b = 'it''s ?'")),
                 QStringLiteral("SELECT '?' , $1 WHERE a = $2 AND b = 'it''s ?'"));
    }

    void commandLogKeepsItsNewestEntries() {
        db::CommandLog log;
        log.setLimit(100);
        for (int i = 0; i < 1000; ++i)
            log.append({db::LoggedCommand::Statement, QString::number(i), {}, true});
        QVERIFY(log.entries().size() <= 100);
        QVERIFY(log.entries().size() >= 75);
        QCOMPARE(log.entries().last().text, QStringLiteral("999"));
        // in order, without gaps
        const int first = log.entries().first().text.toInt();
        for (int i = 0; i < log.entries().size(); ++i)
            QCOMPARE(log.entries().at(i).text.toInt(), first + i);
    }

    void pgPlaceholdersSkipComments() {
        const auto d = db::Dialect::make(db::Backend::PostgreSQL);
        QCOMPARE(d->placeholders(QStringLiteral("SELECT a -- the patient's own ?\nFROM t WHERE b = ? -- end")),
                 QStringLiteral("SELECT a -- the patient's own ?\nFROM t WHERE b = $1 -- end"));
        QCOMPARE(d->placeholders(QStringLiteral("SELECT 5 - -? , ?")),
                 QStringLiteral("SELECT 5 - -$1 , $2"));
    }

    void recordsetReading() {
        db::Recordset rs({QStringLiteral("HospNum"), QStringLiteral("amount")},
                         {{QStringLiteral(" 0012 "), 12.5}, {QVariant(), QVariant()}});
        QCOMPARE(rs.RecordCount(), 2);
        QVERIFY(!rs.Eof());
        QCOMPARE(rs.Text(QStringLiteral("HOSPNUM")), QStringLiteral(" 0012 "));
        QCOMPARE(rs.Text(QStringLiteral("Amount")), QStringLiteral("12.5"));
        QVERIFY_THROWS_EXCEPTION(db::Error, rs.Text(QStringLiteral("nosuch")));
        QCOMPARE(rs.TextOr(QStringLiteral("nosuch"), QStringLiteral("-")), QStringLiteral("-"));
        rs.MoveNext();
        QCOMPARE(rs.Text(QStringLiteral("hospnum")), QString()); // NULL reads as empty
        QCOMPARE(rs.Number(QStringLiteral("amount")), 0.0);
        rs.MoveNext();
        QVERIFY(rs.Eof());
        QVERIFY_THROWS_EXCEPTION(db::Error, rs.Value(0));
        rs.MovePrevious();
        rs.MovePrevious();
        rs.MovePrevious();
        QVERIFY(rs.Bof());
        rs.Close();
        QCOMPARE(rs.State(), 0);
        QVERIFY(rs.Eof());
        QCOMPARE(rs.RecordCount(), 0);
    }

    void emptyRecordsetIsEofAndBof() {
        db::Recordset rs({QStringLiteral("a")}, {});
        QVERIFY(rs.Eof());
        QVERIFY(rs.Bof());
        QCOMPARE(rs.State(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_values)
#include "tst_values.moc"
