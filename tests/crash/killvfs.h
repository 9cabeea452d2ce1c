#pragma once
// A file layer under SQLite that ends the process with SIGKILL right after the nth write,
// sync, truncation or file deletion from the moment it is armed: a workstation that dies
// while the engine writes its journal, its super-journal or the database files of a commit.
// Installed as the default layer by the crash test's child program only.
namespace killvfs {

// Makes the layer SQLite's default; call before any connection opens.
void install();
// Counts from now; 0 disarms. The nth operation runs, then the process dies.
void arm(int nth);
// How many operations ran since the last arm().
int operations();

} // namespace killvfs
