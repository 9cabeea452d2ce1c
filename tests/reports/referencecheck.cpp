#include "referencecheck.h"

#include "reports/export.h"
#include "reports/template.h"
#include "testdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

namespace reporttest {

namespace {

QString read(const QString& path, bool* ok) {
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList argLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the file's last line end
    QStringList args;
    for (QString l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (!l.startsWith(QLatin1Char('#')))
            args << l;
    }
    return args;
}

QStringList statements(const QString& text) {
    QStringList out;
    QString current;
    for (const QString& l : text.split(QLatin1Char('\n'))) {
        if (l.trimmed().startsWith(QLatin1String("--")) && current.trimmed().isEmpty())
            continue;
        current += l + QLatin1Char('\n');
        if (l.trimmed().endsWith(QLatin1Char(';'))) {
            QString s = current.trimmed();
            s.chop(1);
            out << s;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

QString firstDifference(const QString& expected, const QString& actual) {
    const QStringList e = expected.split(QLatin1Char('\n'));
    const QStringList a = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < std::max(e.size(), a.size()); ++i)
        if (e.value(i) != a.value(i))
            return QStringLiteral("first difference at line %1:\n  expected: %2\n  actual:   %3\n")
                .arg(i + 1)
                .arg(i < e.size() ? e.at(i) : QStringLiteral("(end of text)"),
                     i < a.size() ? a.at(i) : QStringLiteral("(end of text)"));
    return {};
}

} // namespace

int runReferenceCheck(const QString& templatePath, const QString& referenceDir,
                      const QString& outDir, QTextStream& out) {
    if (testdb::isPg() && qEnvironmentVariableIsEmpty("ZEP_TEST_PG")) {
        if (qEnvironmentVariableIsSet("ZEP_TEST_ALLOW_NO_PG")) {
            out << "skipped: ZEP_TEST_PG is not set\n";
            return Skipped;
        }
        out << "ZEP_TEST_PG is not set: the PostgreSQL run needs a server\n";
        return Failed;
    }
    const QFileInfo info(templatePath);
    const QString name = info.completeBaseName();
    const QDir refs(referenceDir);
    QDir().mkpath(outDir);
    const QString actualPath = QDir(outDir).filePath(name + QStringLiteral(".txt"));
    const QString pdfPath = QDir(outDir).filePath(name + QStringLiteral(".pdf"));
    const QString csvPath = QDir(outDir).filePath(name + QStringLiteral(".csv"));
    QFile::remove(actualPath);

    QStringList args{QStringLiteral("report"), info.absoluteFilePath()};
    bool ok = false;
    const QString argText = read(refs.filePath(name + QStringLiteral(".args")), &ok);
    const QStringList given = ok ? argLines(argText) : QStringList();
    args << given;
    if (!given.contains(QStringLiteral("--hospital")))
        args << QStringLiteral("--hospital") << QStringLiteral("ZEP REFERENCE HOSPITAL");
    args << QStringLiteral("--text") << actualPath << QStringLiteral("--out") << pdfPath;

    int code = 0;
    try {
        auto conn = testdb::fresh();
        QString seed = read(refs.filePath(name + QStringLiteral(".seed.sql")), &ok);
        if (ok) {
            // Several templates read the same hospital day: "-- include: FILE" puts that
            // file's statements in the line's place.
            QStringList lines = seed.split(QLatin1Char('\n'));
            for (QString& l : lines)
                if (l.startsWith(QLatin1String("-- include: "))) {
                    bool found = false;
                    const QString file = l.mid(12).trimmed();
                    l = read(refs.filePath(file), &found);
                    if (!found)
                        db::raise(QStringLiteral("missing seed include ") + file);
                }
            seed = lines.join(QLatin1Char('\n'));
            db::Transaction t(*conn);
            for (const QString& s : statements(seed))
                conn->Execute(s);
            t.commit();
        }
        // The CSV rows too, where the template has detail rows.
        try {
            if (reports::loadTemplate(info.absolutePath(), info.fileName())->main())
                args << QStringLiteral("--csv") << csvPath;
        } catch (const reports::ReportError&) {
            // the export below reports it
        }
        QString errors;
        QTextStream err(&errors);
        code = reports::exportCommand(args, *conn, err);
        err.flush();
        if (code != 0) {
            out << "the export failed (" << code << "): " << errors;
            return Failed;
        }
    } catch (const db::Error& e) {
        out << "database error while seeding: " << e.Description() << "\n";
        return Failed;
    }

    const QString actual = read(actualPath, &ok);
    const QString referencePath = refs.filePath(name + QStringLiteral(".txt"));
    QString expected = read(referencePath, &ok);
    if (!ok) {
        out << "no reference file " << QDir::toNativeSeparators(referencePath)
            << "\nThe text this run produced is in " << QDir::toNativeSeparators(actualPath)
            << "; review it and copy it there.\n";
        return MissingReference;
    }
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (expected != actual) {
        out << "the text differs from " << QDir::toNativeSeparators(referencePath) << "\n"
            << firstDifference(expected, actual) << "The text this run produced is in "
            << QDir::toNativeSeparators(actualPath) << "\n";
        return Failed;
    }

    // The PDF must carry real text (fonts present), not only shapes.
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0 ||
        !QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("Page 1 of"))) {
        out << "the PDF " << QDir::toNativeSeparators(pdfPath)
            << " has no readable text (is pdftotext installed?)\n";
        return Failed;
    }
    return Passed;
}

} // namespace reporttest
