#include "frmClassificationScheme.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "ui/messages.h"
#include "ui/recordsetmodel.h"
#include "ui/twips.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kMessageTitle = QStringLiteral("Message");

// The grid's columns: column 0 is the row-header column, the others are the load
// procedure's columns in its order. Only code, name, income, dependents, fee and the two
// summaries are wide enough to be seen.
struct GridColumn {
    const char* header;
    int twips;
};
constexpr GridColumn kColumns[] = {{"", 80},
                                   {"Code", 850},
                                   {"Classification", 1600},
                                   {"PerCapitalIncome", 1600},
                                   {"LevelPerDependents", 5300},
                                   {"PF/RF", 1100},
                                   {"OPD", 3500},
                                   {"IPD", 4500},
                                   {"IPDProcedures", 0},
                                   {"IPDMedicines", 0},
                                   {"IPDSupplies", 0},
                                   {"IPDRoom", 0},
                                   {"OPDProcedures", 0},
                                   {"OPDMedicines", 0},
                                   {"OPDSupplies", 0},
                                   {"Type", 0}};

QLineEdit* box(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setAutoDefault(false);
    return b;
}

} // namespace

namespace intake {

UpDown::UpDown(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(UpDownArrows);
    setFocusPolicy(Qt::NoFocus);
    setFrame(false);
    lineEdit()->setReadOnly(true);
    // Only the arrows show: the value lives in the percentage box beside it.
    setFixedWidth(sizeHint().width());
}

void UpDown::stepBy(int steps) {
    if (steps != 0)
        emit stepped(steps > 0);
}

QSize UpDown::sizeHint() const {
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    const QRect arrows =
        style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp, this);
    return {std::max(arrows.width() + 2, ui::twips(150)), QAbstractSpinBox::sizeHint().height()};
}

} // namespace intake

frmClassificationScheme::frmClassificationScheme(QWidget* parent)
    : QDialog(parent), model_(new ui::RecordsetModel(this)) {
    setObjectName(QStringLiteral("frmClassificationScheme"));
    buildLayout();

    connect(fltNew, &QPushButton::clicked, this, &frmClassificationScheme::fltNew_Click);
    connect(fltEdit, &QPushButton::clicked, this, &frmClassificationScheme::fltEdit_Click);
    connect(fltSave, &QPushButton::clicked, this, &frmClassificationScheme::fltSave_Click);
    connect(fltDelete, &QPushButton::clicked, this, &frmClassificationScheme::fltDelete_Click);
    connect(fltCancel, &QPushButton::clicked, this, &frmClassificationScheme::fltCancel_Click);
    connect(fltClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(GridClassification, &QTableView::doubleClicked, this,
            &frmClassificationScheme::GridClassification_DblClick);
    for (int i = 0; i < int(UpDown1.size()); ++i)
        connect(UpDown1[i], &intake::UpDown::stepped, this,
                [this, i](bool up) { UpDown1_Change(i, up); });

    // Codes are upper case; typing one means a class is being written, not started.
    connect(txtCode, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString upper = t.toUpper();
        if (upper != t) {
            const int pos = txtCode->cursorPosition();
            txtCode->setText(upper);
            txtCode->setCursorPosition(pos);
        }
        fltNew->setEnabled(false);
    });
    for (QLineEdit* e : entryBoxes())
        e->installEventFilter(this);

    applyStates(intake::Action::Open);
    clearBoxes();
}

frmClassificationScheme::~frmClassificationScheme() = default;

