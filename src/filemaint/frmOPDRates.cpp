#include "frmOPDRates.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "rules/numeric.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace filemaint {

std::optional<double> readPrice(const QString& typed) {
    const std::optional<double> v = rules::readNumber(typed);
    if (!v || *v < 0 || *v >= 1e12)
        return std::nullopt;
    // The table keeps pesos and centavos; a third decimal would be refused by the database
    // after the user was told nothing of it.
    const double cents = *v * 100.0;
    if (std::abs(cents - std::round(cents)) > 1e-6)
        return std::nullopt;
    return std::round(cents) / 100.0;
}

} // namespace filemaint

namespace {

const QString kTitle = QStringLiteral("Message");

struct Column {
    const char* header;
    int twips;
};
// " | Code | Description | Price | Status"; the status column is hidden.
constexpr Column kColumns[] = {
    {"", 100}, {"Code", 1100}, {"Description", 2000}, {"Price", 1100}, {"Status", 0},
};

QLineEdit* shownOnly(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace

frmOPDRates::frmOPDRates(QWidget* parent) : QDialog(parent), model_(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("frmOPDRates"));
    setWindowTitle(ui::Messages::applicationTitle());

    lblHeading = new QLabel(QStringLiteral("Update OPD Rates"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);

    Frame1 = new QGroupBox(QStringLiteral("Classification for OPS Clients "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    grdRates = new QTableView(Frame1);
    grdRates->setObjectName(QStringLiteral("grdRates"));
    grdRates->setModel(model_);
    grdRates->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRates->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRates->verticalHeader()->hide();
    grdRates->setWordWrap(false);
    grdRates->horizontalHeader()->setMinimumSectionSize(1);
    grdRates->horizontalHeader()->setStretchLastSection(false);
    (new QVBoxLayout(Frame1))->addWidget(grdRates);

    Frame2 = new QGroupBox(QStringLiteral("Edit OPS Rates"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    txtCode = shownOnly(Frame2, "txtCode");
    txtDescription = shownOnly(Frame2, "txtDescription");
    txtPrice = new QLineEdit(Frame2);
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    txtPrice->setMaxLength(16);
    chkActive = new QCheckBox(QStringLiteral("&Active"), Frame2);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    // Shown, never saved: the flag cannot be changed here.
    chkActive->setAttribute(Qt::WA_TransparentForMouseEvents);
    chkActive->setFocusPolicy(Qt::NoFocus);
    auto* form = new QFormLayout(Frame2);
    form->addRow(QStringLiteral("CODE"), txtCode);
    form->addRow(QStringLiteral("DESCRIPTION"), txtDescription);
    form->addRow(QStringLiteral("PRICE"), txtPrice);
    form->addRow(QString(), chkActive);

    cmdEdit = new QPushButton(QStringLiteral("&Edit"), this);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    cmdUpdate = new QPushButton(QStringLiteral("&Update"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdCancel = new QPushButton(QStringLiteral("Ca&ncel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdEdit, cmdUpdate, cmdCancel, cmdClose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(Frame2);
    right->addStretch();
    right->addLayout(buttons);
    auto* body = new QHBoxLayout;
    body->addWidget(Frame1, 1);
    body->addLayout(right);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblHeading);
    lay->addLayout(body, 1);

    int gridWidth = 0;
    for (const Column& c : kColumns)
        gridWidth += ui::twips(c.twips);
    grdRates->setMinimumWidth(gridWidth + 30);
    resize(ui::twips(10000), ui::twips(6000));

    connect(cmdEdit, &QPushButton::clicked, this, &frmOPDRates::cmdEdit_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(txtPrice, &QLineEdit::returnPressed, this, [this] { cmdUpdate_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &frmOPDRates::cmdCancel_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(grdRates, &QTableView::doubleClicked, this, [this] { takeRow(); });

    setEditing(false);
    cmdCancel->setEnabled(false);
}

void frmOPDRates::setConnection(db::Connection* c) {
    conn_ = c;
    loadRates();
}

QString frmOPDRates::cell(int row, int column) const {
    const QStandardItem* it = model_->item(row, column);
    return it ? it->text() : QString();
}

int frmOPDRates::rowCount() const {
    return model_->rowCount();
}

bool frmOPDRates::editing() const {
    return Frame2->isEnabled();
}

void frmOPDRates::setEditing(bool on) {
    Frame2->setEnabled(on);
    cmdUpdate->setEnabled(on);
    cmdEdit->setEnabled(!on);
    if (on)
        cmdCancel->setEnabled(true);
}

void frmOPDRates::loadRates() {
    model_->clear();
    QStringList headers;
    for (const Column& c : kColumns)
        headers << QString::fromLatin1(c.header);
    model_->setHorizontalHeaderLabels(headers);
    if (conn_) {
        try {
            const db::Recordset rs = conn_->Query(QStringLiteral(
                "SELECT Code, Description, Price, Status FROM ZEP.tbZEPOPSRates ORDER BY Code"));
            for (db::Recordset r = rs; !r.Eof(); r.MoveNext()) {
                // Money with its centavos, the same on every engine.
                const QString price = r.IsNull(QStringLiteral("Price"))
                                          ? QString()
                                          : QString::number(r.Number(QStringLiteral("Price")), 'f', 2);
                QList<QStandardItem*> row;
                for (const QString& t : {QString(), r.Text(QStringLiteral("Code")),
                                         r.Text(QStringLiteral("Description")), price,
                                         r.Text(QStringLiteral("Status"))})
                    row << new QStandardItem(t);
                row[3]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                model_->appendRow(row);
            }
        } catch (const db::Error& e) {
            ui::Messages::critical(QStringLiteral("The OPS rates could not be read.\n") + e.Description(),
                                   kTitle);
        }
    }
    for (int c = 0; c < int(std::size(kColumns)); ++c)
        grdRates->setColumnWidth(c, ui::twips(kColumns[c].twips));
    grdRates->setColumnHidden(4, true);
    if (model_->rowCount() > 0)
        grdRates->setCurrentIndex(model_->index(0, 1));
}

bool frmOPDRates::takeRow() {
    const int row = grdRates->currentIndex().row();
    if (row < 0 || row >= model_->rowCount())
        return false;
    txtCode->setText(cell(row, 1).trimmed());
    txtDescription->setText(cell(row, 2));
    const std::optional<double> price = rules::readNumber(cell(row, 3));
    txtPrice->setText(db::numberToText(price.value_or(0)));
    chkActive->setChecked(cell(row, 4).trimmed() == QLatin1String("A"));
    return true;
}

void frmOPDRates::cmdEdit_Click() {
    if (!takeRow()) {
        ui::Messages::exclamation(QStringLiteral("There is no OPS rate to edit."), kTitle);
        return;
    }
    setEditing(true);
    txtPrice->setFocus();
    txtPrice->selectAll();
}

bool frmOPDRates::cmdUpdate_Click() {
    if (!editing() || !conn_)
        return false;
    if (txtPrice->text().isEmpty()) {
        ui::Messages::info(QStringLiteral("Enter the Amount"), kTitle);
        txtPrice->setFocus();
        return false;
    }
    const std::optional<double> price = filemaint::readPrice(txtPrice->text());
    if (!price) {
        ui::Messages::exclamation(
            QStringLiteral("Enter the price as an amount of 0 or more, with at most two decimals."),
            kTitle);
        txtPrice->setFocus();
        txtPrice->selectAll();
        return false;
    }
    const QString code = txtCode->text().trimmed();
    long long changed = 0;
    try {
        changed = conn_->Execute(
            QStringLiteral("UPDATE ZEP.tbZEPOPSRates SET Price = CAST(? AS NUMERIC(14,2)) WHERE Code = ?"),
            {db::numberToText(*price), code});
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("Record Not Saved.\n") + e.Description(), kTitle);
        txtPrice->setFocus();
        return false;
    }
    setEditing(false);
    if (changed == 0) {
        // The rate went away since the list was read: say so rather than "Record Saved".
        ui::Messages::exclamation(
            QStringLiteral("The rate ") + code +
                QStringLiteral(" is no longer on file; nothing was saved. The list is read again."),
            kTitle);
    } else {
        ui::Messages::info(QStringLiteral("Record Saved"), kTitle);
    }
    grdRates->setFocus();
    loadRates();
    selectCode(code);
    return changed > 0;
}

void frmOPDRates::cmdCancel_Click() {
    // Back to browsing; the frame keeps showing the row that was taken.
    setEditing(false);
    cmdCancel->setEnabled(false);
    grdRates->setFocus();
}

void frmOPDRates::selectCode(const QString& code) {
    for (int r = 0; r < model_->rowCount(); ++r)
        if (cell(r, 1).trimmed() == code) {
            grdRates->setCurrentIndex(model_->index(r, 1));
            return;
        }
}
