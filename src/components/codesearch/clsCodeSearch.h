#pragma once
// Stand-in for the hospital's code-search component ("Brantel.clsCodeSearch"). Start-up
// sets it up once; the intake sheet asks it for a zip code, and reads the town and province
// of the code chosen.
#include <QString>

class QWidget;

namespace db {
class Connection;
}

namespace codesearch {

// The entry last chosen.
struct AddressRecordInfo {
    QString ResultCode; // the zip code
    QString Town;
    QString Province;
};

class clsCodeSearch {
public:
    // The kinds of listing; the workstation asks only for zip codes.
    enum Listing { ZipCodes = 0 };

    // The machine the component was asked to live on (it always lives in this process).
    void setMTS_Server(const QString& s) { mtsServer_ = s; }
    QString MTS_Server() const { return mtsServer_; }
    // True: SearchListing shows the picker. False: it takes the given text as a zip code
    // and looks it up without asking anyone.
    void setSearchMode(bool on) { searchMode_ = on; }
    bool SearchMode() const { return searchMode_; }
    // Forgets the last choice; start-up calls it once before use.
    void Initialize_Classes();
    void setCompanyName(const QString& s) { companyName_ = s; }
    QString CompanyName() const { return companyName_; }
    // The picker's window title.
    void setSearchTitle(const QString& s) { searchTitle_ = s; }
    QString SearchTitle() const { return searchTitle_; }
    void setConnection(db::Connection* c) { conn_ = c; }
    db::Connection* Connection() const { return conn_; }
    // Parent of the picker window (the active screen); none by default.
    void setParentWidget(QWidget* w) { parent_ = w; }

    // Lists the entries of `listing`, starting from `text`, and lets the user choose one.
    // True when an entry was chosen: AddressRecord() then holds it. False when the user
    // cancelled, nothing matched, there is no connection or the listing is not known;
    // AddressRecord() is then empty. A failing read is shown to the user.
    bool SearchListing(int listing, const QString& text);
    const AddressRecordInfo& AddressRecord() const { return record_; }

private:
    bool lookUp(const QString& zipCode);

    QString mtsServer_;
    bool searchMode_ = true;
    QString companyName_;
    QString searchTitle_;
    db::Connection* conn_ = nullptr;
    QWidget* parent_ = nullptr;
    AddressRecordInfo record_;
};

} // namespace codesearch