void frmClassificationScheme::buildLayout() {
    lblHeading = new QLabel(QStringLiteral("Classification Scheme"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);
    lblGuidelines = new QLabel(
        QStringLiteral("Guideliness on the Socio-Economic Classification of Patients"), this);
    lblGuidelines->setObjectName(QStringLiteral("lblGuidelines"));
    lblHint = new QLabel(QStringLiteral("To Edit, Double-Click on the classification you wanted "
                                        "to edit in the grid. Then click on Edit."),
                         this);
    lblHint->setObjectName(QStringLiteral("lblHint"));

    GridClassification = new QTableView(this);
    GridClassification->setObjectName(QStringLiteral("GridClassification"));
    GridClassification->setModel(model_);
    GridClassification->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridClassification->setSelectionMode(QAbstractItemView::SingleSelection);
    GridClassification->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridClassification->verticalHeader()->hide();
    GridClassification->setWordWrap(true);

    fraSpecifications = new QGroupBox(QStringLiteral("Specifications"), this);
    fraSpecifications->setObjectName(QStringLiteral("fraSpecifications"));
    txtCode = box(fraSpecifications, "txtCode");
    txtClassification = box(fraSpecifications, "txtClassification");
    txtIncome = box(fraSpecifications, "txtIncome");
    txtDependents = box(fraSpecifications, "txtDependents");
    auto* spec = new QFormLayout(fraSpecifications);
    spec->addRow(QStringLiteral("Code :"), txtCode);
    spec->addRow(QStringLiteral("Classification :"), txtClassification);
    spec->addRow(QStringLiteral("PerCapital Income :"), txtIncome);
    spec->addRow(QStringLiteral("Income/ Level Dependents :"), txtDependents);

    fraDiscounts = new QGroupBox(QStringLiteral("Discounts"), this);
    fraDiscounts->setObjectName(QStringLiteral("fraDiscounts"));
    txtProcPercentO = box(fraDiscounts, "txtProcPercentO");
    txtMedsPercentO = box(fraDiscounts, "txtMedsPercentO");
    txtRoomPercentI = box(fraDiscounts, "txtRoomPercentI");
    txtProcPercentI = box(fraDiscounts, "txtProcPercentI");
    txtMedsPercentI = box(fraDiscounts, "txtMedsPercentI");
    txtProceduresO = box(fraDiscounts, "txtProceduresO");
    txtMedicinesO = box(fraDiscounts, "txtMedicinesO");
    txtRoomI = box(fraDiscounts, "txtRoomI");
    txtProceduresI = box(fraDiscounts, "txtProceduresI");
    txtMedicinesI = box(fraDiscounts, "txtMedicinesI");
    txtProfFee = box(fraDiscounts, "txtProfFee");
    for (int i = 0; i < int(UpDown1.size()); ++i) {
        UpDown1[i] = new intake::UpDown(fraDiscounts);
        UpDown1[i]->setObjectName(QStringLiteral("UpDown1_%1").arg(i));
        // The fraction behind each percentage is kept, not typed.
        fractionBox(i)->setVisible(false);
    }
    auto percentRow = [this](int i) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(percentBox(i));
        row->addWidget(UpDown1[i]);
        row->addWidget(fractionBox(i));
        return row;
    };
    auto* outGroup = new QGroupBox(QStringLiteral("Out-Patient "), fraDiscounts);
    outGroup->setObjectName(QStringLiteral("fraOutPatient"));
    auto* out = new QFormLayout(outGroup);
    out->addRow(QStringLiteral("Procedures :"), percentRow(0));
    out->addRow(QStringLiteral("Supplies/ Medicines :"), percentRow(1));
    auto* inGroup = new QGroupBox(QStringLiteral("In-Patient "), fraDiscounts);
    inGroup->setObjectName(QStringLiteral("fraInPatient"));
    auto* in = new QFormLayout(inGroup);
    in->addRow(QStringLiteral("Room :"), percentRow(2));
    in->addRow(QStringLiteral("Procedures :"), percentRow(3));
    in->addRow(QStringLiteral("Supplies/ Medicines :"), percentRow(4));
    auto* discounts = new QVBoxLayout(fraDiscounts);
    auto* groups = new QHBoxLayout;
    groups->addWidget(outGroup);
    groups->addWidget(inGroup);
    discounts->addLayout(groups);
    auto* fee = new QFormLayout;
    fee->addRow(QStringLiteral("Professional/Reader's Fee :"), txtProfFee);
    discounts->addLayout(fee);

    fltNew = button(this, "fltNew", "&New");
    fltEdit = button(this, "fltEdit", "&Edit");
    fltSave = button(this, "fltSave", "&Save");
    fltDelete = button(this, "fltDelete", "&Delete");
    fltCancel = button(this, "fltCancel", "&Cancel");
    fltClose = button(this, "fltClose", "Clo&se");

    auto* top = new QVBoxLayout(this);
    top->addWidget(lblHeading, 0, Qt::AlignHCenter);
    top->addWidget(lblGuidelines, 0, Qt::AlignHCenter);
    top->addWidget(GridClassification, 1);
    top->addWidget(lblHint);
    auto* frames = new QHBoxLayout;
    frames->addWidget(fraSpecifications, 1);
    frames->addWidget(fraDiscounts, 1);
    top->addLayout(frames);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fltNew, fltEdit, fltSave, fltDelete, fltCancel, fltClose})
        buttons->addWidget(b);
    buttons->addStretch();
    top->addLayout(buttons);
    resize(ui::twips(14000), ui::twips(9000));
}

