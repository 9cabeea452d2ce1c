#include "runner.h"

#include "db/connection.h"
#include "reports/dialogs/frmReportDate.h"
#include "reports/dialogs/frmReportDate2.h"
#include "reports/dialogs/frmReportDateCategory.h"
#include "reports/dialogs/frmReportDateRange.h"
#include "reports/template.h"
#include "reports/ui/operations.h"
#include "rules/numeric.h"
#include "ui/messages.h"

#include <QDate>
#include <QPointer>

namespace catalogue {

namespace {

template <typename D>
D& shared(QPointer<D>& slot, QWidget* parent) {
    // One instance per dialog; a new main window (after a log off) gets a new one, as the
    // old one went with its parent.
    if (!slot || (parent && slot->parentWidget() != parent)) {
        delete slot.data();
        slot = new D(parent);
    }
    return *slot;
}

QPointer<frmReportDate> d1;
QPointer<frmReportDate2> d2;
QPointer<frmReportDateRange> dr;
QPointer<frmReportDateCategory> dc;

QVariant asDate(const QString& text) {
    return QDate::fromString(text, ReportDialog::dateFormat());
}

// Opens the item's dialog, modal. False when the user closed it.
bool ask(const Item& item, const Context& ctx, Answers* a) {
    switch (item.dialog) {
    case Dialog::None:
        return true;
    case Dialog::D1: {
        frmReportDate& f = reportDate(ctx.parent);
        f.exec();
        if (f.CloseForm())
            return false;
        a->date = a->start = a->startText = f.startdate();
        return true;
    }
    case Dialog::D2:
    case Dialog::D2W: {
        frmReportDate2& f = reportDate2(ctx.parent);
        f.setConnection(ctx.conn);
        f.setWorkerSearchVisible(item.dialog == Dialog::D2W);
        f.exec();
        if (f.CloseForm())
            return false;
        a->start = a->startText = f.startdate();
        a->end = a->endText = f.enddate();
        a->worker = item.dialog == Dialog::D2W ? f.WorkerCode() : QString();
        return true;
    }
    case Dialog::DR: {
        frmReportDateRange& f = reportDateRange(ctx.parent);
        f.exec();
        if (f.CloseForm())
            return false;
        a->start = a->startText = f.startdate();
        a->end = a->endText = f.enddate();
        return true;
    }
    case Dialog::DC: {
        frmReportDateCategory& f = reportDateCategory(ctx.parent);
        f.setConnection(ctx.conn);
        f.exec();
        if (f.CloseForm())
            return false;
        a->start = a->startText = f.startdate();
        a->end = a->endText = f.enddate();
        a->category = f.category();
        return true;
    }
    }
    return false;
}

QString failedText(const Item& item, const QString& why) {
    return QStringLiteral("The report \"%1\" could not be prepared; nothing was printed.\n\n%2")
        .arg(item.report, why);
}

} // namespace

QVariantList valuesFor(const QVector<Value>& values, const Context& ctx, const Answers& a) {
    QVariantList out;
    for (const Value& v : values) {
        switch (v.source) {
        case Source::Start: out << a.start; break;
        case Source::End: out << a.end; break;
        case Source::Date: out << a.date; break;
        case Source::StartAsDate: out << asDate(a.start); break;
        case Source::EndAsDate: out << asDate(a.end); break;
        case Source::DateAsDate: out << asDate(a.date); break;
        case Source::StartText: out << a.startText; break;
        case Source::EndText: out << a.endText; break;
        case Source::HospitalName: out << ctx.hospitalName; break;
        case Source::HospitalAddress: out << ctx.hospitalAddress; break;
        case Source::HospitalNameUpper: out << ctx.hospitalName.toUpper(); break;
        case Source::DepartmentTitleUpper: out << ctx.departmentTitle.toUpper(); break;
        case Source::UserName: out << ctx.userName; break;
        case Source::UserCode: out << ctx.userCode; break;
        case Source::Worker: out << a.worker; break;
        case Source::HospNum: out << ctx.hospNum.trimmed(); break;
        case Source::IdNum: out << ctx.idNum.trimmed(); break;
        case Source::Category: out << a.category; break;
        case Source::ArrUserName: out << a.arrUserName; break;
        case Source::ArrLicence: out << a.arrLicence; break;
        case Source::Fixed: out << v.fixed; break;
        }
    }
    return out;
}

Outcome run(const Item& item, const Context& ctx) {
    const QString hospNum = ctx.hospNum.trimmed();
    const QString idNum = ctx.idNum.trimmed();

    if (item.referralReprint && hospNum.isEmpty()) {
        if (ctx.openReprintScreen) {
            ctx.openReprintScreen();
            return Outcome::OtherScreen;
        }
        ui::Messages::info(QStringLiteral("\"%1\" without a selected patient opens the reprint "
                                          "screen, which is not available yet.")
                               .arg(item.report));
        return Outcome::NotBuilt;
    }
    // The item may still be enabled from an earlier selection: the visit is checked now.
    if (item.needsAdmission) {
        if (idNum.isEmpty()) {
            ui::Messages::info(QStringLiteral("Please select a patient."), QStringLiteral("Message"));
            return Outcome::Refused;
        }
        if (!rules::isNumericVisitNumber(idNum)) {
            ui::Messages::info(QStringLiteral("The %1 is for admitted patients; visit %2 is not "
                                              "an admission.")
                                   .arg(item.report, idNum),
                               QStringLiteral("Message"));
            return Outcome::Refused;
        }
    }
    // Asked before the dialog, so that the worker is not asked for dates first.
    if (!item.templateFile.isEmpty() &&
        !reports::templateExists(ctx.reportFolder, item.templateFile)) {
        ui::Messages::info(QStringLiteral("The report \"%1\" (%2) is not available yet.")
                               .arg(item.report, item.templateFile));
        return Outcome::NotBuilt;
    }

    Answers a;
    if (!ask(item, ctx, &a))
        return Outcome::Cancelled;
    if (item.templateFile.isEmpty()) {
        ui::Messages::info(QStringLiteral("The %1 has no printed report in this system; nothing "
                                          "was printed.")
                               .arg(item.report));
        return Outcome::NoReport;
    }

    if (!item.prepare.isEmpty()) {
        if (!ctx.conn) {
            ui::Messages::critical(failedText(item, QStringLiteral("There is no connection.")));
            return Outcome::Failed;
        }
        try {
            const db::Recordset rs =
                ctx.conn->Call(item.prepare, valuesFor(item.prepareValues, ctx, a));
            // The search finds every saved report of the patient (and of anyone whose case
            // number or name matches the text); only the selected visit's own report tells
            // who wrote it. Another visit's would print another worker's name and licence.
            if (item.referralReprint)
                for (db::Recordset r = rs; !r.Eof(); r.MoveNext())
                    if (r.Text(QStringLiteral("HospNum")).trimmed() == hospNum &&
                        r.Text(QStringLiteral("IdNum")).trimmed() == idNum) {
                        a.arrUserName = r.Text(QStringLiteral("UserName"));
                        a.arrLicence = r.Text(QStringLiteral("lisencenumber"));
                        break;
                    }
        } catch (const db::Error& e) {
            ui::Messages::critical(failedText(item, e.Description()));
            return Outcome::Failed;
        }
    }

    // OpenReport and ShowReport show their own critical box naming the template.
    if (!reports::OpenReport(ctx.reportFolder, item.templateFile, valuesFor(item.values, ctx, a)))
        return Outcome::Failed;
    for (const Subreport& s : item.subreports)
        if (!reports::OpenSubreport(s.name, valuesFor(s.values, ctx, a))) {
            reports::releaseCurrentReport();
            return Outcome::Failed;
        }
    if (!reports::ShowReport(false, item.title, false))
        return Outcome::Failed;
    return Outcome::Shown;
}

frmReportDate& reportDate(QWidget* parent) { return shared(d1, parent); }
frmReportDate2& reportDate2(QWidget* parent) { return shared(d2, parent); }
frmReportDateRange& reportDateRange(QWidget* parent) { return shared(dr, parent); }
frmReportDateCategory& reportDateCategory(QWidget* parent) { return shared(dc, parent); }

} // namespace catalogue
