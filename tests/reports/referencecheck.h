#pragma once
// The reference check of one report template: render it with fixed data through the
// command-line export and compare its text with the reviewed reference.
//
// For TEMPLATE NAME.rpt the reference folder holds
//   NAME.txt       the expected text (required: a missing reference fails the check)
//   NAME.args      optional: the export's arguments after the template, one per line (an
//                  empty line is an empty value, lines starting with '#' are comments)
//   NAME.seed.sql  optional: statements run on a fresh database first, each ending with
//                  ';' at the end of a line
// The database is a new one with the whole schema, on the backend ZEP_TEST_BACKEND names.
#include <QString>

class QTextStream;

namespace reporttest {

enum CheckResult { Passed = 0, Failed = 1, MissingReference = 3, Skipped = 77 };

// Writes NAME.txt, NAME.pdf and NAME.csv of this run into `outDir` and explains any
// failure on `out`.
int runReferenceCheck(const QString& templatePath, const QString& referenceDir,
                      const QString& outDir, QTextStream& out);

} // namespace reporttest
