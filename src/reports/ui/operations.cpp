#include "operations.h"

#include "frmReportViewer.h"

#include "reports/document.h"
#include "reports/engine.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QThread>

namespace reports {

namespace {

struct State {
    db::Connection* conn = nullptr;
    QString hospital;
    LogOnInfo logOn;
    std::unique_ptr<Report> current;
    QStringList subreportsOpened; // of the current report, in the order they were opened
    quint64 generation = 0; // which opening the current report is
    bool recording = false;
    QList<ShownReport> shown;
};

State& state() {
    static State s;
    return s;
}

void fail(const QString& message) {
    ui::Messages::critical(message);
}

QStringList fieldTexts(const Report& r) {
    QStringList out;
    for (const ParameterField& f : r.ParameterFields())
        out << f.name + QLatin1Char('=') + r.parameterText(f.name);
    return out;
}

ShownReport record(const Report& r, const RenderedReport& rendered, const QString& title,
                   bool groupTree, bool directPrint) {
    ShownReport s;
    s.title = title;
    s.fileName = r.fileName();
    s.showGroupTree = groupTree;
    s.directPrint = directPrint;
    s.parameters = fieldTexts(r);
    for (const QString& name : r.subreportNames())
        if (const Report* sub = r.subreport(name))
            s.subreports.insert(name, fieldTexts(*sub));
    s.hospital = r.hospitalName();
    s.logOn = r.logOnInfo();
    s.logOn.password.clear();
    s.pages = rendered.pageCount();
    s.text = rendered.plainText();
    return s;
}

bool directPrint(const RenderedReport& rendered) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        fail(QStringLiteral("There is no default printer to print \"%1\" on.")
                 .arg(rendered.title()));
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!rendered.print(&printer)) {
        fail(QStringLiteral("\"%1\" could not be printed.").arg(rendered.title()));
        return false;
    }
    return true;
}

} // namespace

void setConnection(db::Connection* conn) {
    state().conn = conn;
}
void setHospitalName(const QString& name) {
    state().hospital = name;
}
void setLogOn(const QString& server, const QString& database, const QString& user,
              const QString& password) {
    state().logOn = {server, database, user, password};
}

Report* currentReport() {
    return state().current.get();
}

void releaseCurrentReport() {
    state().current.reset();
    state().subreportsOpened.clear();
    ++state().generation;
}

bool OpenReport(const QString& path, const QVariantList& parameters) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    p = QDir::cleanPath(p);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    return OpenReport(slash < 0 ? QString() : p.left(slash), p.mid(slash + 1), parameters);
}

bool OpenReport(const QString& folder, const QString& fileName, const QVariantList& parameters) {
    State& s = state();
    releaseCurrentReport();
    try {
        auto report = Report::open(folder.isEmpty() ? QDir::currentPath() : folder, fileName);
        report->setHospitalName(s.hospital);
        report->SetLogOnInfo(s.logOn.server, s.logOn.database, s.logOn.user, s.logOn.password);
        if (!parameters.isEmpty())
            report->SetParameterValues(parameters);
        s.current = std::move(report);
    } catch (const ReportError& e) {
        fail(e.message());
        return false;
    }
    return true;
}

bool OpenSubreport(const QString& name, const QVariantList& parameters) {
    State& s = state();
    if (!s.current) {
        fail(QStringLiteral("Sub-report \"%1\": no report is open.").arg(name));
        return false;
    }
    try {
        Report& sub = s.current->OpenSubreport(name);
        sub.SetLogOnInfo(s.logOn.server, s.logOn.database, s.logOn.user, s.logOn.password);
        if (!parameters.isEmpty())
            sub.SetParameterValues(parameters);
        s.subreportsOpened.append(name);
    } catch (const ReportError& e) {
        fail(e.message());
        return false;
    }
    return true;
}

std::shared_ptr<RenderedReport> renderWithProgress(const Report& report, db::Connection& conn,
                                                   QWidget* parent, QString* error) {
    std::shared_ptr<const RenderInput> input;
    try {
        input = collect(report, conn); // the connection stays on this thread
    } catch (const ReportError& e) {
        *error = e.message();
        return nullptr;
    }
    // Lives until the background build answers, also when the user stopped waiting.
    auto* job = new QObject(qApp);
    auto cancel = std::make_shared<std::atomic_bool>(false);
    struct Outcome {
        bool finished = false;
        std::shared_ptr<RenderedReport> report;
        QString error;
    };
    auto outcome = std::make_shared<Outcome>();
    QProgressDialog dlg(QStringLiteral("Preparing \"%1\"...").arg(report.title()),
                        QStringLiteral("Cancel"), 0, 0, parent);
    dlg.setObjectName(QStringLiteral("dlgReportProgress"));
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.setMinimumDuration(300);
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    RenderedReport::buildInBackground(
        input, cancel, job,
        [job, outcome, waiting](std::shared_ptr<RenderedReport> r, const QString& e) {
            outcome->finished = true;
            outcome->report = std::move(r);
            outcome->error = e;
            job->deleteLater();
            if (waiting)
                waiting->quit();
        });
    QObject::connect(&dlg, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    loop.exec();
    if (!outcome->finished) {
        // Cancelled: the build stops at its next check; what it made is dropped when it
        // answers.
        *cancel = true;
        return nullptr;
    }
    if (!outcome->report)
        *error = outcome->error;
    return outcome->report;
}

bool ShowReport(bool showGroupTree, const QString& title, bool directPrintFlag) {
    State& s = state();
    if (!s.current) {
        fail(QStringLiteral("\"%1\": no report is open.").arg(title));
        return false;
    }
    if (!s.conn) {
        fail(QStringLiteral("\"%1\": there is no database connection for reports.").arg(title));
        return false;
    }
    std::shared_ptr<RenderedReport> rendered;
    QString error;
    if (s.recording) {
        try {
            rendered = RenderedReport::build(collect(*s.current, *s.conn));
        } catch (const ReportError& e) {
            error = e.message();
        }
    } else {
        rendered = renderWithProgress(*s.current, *s.conn, nullptr, &error);
    }
    if (!rendered) {
        if (!error.isEmpty())
            fail(error);
        return false;
    }
    if (s.recording) {
        s.shown.append(record(*s.current, *rendered, title, showGroupTree, directPrintFlag));
        s.shown.last().subreportsOpened = s.subreportsOpened;
        return true;
    }
    if (directPrintFlag) {
        const bool ok = directPrint(*rendered);
        releaseCurrentReport();
        return ok;
    }
    auto* viewer = new frmReportViewer(rendered, title);
    const quint64 shownGeneration = s.generation;
    QObject::connect(viewer, &QObject::destroyed, [shownGeneration] {
        // A report opened since then is not this viewer's to release.
        if (state().generation == shownGeneration)
            releaseCurrentReport();
    });
    viewer->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        viewer->raise();
        viewer->activateWindow();
    }
    return true;
}

void startRecording() {
    state().recording = true;
}
void stopRecording() {
    state().recording = false;
    state().shown.clear();
}
bool recording() {
    return state().recording;
}
const QList<ShownReport>& shownReports() {
    return state().shown;
}
void clearShownReports() {
    state().shown.clear();
}

} // namespace reports
