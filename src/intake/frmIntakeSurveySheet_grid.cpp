// The family grid: the members edited in place through one floating text box and one
// floating combo, the total family income, and the saved composition.
#include "frmIntakeSurveySheet.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "intakesave.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int kIncome = 7;
constexpr int kColumns = 9; // the eight shown and the member's number

} // namespace

void frmIntakeSurveySheet::formatGrid() {
    txtFlx->hide();
    cmbFlx->hide();
    FCFlexGrid->clear();
    FCFlexGrid->setColumnCount(kColumns);
    FCFlexGrid->setRowCount(1);
    FCFlexGrid->setHorizontalHeaderLabels(
        QStringLiteral(" Family Member | Relationship | Age | Civil Status | Educ'l Attainment "
                       "| Address | Occupation | Income |Number ")
            .split(u'|'));
    const int widths[kColumns] = {2800, 1200, 600, 1300, 1500, 2500, 1800, 1200, 0};
    for (int c = 0; c < kColumns; ++c) {
        FCFlexGrid->setColumnWidth(c, ui::twips(widths[c]));
        FCFlexGrid->setColumnHidden(c, widths[c] == 0);
    }
    FCFlexGrid->setVisible(true);
    cmdAdd->setEnabled(true);
    txtTotFamIncome->setText(QStringLiteral("0"));
}

void frmIntakeSurveySheet::loadFamily() {
    db::Recordset r = conn_->Call(QStringLiteral("ZEP..sp_ZEP_LoadExistFamilyComposition"),
                                  {txtHospitalNo->text().trimmed()});
    if (r.Eof())
        return;
    FCFlexGrid->setRowCount(0);
    int row = 0;
    for (; !r.Eof(); r.MoveNext(), ++row) {
        FCFlexGrid->insertRow(row);
        for (int c = 0; c < kColumns && c < r.FieldCount(); ++c)
            setCell(row, c, r.Text(c));
    }
    if (FCFlexGrid->rowCount() < 1) {
        FCFlexGrid->hide();
        return;
    }
    cmdAdd->setEnabled(false);
    const int widths[] = {2000, 1100, 500, 1100, 1500, 2400, 1300, 950};
    const char* headers[] = {"Family Members",    "Rel. to Patient", "Age",        "Civil Status",
                             "Educ'l Attainment", "Address",         "Occupation", "Income"};
    for (int c = 0; c < 8; ++c) {
        FCFlexGrid->setColumnWidth(c, ui::twips(widths[c]));
        FCFlexGrid->setHorizontalHeaderItem(c,
                                            new QTableWidgetItem(QString::fromLatin1(headers[c])));
    }
    computeTotal();
}

QString frmIntakeSurveySheet::cell(int row, int col) const {
    const QTableWidgetItem* it = FCFlexGrid->item(row, col);
    return it ? it->text() : QString();
}

void frmIntakeSurveySheet::setCell(int row, int col, const QString& text) {
    if (row < 0 || col < 0 || row >= FCFlexGrid->rowCount() || col >= FCFlexGrid->columnCount())
        return;
    if (QTableWidgetItem* it = FCFlexGrid->item(row, col))
        it->setText(text);
    else
        FCFlexGrid->setItem(row, col, new QTableWidgetItem(text));
}

void frmIntakeSurveySheet::moveTo(int row, int col) {
    FCFlexGrid->setCurrentCell(row, col);
    placeEditor();
}

void frmIntakeSurveySheet::placeEditor() {
    const int row = FCFlexGrid->currentRow(), col = FCFlexGrid->currentColumn();
    if (row < 0 || col < 0 || col > kIncome)
        return;
    FCFlexGrid->scrollTo(FCFlexGrid->model()->index(row, col));
    const QRect r = FCFlexGrid->visualItemRect(
        FCFlexGrid->item(row, col) ? FCFlexGrid->item(row, col)
                                   : (setCell(row, col, QString()), FCFlexGrid->item(row, col)));
    // The other editor is hidden only once this one has the focus: hiding the focused
    // editor would let the grid move the focus, and with it the current cell.
    if (col == 3) {
        cmbFlx->setGeometry(r.left(), r.top(), r.width(), cmbFlx->sizeHint().height());
        cmbFlx->setCurrentText(cell(row, col));
        cmbFlx->show();
        cmbFlx->setFocus(Qt::OtherFocusReason);
        txtFlx->hide();
        return;
    }
    txtFlx->setText(cell(row, col));
    txtFlx->setGeometry(r);
    txtFlx->show();
    txtFlx->setFocus(Qt::OtherFocusReason);
    cmbFlx->hide();
}

double frmIntakeSurveySheet::familyTotal() const {
    QStringList incomes;
    for (int r = 0; r < FCFlexGrid->rowCount(); ++r)
        incomes << cell(r, kIncome);
    return intake::totalIncome(incomes);
}

void frmIntakeSurveySheet::computeTotal() {
    txtTotFamIncome->setText(db::numberToText(familyTotal()));
}

bool frmIntakeSurveySheet::gridKey(QObject* editor, int key) {
    const int row = FCFlexGrid->currentRow(), col = FCFlexGrid->currentColumn();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (editor == cmbFlx) {
        if (!enter)
            return false;
        if (col == 3) {
            setCell(row, col, cmbFlx->currentText());
            moveTo(row, col + 1);
        } else {
            FCFlexGrid->setFocus(Qt::OtherFocusReason);
        }
        cmbFlx->hide();
        return true;
    }
    computeTotal();
    const int last = FCFlexGrid->rowCount() - 1;
    switch (key) {
    case Qt::Key_Down:
        if (row < last)
            moveTo(row + 1, col);
        return true;
    case Qt::Key_Up:
        if (row > 0)
            moveTo(row - 1, col);
        return true;
    case Qt::Key_Right:
        if (col != kIncome)
            moveTo(row, col + 1);
        return true;
    case Qt::Key_Left:
        if (col != 0)
            moveTo(row, col - 1);
        return true;
    default:
        break;
    }
    if (!enter)
        return false;
    if (col == kIncome) {
        if (!intake::readsAsNumber(txtFlx->text())) {
            txtFlx->clear();
            ui::Messages::info(QStringLiteral("Please Enter Numeric Values"));
        }
        setCell(row, col, txtFlx->text());
        FCFlexGrid->insertRow(FCFlexGrid->rowCount());
        computeTotal();
        moveTo(row + 1, 0);
    } else {
        moveTo(row, col + 1);
        computeTotal();
    }
    return true;
}
