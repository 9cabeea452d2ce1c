#pragma once
// A synthetic hospital of any size for the benchmarks: N patients with about three visits
// each across in-patient admissions, out-patient and ER visits, and the department's case
// numbers and classes in proportion.
#include <QtGlobal>

class QTextStream;
namespace db {
class Connection;
}

namespace tools {
// Adds `patients` patients to a migrated database that holds none yet (their numbers
// start after any demo hospital's). Reports progress to `log`.
void createSynthetic(db::Connection& conn, qint64 patients, QTextStream& log);
} // namespace tools
