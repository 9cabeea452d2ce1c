#include "killvfs.h"

#include "db/connection.h"

#include <cstring>
#include <sqlite3.h>

namespace killvfs {
namespace {

sqlite3_vfs* real = nullptr;
sqlite3_vfs layer;
db::Connection* watched = nullptr;
bool inCommit = false;
int left = 0;
int seen = 0;

// Each operation that changes what is on disk passes here once it has run. The journal
// pages written while the statements of a transaction run are left to the statement kill
// points; from the COMMIT on every operation is one.
void tick() {
    if (!watched)
        return;
    if (!inCommit) {
        // The connection leaves its transaction as it sends COMMIT; a statement outside any
        // transaction commits by itself.
        inCommit = !watched->inTransaction();
        if (!inCommit)
            return;
    }
    ++seen;
    if (left > 0 && --left == 0)
        db::FaultInjector::killProcess();
}

struct File {
    sqlite3_file base;
    sqlite3_file* inner; // the real layer's file, right behind this struct
};

sqlite3_file* in(sqlite3_file* f) {
    return reinterpret_cast<File*>(f)->inner;
}

int xClose(sqlite3_file* f) {
    return in(f)->pMethods->xClose(in(f));
}
int xRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 off) {
    return in(f)->pMethods->xRead(in(f), buf, n, off);
}
int xWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 off) {
    const int rc = in(f)->pMethods->xWrite(in(f), buf, n, off);
    tick();
    return rc;
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    const int rc = in(f)->pMethods->xTruncate(in(f), size);
    tick();
    return rc;
}
int xSync(sqlite3_file* f, int flags) {
    const int rc = in(f)->pMethods->xSync(in(f), flags);
    tick();
    return rc;
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return in(f)->pMethods->xFileSize(in(f), size);
}
int xLock(sqlite3_file* f, int level) {
    return in(f)->pMethods->xLock(in(f), level);
}
int xUnlock(sqlite3_file* f, int level) {
    return in(f)->pMethods->xUnlock(in(f), level);
}
int xCheckReservedLock(sqlite3_file* f, int* out) {
    return in(f)->pMethods->xCheckReservedLock(in(f), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg) {
    return in(f)->pMethods->xFileControl(in(f), op, arg);
}
int xSectorSize(sqlite3_file* f) {
    return in(f)->pMethods->xSectorSize(in(f));
}
int xDeviceCharacteristics(sqlite3_file* f) {
    return in(f)->pMethods->xDeviceCharacteristics(in(f));
}

// Version 1: the workstation keeps a rollback journal, so neither shared memory nor memory
// mapping is ever asked for.
const sqlite3_io_methods methods = {1,           xClose,     xRead,     xWrite,
                                    xTruncate,   xSync,      xFileSize, xLock,
                                    xUnlock,     xCheckReservedLock, xFileControl,
                                    xSectorSize, xDeviceCharacteristics};

int xOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = reinterpret_cast<File*>(f);
    file->inner = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = real->xOpen(real, name, file->inner, flags, outFlags);
    file->base.pMethods = file->inner->pMethods ? &methods : nullptr;
    return rc;
}

int xDelete(sqlite3_vfs*, const char* name, int syncDir) {
    // Deleting the journal is the moment a commit in this journal mode becomes final.
    const int rc = real->xDelete(real, name, syncDir);
    tick();
    return rc;
}

int xAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return real->xAccess(real, name, flags, out);
}
int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
    return real->xFullPathname(real, name, n, out);
}
void* xDlOpen(sqlite3_vfs*, const char* name) {
    return real->xDlOpen(real, name);
}
void xDlError(sqlite3_vfs*, int n, char* msg) {
    real->xDlError(real, n, msg);
}
void (*xDlSym(sqlite3_vfs*, void* h, const char* sym))(void) {
    return real->xDlSym(real, h, sym);
}
void xDlClose(sqlite3_vfs*, void* h) {
    real->xDlClose(real, h);
}
int xRandomness(sqlite3_vfs*, int n, char* out) {
    return real->xRandomness(real, n, out);
}
int xSleep(sqlite3_vfs*, int us) {
    return real->xSleep(real, us);
}
int xCurrentTime(sqlite3_vfs*, double* out) {
    return real->xCurrentTime(real, out);
}
int xGetLastError(sqlite3_vfs*, int n, char* out) {
    return real->xGetLastError ? real->xGetLastError(real, n, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    return real->xCurrentTimeInt64(real, out);
}

} // namespace

void install() {
    if (real)
        return;
    real = sqlite3_vfs_find(nullptr);
    std::memset(&layer, 0, sizeof layer);
    layer.iVersion = 2;
    layer.szOsFile = int(sizeof(File)) + real->szOsFile;
    layer.mxPathname = real->mxPathname;
    layer.zName = "zep-killvfs";
    layer.xOpen = xOpen;
    layer.xDelete = xDelete;
    layer.xAccess = xAccess;
    layer.xFullPathname = xFullPathname;
    layer.xDlOpen = xDlOpen;
    layer.xDlError = xDlError;
    layer.xDlSym = xDlSym;
    layer.xDlClose = xDlClose;
    layer.xRandomness = xRandomness;
    layer.xSleep = xSleep;
    layer.xCurrentTime = xCurrentTime;
    layer.xGetLastError = xGetLastError;
    layer.xCurrentTimeInt64 = xCurrentTimeInt64;
    sqlite3_vfs_register(&layer, 1);
}

void arm(db::Connection* conn, int nth) {
    watched = conn;
    inCommit = false;
    left = nth;
    seen = 0;
}

int operations() {
    return seen;
}

} // namespace killvfs
