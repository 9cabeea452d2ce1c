#include "frmListPatient.h"

#include "db/connection.h"
#include "rules/numeric.h"
#include "server/search.h"
#include "ui/messages.h"
#include "ui/recordsetmodel.h"
#include "ui/screen.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const int kWidths[] = {1000, 1050, 1900, 1550, 1550, 1550, 1000, 1350, 2300, 2500, 2500};

// The three header pictures of the old list: an arrow up, an arrow down and a blank.
QIcon arrowIcon(bool up) {
    QPixmap p(12, 12);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(Qt::darkGray);
    g.setPen(Qt::NoPen);
    const QPolygon tri = up ? QPolygon({QPoint(6, 2), QPoint(11, 9), QPoint(1, 9)})
                            : QPolygon({QPoint(1, 3), QPoint(11, 3), QPoint(6, 10)});
    g.drawPolygon(tri);
    return QIcon(p);
}

QIcon blankIcon() {
    QPixmap p(12, 12);
    p.fill(Qt::transparent);
    return QIcon(p);
}

} // namespace

const QStringList& frmListPatient::headers() {
    static const QStringList h{
        QStringLiteral(" Adm. No."),   QStringLiteral(" Hosp.No."),   QStringLiteral(" Adm.Date"),
        QStringLiteral(" Last Name"),  QStringLiteral(" First Name"), QStringLiteral(" Middle Name"),
        QStringLiteral(" Room No."),   QStringLiteral(" ZEP  "),      QStringLiteral(" Address"),
        QStringLiteral(" Dcr.Date"),   QStringLiteral(" BillingDate")};
    return h;
}

const QStringList& frmListPatient::fields() {
    static const QStringList f{
        QStringLiteral("IDNUM"),    QStringLiteral("HospNum"),   QStringLiteral("AdmDate"),
        QStringLiteral("LastName"), QStringLiteral("FirstName"), QStringLiteral("MiddleName"),
        QStringLiteral("RoomID"),   QStringLiteral("ZEP"),       QStringLiteral("Address"),
        QStringLiteral("dcrdate"),  QStringLiteral("BillingDate")};
    return f;
}

frmListPatient::frmListPatient(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmListPatient"));
    setWindowTitle(QStringLiteral("Patient Search"));
    buildScreen();
}

frmListPatient::~frmListPatient() = default;

void frmListPatient::setConnections(db::Connection* global, db::Connection* user) {
    global_ = global;
    user_ = user;
}

