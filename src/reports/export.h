#pragma once
// The command-line export of a report, for zep-admin:
//
//   zep-admin report TEMPLATE [VALUE...] [--sub NAME [VALUE...]]... [--hospital NAME]
//                    [--out FILE.pdf] [--csv FILE.csv] [--text FILE.txt]
//
// VALUEs go to the template's parameter fields in order, as texts (dates "mm/dd/yyyy");
// "--sub NAME" sends the values after it to that sub-report; "--" makes every later
// argument a value. At least one of --out, --csv, --text is needed.
#include <QStringList>

class QTextStream;

namespace db {
class Connection;
}

namespace reports {

// `args` are the words after "report" (a leading "report" is skipped too); bare template
// names are looked for in the REPORTS folder beside the program. Renders on
// `conn`; messages go to `err`. Returns 0 when every file asked for was written, 1 when
// the report failed, 2 for a usage error. Needs a QGuiApplication (fonts); headless
// machines use QT_QPA_PLATFORM=offscreen.
int exportCommand(const QStringList& args, db::Connection& conn, QTextStream& err);

QString exportUsage();

// Where a TEMPLATE argument names a file. A bare name ("Admissions.rpt") is looked for in
// `reportFolder` first, as the workstation opens its templates, then in the current folder;
// a name with a folder in it is taken as it is.
QString resolveTemplate(const QString& name, const QString& reportFolder);

} // namespace reports
