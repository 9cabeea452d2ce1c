#pragma once
// The employees and users the log-in tests work with.
#include "components/login/accounts.h"

#include "db/connection.h"

namespace seed {

inline const QString dept = QStringLiteral("ZEP");

// JDC (supervisor) and MREYES of ZEP, ALIM of BILLING, INACT (user inactive) and OLDEMP
// (employee inactive). Each password is the user name in lower case + "-pw".
inline void users(db::Connection& c) {
    using login::Employee;
    login::addEmployee(c, Employee{QStringLiteral("E001"),
                                   QStringLiteral("Dela Cruz"),
                                   QStringLiteral("Juan"),
                                   QStringLiteral("Santos"),
                                   {},
                                   QStringLiteral("Social Worker II"),
                                   dept,
                                   true});
    login::addEmployee(c, Employee{QStringLiteral("E002"),
                                   QStringLiteral("Reyes"),
                                   QStringLiteral("Maria"),
                                   {},
                                   {},
                                   {},
                                   dept,
                                   true});
    login::addEmployee(c, Employee{QStringLiteral("E003"),
                                   QStringLiteral("Lim"),
                                   QStringLiteral("Ana"),
                                   {},
                                   {},
                                   {},
                                   QStringLiteral("BILLING"),
                                   true});
    login::addEmployee(c, Employee{QStringLiteral("E004"),
                                   QStringLiteral("Gone"),
                                   QStringLiteral("Old"),
                                   {},
                                   {},
                                   {},
                                   dept,
                                   false});
    login::addUser(c, QStringLiteral("jdc"), QStringLiteral("E001"), QStringLiteral("jdc-pw"), dept,
                   QStringLiteral("A"));
    login::addUser(c, QStringLiteral("MReyes"), QStringLiteral("E002"), QStringLiteral("mreyes-pw"),
                   dept);
    login::addUser(c, QStringLiteral("ALIM"), QStringLiteral("E003"), QStringLiteral("alim-pw"),
                   QStringLiteral("BILLING"));
    login::addUser(c, QStringLiteral("INACT"), QStringLiteral("E002"), QStringLiteral("inact-pw"),
                   dept);
    c.Execute(QStringLiteral("UPDATE ZEP.tbZEPUser SET Active = 0 WHERE UserName = ?"),
              {QStringLiteral("INACT")});
    login::addUser(c, QStringLiteral("OLDEMP"), QStringLiteral("E004"), QStringLiteral("oldemp-pw"),
                   dept);
}

} // namespace seed
