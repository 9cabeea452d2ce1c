// Cutting schema scripts into statements, and the scripts this build carries.
#include "server/schemascript.h"
#include "server/server.h"

#include <QRegularExpression>
#include <QTest>

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

    static const QRegularExpression shape(
        QStringLiteral(R"(^CREATE\s+(TABLE|VIEW|(UNIQUE\s+)?INDEX\s+\w+\s+ON)\s+)"
                       R"((ZEP|PATIENT_DATA|BILLING|BUILD_FILE|RADIOLOGY)\.\w+\s)"));
    QSet<QString> indexNames;
    static const QRegularExpression indexName(QStringLiteral(R"(INDEX\s+(\w+)\s+ON\s+(\w+)\.)"));
    for (const auto& script : scripts) {
        const QStringList statements = server::splitSchemaScript(script.text);
        QVERIFY2(!statements.isEmpty(), qPrintable(script.fileName));
        for (const QString& st : statements) {
            QVERIFY2(shape.match(st).hasMatch(),
                     qPrintable(script.fileName + QStringLiteral(": ") + st));
            QVERIFY2(!st.contains(QLatin1Char('?')), qPrintable(st));
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
