#include "clsCodeSearch.h"

#include "db/connection.h"
#include "frmZipCodeSearch.h"
#include "ui/messages.h"

namespace codesearch {

void clsCodeSearch::Initialize_Classes() {
    record_ = {};
}

bool clsCodeSearch::SearchListing(int listing, const QString& text) {
    record_ = {};
    if (listing != ZipCodes || !conn_)
        return false;
    try {
        if (!searchMode_)
            return lookUp(text.trimmed());
        frmZipCodeSearch picker(parent_);
        picker.setWindowTitle(searchTitle_.isEmpty() ? QStringLiteral("Zip Codes") : searchTitle_);
        picker.setCompanyName(companyName_);
        picker.load(*conn_);
        picker.setFilterText(text.trimmed());
        if (picker.exec() != QDialog::Accepted)
            return false;
        record_ = picker.chosen();
        return !record_.ResultCode.isEmpty();
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("Unable to read the zip codes.\n") + e.Description());
        record_ = {};
        return false;
    }
}

bool clsCodeSearch::lookUp(const QString& zipCode) {
    if (zipCode.isEmpty())
        return false;
    const db::Recordset rs = conn_->Query(
        QStringLiteral(
            "SELECT ZipCode, Town, Province FROM BUILD_FILE.tbCoZipCode WHERE ZipCode = ?"),
        {zipCode});
    if (rs.Eof())
        return false;
    record_ = {rs.Text(QStringLiteral("ZipCode")).trimmed(),
               rs.Text(QStringLiteral("Town")).trimmed(),
               rs.Text(QStringLiteral("Province")).trimmed()};
    return true;
}

} // namespace codesearch
