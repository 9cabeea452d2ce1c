#pragma once
// Where the workstation's database is, as the log-in dialog keeps it between sessions.
// Kept with QSettings (organisation "ZEP", application "Workstation"): the backend, the
// embedded folder and the PostgreSQL host, port, database and user. The PostgreSQL password is
// never written anywhere: it is typed for the session, or libpq finds it in ~/.pgpass.
#include "db/settings.h"

namespace login {

// The embedded database in the user's application data folder.
db::ConnectionSettings defaultConnectionSettings();
// What was saved last, or the default when nothing was saved.
db::ConnectionSettings savedConnectionSettings();
// Saves everything except the password.
void saveConnectionSettings(const db::ConnectionSettings& s);

// The environment variable ZEP_DATABASE, when set to a readable URL ("sqlite:/path",
// "postgresql://user@host:port/db"), names the database instead of the saved settings (the
// run script and the tests use it).
bool environmentOverride(db::ConnectionSettings* out);
// The environment's database when it names one, else the saved settings.
db::ConnectionSettings initialConnectionSettings();

} // namespace login
