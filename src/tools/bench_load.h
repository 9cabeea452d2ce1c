#pragma once
// zep-bench --load: many workstations on one shared server at once.
#include <QString>

class QTextStream;

namespace tools {

struct LoadOptions {
    int workstations = 4;
    int seconds = 10;
    // A worker's pause between two actions, on average (each pause is drawn between half
    // and one and a half of it); 0 runs every workstation flat out, a stress test.
    int thinkMs = 1000;
};

// Runs `workstations` simulated workstations, each on a connection of its own in a thread
// of its own, against the PostgreSQL database at `url` (created with the schema when it is
// not there) for the given time: patient searches, intake sheet and referral report saves,
// discharge clearances, and rounds in which several workstations give one new case number
// to different patients at once, or clear one notice at once. Every save is read back.
// Prints the checks and the timings; returns 0 when every check holds, 1 otherwise (and 2
// when the run could not start). The bench's own patients are removed at the end.
int benchLoad(const QString& url, const LoadOptions& options, QTextStream& out);

} // namespace tools
