#pragma once
// Stand-ins for the hospital's billing components ("prjOrvane.clsOpenConnection" and
// "prjOrvane.clssoa"). The billing connection hands the statement-of-account object the
// connection it reads the patient's bill from.
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

private:
    QString server_;
    db::Connection* conn_ = nullptr;
};

class clssoa : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void setBillingConnection(clsOpenConnection* c) { billing_ = c; }
    clsOpenConnection* BillingConnection() const { return billing_; }

private:
    clsOpenConnection* billing_ = nullptr;
};

} // namespace billing
