// Cutting schema scripts into statements, and the scripts this build carries.
#include "server/schemascript.h"
#include "server/server.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TstSchemaScript : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void builtInScripts();
};

void TstSchemaScript::split_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("two statements")
        << QStringLiteral("CREATE TABLE A.t (x INTEGER);\nCREATE TABLE A.u (y INTEGER);\n")
        << QStringList{QStringLiteral("CREATE TABLE A.t (x INTEGER)"),
                       QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
    QTest::newRow("statement over several lines keeps its lines")
        << QStringLiteral("CREATE TABLE A.t (\n    x INTEGER,\n    y TEXT\n);")
        << QStringList{QStringLiteral("CREATE TABLE A.t (\n    x INTEGER,\n    y TEXT\n)")};
    QTest::newRow("comment lines dropped, also inside a statement")
        << QStringLiteral("-- heading\nCREATE TABLE A.t (\n  -- the key\n  x INTEGER\n);\n  -- end")
        << QStringList{QStringLiteral("CREATE TABLE A.t (\n  x INTEGER\n)")};
    QTest::newRow("semicolon inside a line does not end the statement")
        << QStringLiteral("CREATE TABLE A.t (x VARCHAR(3) DEFAULT ';', y INTEGER);")
        << QStringList{QStringLiteral("CREATE TABLE A.t (x VARCHAR(3) DEFAULT ';', y INTEGER)")};
    QTest::newRow("windows line ends and trailing blanks")
        << QStringLiteral("CREATE TABLE A.t (x INTEGER);  \r\nCREATE INDEX ix ON A.t (x);\r\n")
        << QStringList{QStringLiteral("CREATE TABLE A.t (x INTEGER)"),
                       QStringLiteral("CREATE INDEX ix ON A.t (x)")};
    QTest::newRow("last statement without semicolon is kept")
        << QStringLiteral("CREATE TABLE A.t (x INTEGER);\nCREATE TABLE A.u (y INTEGER)")
        << QStringList{QStringLiteral("CREATE TABLE A.t (x INTEGER)"),
                       QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
    QTest::newRow("blank and empty statements dropped")
        << QStringLiteral("\n\n;\n-- only a comment\n;\n") << QStringList{};
    QTest::newRow("function body kept whole")
        << QStringLiteral("CREATE FUNCTION A.f() RETURNS trigger AS $$\nBEGIN\n  -- why\n"
                          "  UPDATE A.t SET x = 1;\n  RETURN NULL;\nEND $$ LANGUAGE plpgsql;\n"
                          "CREATE TABLE A.u (y INTEGER);")
        << QStringList{QStringLiteral("CREATE FUNCTION A.f() RETURNS trigger AS $$\nBEGIN\n"
                                      "  -- why\n  UPDATE A.t SET x = 1;\n  RETURN NULL;\n"
                                      "END $$ LANGUAGE plpgsql"),
                       QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
    QTest::newRow("one-line dollar quote ends where it starts")
        << QStringLiteral("SELECT $$a;b$$;\nCREATE TABLE A.u (y INTEGER);")
        << QStringList{QStringLiteral("SELECT $$a;b$$"), QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
    QTest::newRow("trigger runs to its END")
        << QStringLiteral("{SQLITE} CREATE TRIGGER A.tr AFTER INSERT ON t BEGIN\n"
                          "  UPDATE u SET x = 1;\n  UPDATE u SET y = 2;\nEND;\n"
                          "CREATE TABLE A.u (y INTEGER);")
        << QStringList{QStringLiteral("{SQLITE} CREATE TRIGGER A.tr AFTER INSERT ON t BEGIN\n"
                                      "  UPDATE u SET x = 1;\n  UPDATE u SET y = 2;\nEND"),
                       QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
    QTest::newRow("trigger without a body ends at its line")
        << QStringLiteral("CREATE TRIGGER tr AFTER INSERT ON A.t\n    FOR EACH ROW EXECUTE "
                          "FUNCTION A.f();\nCREATE TABLE A.u (y INTEGER);")
        << QStringList{QStringLiteral("CREATE TRIGGER tr AFTER INSERT ON A.t\n    FOR EACH ROW "
                                      "EXECUTE FUNCTION A.f()"),
                       QStringLiteral("CREATE TABLE A.u (y INTEGER)")};
}

void TstSchemaScript::split() {
    QFETCH(QString, text);
    QFETCH(QStringList, statements);
    QCOMPARE(server::splitSchemaScript(text), statements);
}

// The shipped scripts: numbered from 1 without gaps, every statement a plain DDL statement
// on a table named with its database, and no '?' that the PostgreSQL placeholder rewriting
// would turn into a parameter.
void TstSchemaScript::builtInScripts() {
    const QList<server::SchemaScript> scripts = server::schemaScripts();
    QVERIFY(!scripts.isEmpty());
    for (int i = 0; i < scripts.size(); ++i)
        QCOMPARE(scripts.at(i).version, i + 1);
    QCOMPARE(server::latestSchemaVersion(), scripts.last().version);

    // What a script may do, always naming the database: create tables, views, indexes,
    // triggers and functions, drop an index or a view it replaces, add a column and fill it.
    static const QRegularExpression shape(QStringLiteral(
        R"(^(\{(SQLITE|POSTGRESQL)\}\s*)?)"
        R"((CREATE\s+(TABLE|VIEW|FUNCTION|TRIGGER|(UNIQUE\s+)?INDEX\s+\w+\s+ON)|DROP\s+(INDEX|VIEW)|)"
        R"(ALTER\s+TABLE|UPDATE)\s+(ZEP|PATIENT_DATA|BILLING|BUILD_FILE|RADIOLOGY)\.\w+(\s|\(|$))"));
    static const QRegularExpression pgTrigger(QStringLiteral(
        R"(^\{POSTGRESQL\}\s*CREATE\s+TRIGGER\s+\w+\s+.*\sON\s+)"
        R"((ZEP|PATIENT_DATA|BILLING|BUILD_FILE|RADIOLOGY)\.\w+\s)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression dropped(QStringLiteral(R"(^DROP\s+INDEX\s+(\w+)\.(\w+))"));
    QSet<QString> indexNames;
    // A view is dropped only where it was made, and made only where no view of its name is,
    // on each engine (a tagged statement is one engine's, an untagged one both's).
    static const QRegularExpression viewStatement(QStringLiteral(
        R"(^(\{(SQLITE|POSTGRESQL)\}\s*)?(CREATE|DROP)\s+VIEW\s+(\w+\.\w+))"));
    QHash<QString, QSet<QString>> views; // engine -> views present
    static const QRegularExpression indexName(QStringLiteral(R"(INDEX\s+(\w+)\s+ON\s+(\w+)\.)"));
    for (const auto& script : scripts) {
        const QStringList statements = server::splitSchemaScript(script.text);
        QVERIFY2(!statements.isEmpty(), qPrintable(script.fileName));
        for (const QString& st : statements) {
            // A server trigger is named without its schema: it lives on its table. The one
            // table ever dropped is the discount computation's scratch table, made anew per
            // session: its rows live only while one computation runs.
            const bool scratch = st == QLatin1String("DROP TABLE BILLING.tbDummyDiscountTable");
            QVERIFY2(shape.match(st).hasMatch() || pgTrigger.match(st).hasMatch() || scratch,
                     qPrintable(script.fileName + QStringLiteral(": ") + st));
            QVERIFY2(!st.contains(QLatin1Char('?')), qPrintable(st));
            if (const auto d = dropped.match(st); d.hasMatch()) {
                const QString key = d.captured(1) + QLatin1Char('.') + d.captured(2).toLower();
                QVERIFY2(indexNames.remove(key), qPrintable(QStringLiteral("drops an unknown index: ") + key));
                continue;
            }
            if (const auto v = viewStatement.match(st); v.hasMatch()) {
                const QStringList engines = v.captured(2).isEmpty()
                                                ? QStringList{u"SQLITE"_s, u"POSTGRESQL"_s}
                                                : QStringList{v.captured(2)};
                const QString view = v.captured(4);
                for (const QString& engine : engines) {
                    if (v.captured(3) == QLatin1String("DROP"))
                        QVERIFY2(views[engine].remove(view),
                                 qPrintable(engine + u" drops an unknown view: "_s + view));
                    else if (views[engine].contains(view))
                        QFAIL(qPrintable(engine + u" makes a view twice: "_s + view));
                    else
                        views[engine].insert(view);
                }
                continue;
            }
            const auto m = indexName.match(st);
            if (m.hasMatch()) {
                const QString key = m.captured(2) + QLatin1Char('.') + m.captured(1).toLower();
                QVERIFY2(!indexNames.contains(key),
                         qPrintable(QStringLiteral("index name used twice: ") + key));
                indexNames.insert(key);
            }
        }
    }
}

QTEST_GUILESS_MAIN(TstSchemaScript)
#include "tst_schemascript.moc"