void frmClassificationScheme::setHospitalName(const QString& name) {
    setWindowTitle(name);
}

QLineEdit* frmClassificationScheme::percentBox(int index) const {
    const std::array<QLineEdit*, 5> boxes{txtProcPercentO, txtMedsPercentO, txtRoomPercentI,
                                          txtProcPercentI, txtMedsPercentI};
    return boxes.at(index);
}

QLineEdit* frmClassificationScheme::fractionBox(int index) const {
    const std::array<QLineEdit*, 5> boxes{txtProceduresO, txtMedicinesO, txtRoomI, txtProceduresI,
                                          txtMedicinesI};
    return boxes.at(index);
}

// The fifteen entry boxes, in the order Enter moves through the visible ones.
QList<QLineEdit*> frmClassificationScheme::entryBoxes() const {
    return {txtCode,         txtClassification, txtIncome,       txtDependents,   txtProcPercentO,
            txtMedsPercentO, txtRoomPercentI,   txtProcPercentI, txtMedsPercentI, txtProfFee,
            txtProceduresO,  txtMedicinesO,     txtRoomI,        txtProceduresI,  txtMedicinesI};
}

void frmClassificationScheme::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        loadGrid();
    }
}

void frmClassificationScheme::formatGrid() {
    QStringList headers, fields;
    for (const GridColumn& c : kColumns) {
        headers << QString::fromLatin1(c.header);
        fields << QString::fromLatin1(c.header);
    }
    model_->setColumns(headers, fields);
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        GridClassification->setColumnHidden(i, kColumns[i].twips == 0);
        if (kColumns[i].twips > 0)
            GridClassification->setColumnWidth(i, ui::twips(kColumns[i].twips));
    }
}

void frmClassificationScheme::loadGrid() {
    formatGrid();
    model_->clear();
    if (!conn_)
        return;
    try {
        const db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_LoadClassification"));
        if (rs.RecordCount() > 0)
            model_->load(rs);
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), kMessageTitle);
    }
    GridClassification->resizeRowsToContents();
}

void frmClassificationScheme::applyStates(intake::Action action) {
    states_ = intake::statesAfter(action, states_);
    fltNew->setEnabled(states_.New);
    fltEdit->setEnabled(states_.Edit);
    fltSave->setEnabled(states_.Save);
    fltDelete->setEnabled(states_.Delete);
    fltCancel->setEnabled(states_.Cancel);
    fltClose->setEnabled(states_.Close);
    setBoxesEnabled(states_.boxes);
}

void frmClassificationScheme::setBoxesEnabled(bool on) {
    for (QLineEdit* e : entryBoxes())
        e->setEnabled(on);
    // A spinner changes its box, so it follows the box.
    for (intake::UpDown* u : UpDown1)
        u->setEnabled(on);
}

void frmClassificationScheme::clearBoxes() {
    for (QLineEdit* e : entryBoxes())
        e->clear();
}

void frmClassificationScheme::fltNew_Click() {
    key_.clear();
    QStringList types;
    if (conn_) {
        try {
            for (db::Recordset rs =
                     conn_->Query(QStringLiteral("SELECT Type FROM ZEP.tbZEPClassification"));
                 !rs.Eof(); rs.MoveNext())
                types << rs.Text(QStringLiteral("Type"));
        } catch (const db::Error& e) {
            ui::Messages::critical(e.Description(), kMessageTitle);
            return;
        }
    }
    key_ = intake::nextClassificationType(types);
    clearBoxes();
    applyStates(intake::Action::New);
    txtCode->setFocus();
}

void frmClassificationScheme::fltEdit_Click() {
    applyStates(intake::Action::Edit);
    txtCode->setFocus();
}

void frmClassificationScheme::fltSave_Click() {
    if (!conn_)
        return;
    const QString ipd = intake::inPatientSummary(txtProcPercentI->text(), txtMedsPercentI->text(),
                                                 txtRoomPercentI->text());
    const QString opd = intake::outPatientSummary(txtProcPercentO->text(), txtMedsPercentO->text());
    try {
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_UpdateClassificationScheme"),
                    {key_, txtCode->text(), txtProceduresI->text(), txtMedicinesI->text(),
                     txtMedicinesI->text(), txtRoomI->text(), txtProceduresO->text(),
                     txtMedicinesO->text(), txtMedicinesO->text(), txtClassification->text(),
                     txtIncome->text(), txtDependents->text(), txtProfFee->text(), ipd, opd});
    } catch (const db::Error& e) {
        // The entries stay as they are, so the worker can put them right and save again.
        ui::Messages::critical(QStringLiteral("Classification Scheme not updated.\n") +
                                   e.Description(),
                               kMessageTitle);
        return;
    }
    ui::Messages::info(QStringLiteral("Classification Scheme Updated."), kMessageTitle);
    fltCancel_Click();
    loadGrid();
    applyStates(intake::Action::Save);
}

