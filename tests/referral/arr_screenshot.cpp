// Not a test: pictures of the referral report as a worker sees it, for looking at.
//   referral_screenshot DATABASE-URL OUT-FOLDER
// Opens the main window at 1366×768, picks in the patient list the case holder whose visit
// has the fullest saved report, opens "Assessment and Referal" and saves both tabs as PNG.
#include "app/globals.h"
#include "app/mdizep.h"
#include "db/connection.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "server/server.h"
#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        QTextStream(stderr) << "usage: referral_screenshot DATABASE-URL OUT-FOLDER\n";
        return 2;
    }
    server::registerProcedures();
    auto conn =
        db::Connection::open(db::ConnectionSettings::fromUrl(QString::fromLocal8Bit(argv[1])));
    const QString out = QString::fromLocal8Bit(argv[2]);
    const db::Recordset pick = conn->Query(QStringLiteral(
        "SELECT x.HospNum, x.IdNum, COUNT(s.ServiceCode) AS n FROM ZEP.tbZEPAssessment x "
        "JOIN PATIENT_DATA.tbPatient2 v ON v.IdNum = x.IdNum "
        "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = x.HospNum AND m.LastVisitIdNum = x.IdNum "
        "LEFT JOIN ZEP.tbZEPAssessmentService s ON s.IdNum = x.IdNum "
        "WHERE x.IsPCSO = 1 GROUP BY x.HospNum, x.IdNum ORDER BY n DESC, x.IdNum LIMIT 1"));
    if (pick.Eof()) {
        QTextStream(stderr) << "no saved report on an admission\n";
        return 1;
    }
    app::g().gConnection = conn.get();
    app::g().userCode = QStringLiteral("E100");
    ui::Messages::startScript();
    app::mdiZEP w;
    w.setGeometry(0, 0, 1366, 768);
    w.show();
    frmListPatient* list = w.showPatientList();
    list->search(pick.Text(QStringLiteral("HospNum")), {}, {}, {}, {});
    QApplication::processEvents();
    w.grab().save(out + QStringLiteral("/arr-list.png"));
    w.item(QStringLiteral("mnuARR"))->trigger();
    auto* arr = w.findChild<frmARR*>();
    if (!arr) {
        QTextStream(stderr) << "the report did not open for " << list->HospNum() << "\n";
        return 1;
    }
    for (int tab = 0; tab < 2; ++tab) {
        arr->SSTab1->setCurrentIndex(tab);
        QApplication::processEvents();
        arr->grab().save(out + QStringLiteral("/arr-tab%1.png").arg(tab));
    }
    QTextStream(stdout) << pick.Text(QStringLiteral("HospNum")) << " "
                        << pick.Text(QStringLiteral("IdNum")) << " "
                        << ui::Messages::shownTexts().join(QStringLiteral(" | ")) << "\n";
    return 0;
}
