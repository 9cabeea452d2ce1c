#pragma once
// Stand-ins for the hospital's billing components ("prjOrvane.clsOpenConnection" and
// "prjOrvane.clssoa"). The billing connection hands the statement-of-account object the
// connection it reads the patient's bill from; the statement object shows the summarized
// statement of account of one visit in the report viewer.
#include <QObject>
#include <QString>

namespace db {
class Connection;
}

namespace billing {

class clsOpenConnection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The machine the component was asked to live on (it always lives in this process).
    void setServerName(const QString& s) { server_ = s; }
    QString ServerName() const { return server_; }
    void setConnection(db::Connection* c) { conn_ = c; }
    db::Connection* Connection() const { return conn_; }
    bool IsOpen() const;

    // Makes sure the billing database can be read on the connection: true when it can.
    // `connectionString` is not used (the component reads through the connection it was
    // given); `database` must be BILLING. On false, LastError() says why.
    bool EstablishedConnection(const QString& connectionString, const QString& database,
                               const QString& serverName);
    bool Established() const { return established_; }
    QString LastError() const { return error_; }

private:
    QString server_;
    db::Connection* conn_ = nullptr;
    bool established_ = false;
    QString error_;
};

class clssoa : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void setBillingConnection(clsOpenConnection* c) { billing_ = c; }
    clsOpenConnection* BillingConnection() const { return billing_; }

    // Where the component's own template lies (the workstation's report folder).
    void setReportFolder(const QString& f) { folder_ = f; }
    QString ReportFolder() const { return folder_; }

    void setAdmissionNumber(const QString& v) { admission_ = v; }
    QString AdmissionNumber() const { return admission_; }
    void setUserId(const QString& v) { userId_ = v; }
    QString UserId() const { return userId_; }
    void setHospitalNumber(const QString& v) { hospNum_ = v; }
    QString HospitalNumber() const { return hospNum_; }
    void setUserName(const QString& v) { userName_ = v; }
    QString UserName() const { return userName_; }

    // The template the statement is printed with and the viewer's title.
    static QString templateFile() { return QStringLiteral("SummarizedSOA.rpt"); }
    static QString title() { return QStringLiteral("Summarized Statement of Account"); }

    // Shows the summarized statement of the admission in the report viewer. Needs an
    // established billing connection; every failure is shown to the user (the report
    // operations name the template) and returns false.
    bool ShowSOA(const QString& admissionNumber);

private:
    clsOpenConnection* billing_ = nullptr;
    QString folder_;
    QString admission_, userId_, hospNum_, userName_;
};

} // namespace billing