void frmClassificationScheme::fltDelete_Click() {
    if (!conn_)
        return;
    long long deleted = 0;
    try {
        const db::Recordset rs =
            conn_->Call(QStringLiteral("ZEP..sp_ZEP_DeleteClassification"), {key_.trimmed()});
        if (!rs.Eof() && rs.HasField(QStringLiteral("Deleted")))
            deleted = qRound64(rs.Number(QStringLiteral("Deleted")));
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), kMessageTitle);
        return;
    }
    if (deleted == 0) {
        // Nothing was chosen, or the class is gone already: saying "deleted" would be wrong.
        ui::Messages::exclamation(QStringLiteral("No classification was deleted. Double-Click "
                                                 "on the classification to delete in the grid."),
                                  kMessageTitle);
        return;
    }
    ui::Messages::info(QStringLiteral("Classification code deleted."), kMessageTitle);
    fltCancel_Click();
    loadGrid();
    applyStates(intake::Action::Delete);
}

void frmClassificationScheme::fltCancel_Click() {
    clearBoxes();
    applyStates(intake::Action::Cancel);
}

void frmClassificationScheme::GridClassification_DblClick() {
    const QModelIndex current = GridClassification->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    applyStates(intake::Action::DoubleClick);
    for (int i = 0; i < 5; ++i)
        percentBox(i)->clear();
    auto cell = [&](int column) { return model_->text(row, column); };
    txtCode->setText(cell(1));
    txtClassification->setText(cell(2));
    txtIncome->setText(cell(3));
    txtDependents->setText(cell(4));
    txtProfFee->setText(cell(5));
    txtProceduresO->setText(cell(12));
    txtMedicinesO->setText(cell(13));
    txtProceduresI->setText(cell(8));
    txtMedicinesI->setText(cell(9));
    txtRoomI->setText(cell(11));
    for (int i = 0; i < 5; ++i)
        percentBox(i)->setText(intake::percentFromFraction(fractionBox(i)->text()));
    key_ = cell(15);
}

void frmClassificationScheme::UpDown1_Change(int index, bool up) {
    if (index < 0 || index >= int(UpDown1.size()))
        return;
    const intake::PercentResult r =
        intake::stepPercent(percentages_, up ? QStringLiteral("Up") : QStringLiteral("Down"),
                            percentBox(index)->text());
    if (!r.ok)
        return; // a text that is no percentage stays as it is
    percentBox(index)->setText(r.display);
    fractionBox(index)->setText(db::numberToText(r.fraction));
}

void frmClassificationScheme::enterPercent(int index) {
    QLineEdit* box = percentBox(index);
    intake::PercentResult r;
    if (!box->text().isEmpty()) {
        r = intake::enterPercent(percentages_, box->text());
        if (!r.ok) {
            ui::Messages::plain(QStringLiteral("Please enter numeric values only."));
            box->clear();
            box->setFocus();
        }
    }
    if (!box->text().isEmpty()) {
        box->setText(r.display);
        fractionBox(index)->setText(db::numberToText(r.fraction));
        moveFocusFrom(box);
    } else {
        ui::Messages::exclamation(QStringLiteral("Invalid Entry"));
        fractionBox(index)->clear();
        box->setFocus();
    }
}

void frmClassificationScheme::moveFocusFrom(QWidget* w) {
    const QList<QWidget*> order{
        txtCode,         txtClassification, txtIncome,       txtDependents,
        txtProcPercentO, txtMedsPercentO,   txtRoomPercentI, txtProcPercentI,
        txtMedsPercentI, txtProfFee,        fltSave};
    const qsizetype i = order.indexOf(w);
    if (i >= 0 && i + 1 < order.size())
        order.at(i + 1)->setFocus();
}

bool frmClassificationScheme::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto* w = static_cast<QWidget*>(watched);
            for (int i = 0; i < 5; ++i) {
                if (w == percentBox(i)) {
                    enterPercent(i);
                    return true;
                }
            }
            moveFocusFrom(w); // Enter in the fee box only moves to Save
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}
