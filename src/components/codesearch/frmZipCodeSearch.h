#pragma once
// The zip-code picker: a search box over the list of zip codes with their towns and
// provinces. Typing narrows the list; the arrow and page keys move in it without leaving the
// search box; Enter or a double-click chooses, Escape cancels.
#include "clsCodeSearch.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace db {
class Connection;
}

namespace codesearch {

class ZipCodeFilter;

class frmZipCodeSearch : public QDialog {
    Q_OBJECT

public:
    explicit frmZipCodeSearch(QWidget* parent = nullptr);
    ~frmZipCodeSearch() override;

    // Reads every zip code. Throws db::Error when the read fails.
    void load(db::Connection& conn);
    void setCompanyName(const QString& name);
    // Puts the text into the search box; the list narrows to the entries that hold every
    // word of it (in the code, town or province, ignoring case) and the entry whose code is
    // the text, else the first one, becomes current.
    void setFilterText(const QString& text);
    // Entries the list shows now.
    int visibleCount() const;
    // The current entry (empty when the list is empty); after Accepted, the one chosen.
    AddressRecordInfo chosen() const;

    QLineEdit* txtSearch = nullptr;
    QTreeView* lvwZipCodes = nullptr;
    QLabel* lblCompany = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose();
    void refilter();

    QStandardItemModel* model_ = nullptr;
    ZipCodeFilter* filter_ = nullptr;
};

} // namespace codesearch
