#pragma once
// A file layer under SQLite that ends the process with SIGKILL right after the nth write,
// sync, truncation or file deletion of a commit: a workstation that dies while the engine
// writes its journals, its super-journal or the database files. Installed as the default
// layer by the crash test's child program only.
namespace db {
class Connection;
}

namespace killvfs {

// Makes the layer SQLite's default; call before any connection opens.
void install();
// Counts the operations from the moment `conn` sends COMMIT, or of a statement it runs
// outside a transaction; 0 disarms. The nth operation runs, then the process
// dies.
void arm(db::Connection* conn, int nth);
// How many operations the commit has run since the last arm().
int operations();

} // namespace killvfs