void frmListPatient::buildScreen() {
    auto* searchPanel = new QWidget;
    auto* sp = new QVBoxLayout(searchPanel);
    auto box = [&](const char* name, const char* label) {
        auto* l = new QLabel(QString::fromLatin1(label));
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromLatin1(name));
        l->setBuddy(e);
        sp->addWidget(l);
        sp->addWidget(e);
        e->installEventFilter(this);
        return e;
    };
    txtHospNum = box("txtHospNum", "Enter Hospital Number:");
    txtIDNum = box("txtIDNum", "Enter Admission Number:");
    txtLastName = box("txtLastName", "Enter Lastname:");
    txtFirstName = box("txtFirstName", "Enter Firstname:");
    txtMiddleName = box("txtMiddleName", "Enter Middlename:");

    // Every typed letter is upper-case; in the number and name boxes a typed apostrophe
    // becomes a grave accent, as the department has always written such names.
    for (QLineEdit* e : {txtHospNum, txtIDNum, txtLastName, txtFirstName, txtMiddleName}) {
        const bool grave = e != txtHospNum;
        connect(e, &QLineEdit::textEdited, this, [e, grave](const QString& t) {
            QString u = t.toUpper();
            if (grave)
                u.replace(QLatin1Char('\''), QChar(96));
            if (u != t) {
                const int pos = e->cursorPosition();
                e->setText(u);
                e->setCursorPosition(pos);
            }
        });
    }

    auto* group = new QGroupBox(QStringLiteral("Patient Type"));
    auto* gl = new QVBoxLayout(group);
    optPatientType = new QButtonGroup(this);
    optPatientType->setObjectName(QStringLiteral("optPatientType"));
    const char* captions[] = {"In Patient", "Out Patient", "All Patients", "ER Patients"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(captions[i]));
        r->setObjectName(QStringLiteral("optPatientType_%1").arg(i));
        optPatientType->addButton(r, i);
        gl->addWidget(r);
    }
    optPatientType->button(0)->setChecked(true);
    // A click records the patient type; it does not search.
    connect(optPatientType, &QButtonGroup::idClicked, this,
            [this](int id) { patientType_ = QString::number(id); });
    sp->addWidget(group);

    auto* buttons = new QHBoxLayout;
    cmdSearch = new QPushButton(QStringLiteral("&Search"));
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdClose = new QPushButton(QStringLiteral("&Close"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(cmdSearch);
    buttons->addWidget(cmdClose);
    sp->addLayout(buttons);
    connect(cmdSearch, &QPushButton::clicked, this, &frmListPatient::cmdSearch_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { ui::closeScreen(this); });

    lblZEP = new QLabel(QStringLiteral("ZEP Patients"));
    lblZEP->setObjectName(QStringLiteral("lblZEP"));
    lblZEP->installEventFilter(this);
    lblZEP->setAttribute(Qt::WA_Hover);
    sp->addWidget(lblZEP);
    sp->addStretch(1);

    auto* listPanel = new QWidget;
    auto* lp = new QVBoxLayout(listPanel);
    lvwSearchPatient = new QTreeView;
    lvwSearchPatient->setObjectName(QStringLiteral("lvwSearchPatient"));
    lvwSearchPatient->setRootIsDecorated(false);
    lvwSearchPatient->setUniformRowHeights(true); // cheap layout for thousands of rows
    lvwSearchPatient->setAllColumnsShowFocus(true);
    lvwSearchPatient->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwSearchPatient->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwSearchPatient->setContextMenuPolicy(Qt::PreventContextMenu);
    model_ = new ui::RecordsetModel(this);
    model_->setColumns(headers(), fields());
    lvwSearchPatient->setModel(model_);
    for (int c = 0; c < headers().size(); ++c) {
        lvwSearchPatient->setColumnWidth(c, ui::twips(kWidths[c]));
        model_->setHeaderIcon(c, blankIcon());
    }
    lvwSearchPatient->header()->setSectionsClickable(true);
    lvwSearchPatient->header()->setSortIndicatorShown(false);
    connect(lvwSearchPatient->header(), &QHeaderView::sectionClicked, this, &frmListPatient::sortBy);
    lvwSearchPatient->installEventFilter(this);
    lvwSearchPatient->viewport()->installEventFilter(this);
    connect(lvwSearchPatient, &QTreeView::clicked, this, [this] { selectCurrentRow(); });
    connect(lvwSearchPatient, &QTreeView::doubleClicked, this, [this] { selectCurrentRow(); });
    lp->addWidget(lvwSearchPatient, 1);

    auto* bottom = new QHBoxLayout;
    pbProgress = new QProgressBar;
    pbProgress->setObjectName(QStringLiteral("pbProgress"));
    pbProgress->hide();
    lblRecCount = new QLabel(QStringLiteral("Total Number of Records : _"));
    lblRecCount->setObjectName(QStringLiteral("lblRecCount"));
    bottom->addWidget(lblRecCount, 1);
    bottom->addWidget(pbProgress, 1);
    lp->addLayout(bottom);

    imgSplitter = new QSplitter(Qt::Horizontal);
    imgSplitter->setObjectName(QStringLiteral("imgSplitter"));
    imgSplitter->addWidget(searchPanel);
    imgSplitter->addWidget(listPanel);
    imgSplitter->setStretchFactor(1, 1);
    imgSplitter->setChildrenCollapsible(false);
    searchPanel->setMinimumWidth(ui::twips(750));
    imgSplitter->setSizes({ui::twips(3200), ui::twips(12000)});
    auto* top = new QHBoxLayout(this);
    top->addWidget(imgSplitter);

    setTabOrder(txtHospNum, txtIDNum);
    setTabOrder(txtIDNum, txtLastName);
    setTabOrder(txtLastName, txtFirstName);
    setTabOrder(txtFirstName, txtMiddleName);
    listEnabled_ = false;
    lvwSearchPatient->setEnabled(true); // it must still hear the click that says it is empty
    lvwSearchPatient->setProperty("listEnabled", false);
}

int frmListPatient::rowCount() const { return model_->rowCount(); }

void frmListPatient::setBoxes(const QString& hospNum, const QString& idNum, const QString& lastName) {
    txtHospNum->setText(hospNum);
    txtIDNum->setText(idNum);
    txtLastName->setText(lastName);
}

QStringList frmListPatient::boxValues() const {
    return {txtHospNum->text().trimmed(), txtLastName->text().trimmed(),
            txtIDNum->text().trimmed(), txtFirstName->text().trimmed(),
            txtMiddleName->text().trimmed()};
}

void frmListPatient::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (opened_)
        return;
    opened_ = true;
    // A caller that set the selection first gets the list searched by it at once.
    if (preset_) {
        pbProgress->show();
        search(hospNum_, QString(), idNum_, QString(), QString());
    } else {
        pbProgress->hide();
    }
}

