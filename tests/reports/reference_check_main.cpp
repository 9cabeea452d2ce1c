// Runs the reference check of one template (see referencecheck.h) as a CTest test.
//   report_reference_check TEMPLATE REFERENCE_DIR OUT_DIR
#include "referencecheck.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() != 4) {
        out << "usage: report_reference_check TEMPLATE REFERENCE_DIR OUT_DIR\n";
        return 2;
    }
    const int code = reporttest::runReferenceCheck(args.at(1), args.at(2), args.at(3), out);
    if (code == reporttest::Passed)
        out << "matches the reference\n";
    return code;
}
