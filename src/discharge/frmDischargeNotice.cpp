#include "frmDischargeNotice.h"

#include "dischargerules.h"

#include "db/connection.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A round status light: green with a tick for cleared, amber with a bar for waiting.
QIcon statusIcon(bool cleared) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(cleared ? QColor(0x1b, 0x6e, 0x20) : QColor(0x9a, 0x5b, 0x00), 1));
    p.setBrush(cleared ? QColor(0x43, 0xa0, 0x47) : QColor(0xff, 0xb3, 0x00));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (cleared)
        p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
    else
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
    return QIcon(pm);
}

constexpr int kWidths[] = {3000, 3000, 3000, 3000, 2100};

} // namespace

frmDischargeNotice::frmDischargeNotice(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDischargeNotice"));
    setWindowTitle(QStringLiteral("Discharge Notice"));
    imlStatus_.insert(QStringLiteral("clear"), statusIcon(true));
    imlStatus_.insert(QStringLiteral("open"), statusIcon(false));

    lvwRequest = new QTreeWidget(this);
    lvwRequest->setObjectName(QStringLiteral("lvwRequest"));
    lvwRequest->setRootIsDecorated(false);
    lvwRequest->setAllColumnsShowFocus(true);
    lvwRequest->setUniformRowHeights(true);
    lvwRequest->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwRequest->setHeaderLabels({QStringLiteral("Patient"), QStringLiteral("Room"),
                                 QStringLiteral("Adm. #"), QStringLiteral("Discharge Nurse"),
                                 QStringLiteral("Notice Time")});
    lvwRequest->header()->setStretchLastSection(false);
    int listWidth = 0;
    for (int c = 0; c < 5; ++c) {
        lvwRequest->setColumnWidth(c, ui::twips(kWidths[c]));
        listWidth += ui::twips(kWidths[c]);
    }
    lvwRequest->setMinimumSize(listWidth + 24, 320);

    lblLegend = new QLabel(QStringLiteral("Legend:"), this);
    lblLegend->setObjectName(QStringLiteral("lblLegend"));
    imgClear = new QLabel(this);
    imgClear->setObjectName(QStringLiteral("imgClear"));
    lblCleared = new QLabel(QStringLiteral("Cleared"), this);
    lblCleared->setObjectName(QStringLiteral("lblCleared"));
    imgOpen = new QLabel(this);
    imgOpen->setObjectName(QStringLiteral("imgOpen"));
    lblNotCleared = new QLabel(QStringLiteral("Not Cleared"), this);
    lblNotCleared->setObjectName(QStringLiteral("lblNotCleared"));

    cmdSelect = new QPushButton(QStringLiteral("&Select"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdSelect, cmdClose})
        b->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblLegend);
    bottom->addWidget(imgClear);
    bottom->addWidget(lblCleared);
    bottom->addSpacing(16);
    bottom->addWidget(imgOpen);
    bottom->addWidget(lblNotCleared);
    bottom->addStretch();
    bottom->addWidget(cmdSelect);
    bottom->addWidget(cmdClose);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lvwRequest, 1);
    lay->addLayout(bottom);

    connect(cmdSelect, &QPushButton::clicked, this, &frmDischargeNotice::cmdSelect_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDischargeNotice::cmdClose_Click);
    connect(lvwRequest, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { cmdSelect_Click(); });
}

void frmDischargeNotice::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        load();
    }
}

void frmDischargeNotice::load() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    idNum_.clear();
    valid_ = false;
    lvwRequest->clear();
    if (conn_) {
        try {
            db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_LoadDischargeNotice "));
            QList<QTreeWidgetItem*> items;
            for (; !rs.Eof(); rs.MoveNext()) {
                auto* item = new QTreeWidgetItem(
                    {rs.Text(QStringLiteral("PatientName")), rs.Text(QStringLiteral("RoomID")),
                     rs.Text(QStringLiteral("IDNUM")), rs.Text(QStringLiteral("DischargeNurse")),
                     discharge::generalDate(rs.Value(QStringLiteral("NoticeDate")))});
                const QString key = rs.IsNull(QStringLiteral("ClearDate")) ? QStringLiteral("open")
                                                                           : QStringLiteral("clear");
                item->setIcon(0, imlStatus_.value(key));
                item->setData(0, Qt::UserRole, key);
                items.append(item);
            }
            lvwRequest->addTopLevelItems(items);
        } catch (const db::Error& e) {
            QApplication::restoreOverrideCursor();
            ui::Messages::critical(e.Description(), QStringLiteral("Message"));
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    QApplication::restoreOverrideCursor();
    imgClear->setPixmap(imlStatus_.value(QStringLiteral("clear")).pixmap(16, 16));
    imgOpen->setPixmap(imlStatus_.value(QStringLiteral("open")).pixmap(16, 16));
}

void frmDischargeNotice::cmdSelect_Click() {
    QTreeWidgetItem* item = lvwRequest->currentItem();
    if (!item || !item->isSelected())
        return;
    idNum_ = item->text(2);
    valid_ = true;
    accept();
}

void frmDischargeNotice::cmdClose_Click() {
    idNum_.clear();
    valid_ = false;
    reject();
}