void frmListPatient::closeEvent(QCloseEvent* e) {
    hospNum_.clear();
    idNum_.clear();
    roomId_.clear();
    zepId_.clear();
    patientName_.clear();
    // No selection is left, so no datasheet can be asked for.
    if (datasheet_)
        datasheet_(false);
    QWidget::closeEvent(e);
}

void frmListPatient::cmdSearch_Click() {
    hospNum_.clear();
    idNum_.clear();
    const QStringList v = boxValues();
    const bool allEmpty = std::all_of(v.begin(), v.end(), [](const QString& s) { return s.isEmpty(); });
    if (allEmpty && optPatientType->checkedId() == 2) {
        ui::Messages::info(QStringLiteral("Please specify a search parameter."));
        return;
    }
    search(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4));
}

void frmListPatient::lblZEP_Click() {
    patientType_ = QStringLiteral("5");
    hospNum_.clear();
    idNum_.clear();
    runSearch(QStringLiteral("ZEP..sp_ZEP_LoadZEPPatient"), user_ ? user_ : global_, boxValues());
}

void frmListPatient::search(const QString& hospNum, const QString& lastName, const QString& idNum,
                            const QString& firstName, const QString& middleName) {
    QString proc;
    switch (optPatientType->checkedId()) {
    case 1:
        proc = QStringLiteral("ZEP..sp_ZEP_LoadOutPatient");
        break;
    case 0:
        proc = QStringLiteral("ZEP..sp_ZEP_LoadInPatient");
        break;
    case 2:
        proc = QStringLiteral("ZEP..sp_ZEP_LoadAllServicePatient");
        break;
    default:
        proc = QStringLiteral("ZEP..sp_ZEP_LoadERPatient");
        break;
    }
    runSearch(proc, global_,
              {hospNum.trimmed(), lastName.trimmed(), idNum.trimmed(), firstName.trimmed(),
               middleName.trimmed()});
}

void frmListPatient::runSearch(const QString& procedure, db::Connection* conn,
                               const QStringList& values) {
    if (!conn)
        return;
    db::Recordset rs;
    try {
        rs = conn->Call(procedure, {values.at(0), values.at(1), values.at(2), values.at(3), values.at(4)});
    } catch (const db::Error& e) {
        pbProgress->hide();
        ui::Messages::critical(QStringLiteral("The search could not be completed.\n") + e.Description());
        return;
    }
    if (rs.RecordCount() == 0) {
        // The record count keeps what it said before.
        model_->clear();
        listEnabled_ = false;
        lvwSearchPatient->setProperty("listEnabled", false);
        pbProgress->hide();
        return;
    }
    listEnabled_ = true;
    lvwSearchPatient->setProperty("listEnabled", true);
    const int limit = server::searchLimit();
    capped_ = rs.RecordCount() > limit;
    const int shown = capped_ ? limit : rs.RecordCount();
    // The list fills in one go, before the window is painted again, so the bar is not shown
    // for it: a visible bar's setValue() paints at once, and with it the whole window whose
    // count and rows have just changed, painted a second time when the search returns.
    pbProgress->setMaximum(shown);
    pbProgress->setValue(0);
    lblRecCount->setText(QStringLiteral("Total No. of Records: ") + QString::number(shown) +
                         (capped_ ? QStringLiteral("  (more patients match: only the first %1 are "
                                                   "shown; please narrow the search)")
                                        .arg(limit)
                                  : QString()));
    model_->load(rs, shown);
    pbProgress->setValue(shown);
    if (sortColumn_ >= 0)
        model_->sort(sortColumn_, sortOrder_);
    lvwSearchPatient->setCurrentIndex(model_->index(0, 0));
    if (lvwSearchPatient->isVisible()) {
        lvwSearchPatient->setFocus(Qt::OtherFocusReason);
        selectCurrentRow();
    }
    pbProgress->hide();
}

void frmListPatient::selectCurrentRow() {
    if (!listEnabled_)
        return;
    const QModelIndex cur = lvwSearchPatient->currentIndex();
    if (!cur.isValid())
        return;
    const QStringList& r = model_->row(cur.row());
    idNum_ = r.at(0);
    hospNum_ = r.at(1);
    roomId_ = r.at(6);
    zepId_ = r.at(7);
    patientName_ = r.at(3) + QStringLiteral(", ") + r.at(4) + QLatin1Char(' ') + r.at(5);
    billDate_ = r.at(10);
    if (datasheet_)
        datasheet_(rules::isNumericVisitNumber(idNum_));
}

void frmListPatient::sortBy(int column) {
    sortOrder_ = sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    for (int c = 0; c < model_->columnCount(); ++c)
        model_->setHeaderIcon(c, c == column ? arrowIcon(sortOrder_ == Qt::AscendingOrder) : blankIcon());
    model_->sort(column, sortOrder_);
    model_->setProperty("sortColumn", column);
}

void frmListPatient::boxEntered(QLineEdit* box) {
    if (box == txtHospNum) {
        idNum_.clear();
    } else if (box == txtIDNum) {
        hospNum_.clear();
    } else {
        hospNum_.clear();
        idNum_.clear();
    }
    const QStringList v = boxValues();
    search(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4));
}

bool frmListPatient::eventFilter(QObject* o, QEvent* e) {
    if (!lvwSearchPatient) // still being built
        return QWidget::eventFilter(o, e);
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            if (auto* box = qobject_cast<QLineEdit*>(o)) {
                boxEntered(box);
                return true;
            }
        }
    }
    if (o == lblZEP) {
        if (e->type() == QEvent::Enter || e->type() == QEvent::HoverEnter) {
            QFont f = lblZEP->font();
            f.setUnderline(true);
            lblZEP->setFont(f);
            lblZEP->setCursor(Qt::PointingHandCursor);
        } else if (e->type() == QEvent::Leave || e->type() == QEvent::HoverLeave) {
            QFont f = lblZEP->font();
            f.setUnderline(false);
            lblZEP->setFont(f);
            lblZEP->unsetCursor();
        } else if (e->type() == QEvent::MouseButtonRelease) {
            lblZEP_Click();
            return true;
        }
    }
    if (o == lvwSearchPatient && e->type() == QEvent::FocusIn) {
        selectCurrentRow();
    }
    if (o == lvwSearchPatient->viewport()) {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() == Qt::RightButton) {
                if (!hospNum_.isEmpty() && fileMenu_)
                    fileMenu_->popup(m->globalPosition().toPoint());
                return true;
            }
            if (!listEnabled_) {
                if (e->type() == QEvent::MouseButtonDblClick)
                    return true; // the press of this double-click has said it already
                ui::Messages::info(QStringLiteral("No records found!") + QStringLiteral("\r\n") +
                                   QStringLiteral("Sorry you can't proceed!"));
                return true;
            }
        }
    }
    return QWidget::eventFilter(o, e);
}
