// The classification scheme: its procedures on a real database, and the maintenance screen
// driven by clicks and keys.
#include "intake/frmClassificationScheme.h"
#include "reports/ui/operations.h"
#include "server/server.h"
#include "testdb.h"
#include "ui/messages.h"
#include "ui/recordsetmodel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Messages;

class TestClassificationScheme : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadColumnsAndOrder();
    void saveAddsThenChanges();
    void saveRefuses_data();
    void saveRefuses();
    void deleteCountsRows();

    void opening();
    void newTakesNextFreeKey_data();
    void newTakesNextFreeKey();
    void doubleClickFillsBoxes();
    void saveUnchangedKeepsFractions();
    void saveNewClassAndReread();
    void failedSaveKeepsEntries();
    void editWithoutRowIsRefused();
    void percentEntry_data();
    void percentEntry();
    void nonNumericEntry();
    void emptyEntry();
    void spinners();
    void codeIsUpperCaseAndDisablesNew();
    void enterOrder();
    void deleteRemovesRow();
    void deleteWithoutRowSaysSo();
    void reportShowsSavedClasses();

private:
    void addClass(const QString& type, const QString& code, double proc, double meds, double room,
                  double proc2, double meds2);
    void openScreen();
    void doubleClickRow(const QString& code);
    QVariantList stored(const QString& type);
    QStringList gridCodes() const;
    void press(QWidget* w, int key = Qt::Key_Return);

    std::unique_ptr<db::Connection> conn_;
    std::unique_ptr<frmClassificationScheme> f_;
};

void TestClassificationScheme::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    server::registerProcedures();
}

void TestClassificationScheme::init() {
    conn_ = testdb::fresh();
    Messages::startScript();
    Messages::clearShown();
}

void TestClassificationScheme::cleanup() {
    f_.reset();
    conn_.reset();
    Messages::stopScript();
}

void TestClassificationScheme::addClass(const QString& type, const QString& code, double proc,
                                        double meds, double room, double proc2, double meds2) {
    conn_->Execute(u"INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, "
                   u"PerCapitalIncome, LevelPerDependents, PFRF, OPD, IPD, Procedures, "
                   u"Medicines, Supplies, Room, Procedures2, Medicines2, Supplies2) "
                   u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                   {type, code, u"Class "_s + code, u"income "_s + code, u"level "_s + code,
                    u"fee "_s + code, u"opd"_s, u"ipd"_s, proc, meds, meds, room, proc2, meds2,
                    meds2});
}

void TestClassificationScheme::openScreen() {
    f_ = std::make_unique<frmClassificationScheme>();
    f_->setConnection(conn_.get());
    f_->setHospitalName(u"ZEP TEST HOSPITAL"_s);
    f_->show();
    QVERIFY(QTest::qWaitForWindowExposed(f_.get()));
}

QStringList TestClassificationScheme::gridCodes() const {
    QStringList codes;
    auto* m = f_->GridClassification->model();
    for (int r = 0; r < m->rowCount(); ++r)
        codes << m->index(r, 1).data().toString();
    return codes;
}

void TestClassificationScheme::doubleClickRow(const QString& code) {
    const int row = int(gridCodes().indexOf(code));
    QVERIFY(row >= 0);
    QTableView* g = f_->GridClassification;
    const QModelIndex idx = g->model()->index(row, 1);
    g->setCurrentIndex(idx);
    const QPoint p = g->visualRect(idx).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
}

QVariantList TestClassificationScheme::stored(const QString& type) {
    db::Recordset rs = conn_->Query(
        u"SELECT Code, Classification, PerCapitalIncome, LevelPerDependents, PFRF, OPD, IPD, "
        u"Procedures, Medicines, Supplies, Room, Procedures2, Medicines2, Supplies2 "
        u"FROM ZEP.tbZEPClassification WHERE Type = ?"_s,
        {type});
    QVariantList out;
    if (rs.Eof())
        return out;
    for (int i = 0; i < 7; ++i)
        out << rs.Text(i);
    for (int i = 7; i < 14; ++i)
        out << rs.Number(rs.FieldNames().at(i));
    return out;
}

void TestClassificationScheme::press(QWidget* w, int key) {
    w->setFocus();
    QTest::keyClick(w, Qt::Key(key));
}

// --- procedures ------------------------------------------------------------------------

void TestClassificationScheme::loadColumnsAndOrder() {
    addClass(u"A10"_s, u"E"_s, 0.1, 0.2, 0.3, 0.4, 0.5);
    addClass(u"A9"_s, u"D"_s, 0.255, 0, 1, 0, 0);
    addClass(u"A2"_s, u"B"_s, 0, 0, 0, 0, 0);
    db::Recordset rs = conn_->Call(u"ZEP..sp_ZEP_LoadClassification"_s);
    QCOMPARE(rs.FieldNames(),
             (QStringList{u"Code"_s, u"Classification"_s, u"PerCapitalIncome"_s,
                          u"LevelPerDependents"_s, u"PF/RF"_s, u"OPD"_s, u"IPD"_s,
                          u"IPDProcedures"_s, u"IPDMedicines"_s, u"IPDSupplies"_s, u"IPDRoom"_s,
                          u"OPDProcedures"_s, u"OPDMedicines"_s, u"OPDSupplies"_s, u"Type"_s}));
    QStringList types;
    for (; !rs.Eof(); rs.MoveNext())
        types << rs.Text(u"Type"_s);
    QCOMPARE(types, (QStringList{u"A2"_s, u"A9"_s, u"A10"_s}));
    rs.MoveFirst();
    rs.MoveNext();
    // Fractions as plain numbers on both engines.
    QCOMPARE(rs.Text(u"IPDProcedures"_s), u"0.255"_s);
    QCOMPARE(rs.Text(u"IPDRoom"_s), u"1"_s);
    QCOMPARE(rs.Text(u"PF/RF"_s), u"fee D"_s);
}

void TestClassificationScheme::saveAddsThenChanges() {
    const auto save = [&](const QString& name, const QString& medsI) {
        conn_->Call(u"ZEP..sp_ZEP_UpdateClassificationScheme"_s,
                    {u"A3"_s, u"C1"_s, u"0.25"_s, medsI, medsI, u"0.5"_s, u"0.1"_s, u"0.2"_s,
                     u"0.2"_s, name, u"inc"_s, u"dep"_s, u"fee"_s, u"ipd text"_s, u"opd text"_s});
    };
    save(u"Charity"_s, u"0.3"_s);
    QCOMPARE(stored(u"A3"_s),
             (QVariantList{u"C1"_s, u"Charity"_s, u"inc"_s, u"dep"_s, u"fee"_s, u"opd text"_s,
                           u"ipd text"_s, 0.25, 0.3, 0.3, 0.5, 0.1, 0.2, 0.2}));
    save(u"Charity 2"_s, u"0.9"_s);
    QCOMPARE(conn_->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPClassification"_s).Number(u"n"_s),
             1.0);
    QCOMPARE(stored(u"A3"_s).at(1).toString(), u"Charity 2"_s);
    QCOMPARE(stored(u"A3"_s).at(8).toDouble(), 0.9);
    // The pickers' code list follows.
    db::Recordset list = conn_->Query(u"SELECT Code, Classification FROM "
                                      u"ZEP.tbZEPClassificationScheme"_s);
    QCOMPARE(list.Text(u"Classification"_s), u"Charity 2"_s);
}

void TestClassificationScheme::saveRefuses_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("message");
    QTest::newRow("no key") << u""_s << u"X"_s << u"0"_s << u"No classification"_s;
    QTest::newRow("no code") << u"A5"_s << u" "_s << u"0"_s << u"code is empty"_s;
    QTest::newRow("code of another class") << u"A5"_s << u"A"_s << u"0"_s << u"already belongs"_s;
    QTest::newRow("more than all") << u"A1"_s << u"A"_s << u"1.01"_s << u"between 0% and 100%"_s;
    QTest::newRow("negative") << u"A1"_s << u"A"_s << u"-0.01"_s << u"between 0% and 100%"_s;
    QTest::newRow("not a number") << u"A1"_s << u"A"_s << u"5%"_s << u""_s;
}

void TestClassificationScheme::saveRefuses() {
    QFETCH(QString, type);
    QFETCH(QString, code);
    QFETCH(QString, room);
    QFETCH(QString, message);
    addClass(u"A1"_s, u"A"_s, 0.1, 0.1, 0.1, 0.1, 0.1);
    const QVariantList before = stored(u"A1"_s);
    try {
        conn_->Call(u"ZEP..sp_ZEP_UpdateClassificationScheme"_s,
                    {type, code, u"0"_s, u"0"_s, u"0"_s, room, u"0"_s, u"0"_s, u"0"_s, u"n"_s,
                     u""_s, u""_s, u""_s, u""_s, u""_s});
        QFAIL("saved");
    } catch (const db::Error& e) {
        QVERIFY2(e.Description().contains(message), qPrintable(e.Description()));
    }
    QCOMPARE(stored(u"A1"_s), before);
    QCOMPARE(conn_->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPClassification"_s).Number(u"n"_s),
             1.0);
}

void TestClassificationScheme::deleteCountsRows() {
    addClass(u"A1"_s, u"A"_s, 0, 0, 0, 0, 0);
    addClass(u"A2"_s, u"B"_s, 0, 0, 0, 0, 0);
    auto del = [&](const QString& key) {
        return conn_->Call(u"ZEP..sp_ZEP_DeleteClassification"_s, {key}).Number(u"Deleted"_s);
    };
    QCOMPARE(del(u""_s), 0.0);
    QCOMPARE(del(u"A1"_s), 1.0);
    QCOMPARE(del(u"A1"_s), 0.0);
    QVERIFY(stored(u"A1"_s).isEmpty());
    QVERIFY(!stored(u"A2"_s).isEmpty());
}

// --- the screen ------------------------------------------------------------------------

void TestClassificationScheme::opening() {
    addClass(u"A1"_s, u"A"_s, 0, 0, 0, 0, 0);
    addClass(u"A2"_s, u"B"_s, 0.1, 0.1, 0.25, 0.1, 0.1);
    openScreen();
    QCOMPARE(f_->windowTitle(), u"ZEP TEST HOSPITAL"_s);
    QCOMPARE(gridCodes(), (QStringList{u"A"_s, u"B"_s}));
    QTableView* g = f_->GridClassification;
    QCOMPARE(g->model()->columnCount(), 16);
    for (int c = 0; c < 16; ++c)
        QCOMPARE(g->isColumnHidden(c), c >= 8);
    QCOMPARE(g->model()->headerData(15, Qt::Horizontal).toString(), u"Type"_s);
    QCOMPARE(f_->fltNew->text(), u"&New"_s);
    QCOMPARE(f_->fltClose->text(), u"Clo&se"_s);
    QVERIFY(f_->fltNew->isEnabled() && f_->fltEdit->isEnabled() && f_->fltDelete->isEnabled());
    QVERIFY(!f_->fltSave->isEnabled());
    QVERIFY(!f_->txtCode->isEnabled() && !f_->txtProcPercentI->isEnabled());
    QVERIFY(!f_->UpDown1[0]->isEnabled());
    QVERIFY(Messages::shown().isEmpty());
}

void TestClassificationScheme::newTakesNextFreeKey_data() {
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty scheme") << QStringList{} << QStringList{} << u"A1"_s;
    // The demo's last class is A6 with code D: the key comes from the keys, not the code.
    QTest::newRow("last code is a letter")
        << QStringList{u"A5"_s, u"A6"_s} << QStringList{u"C3"_s, u"D"_s} << u"A7"_s;
    // A code ending in a digit lower than the keys must not hand out a key in use.
    QTest::newRow("code ends in 1") << QStringList{u"A1"_s, u"A2"_s, u"A3"_s}
                                    << QStringList{u"X"_s, u"Y"_s, u"C1"_s} << u"A4"_s;
    QTest::newRow("past nine") << QStringList{u"A9"_s, u"A10"_s} << QStringList{u"P"_s, u"Q"_s}
                               << u"A11"_s;
}

void TestClassificationScheme::newTakesNextFreeKey() {
    QFETCH(QStringList, types);
    QFETCH(QStringList, codes);
    QFETCH(QString, key);
    for (int i = 0; i < types.size(); ++i)
        addClass(types[i], codes[i], 0, 0, 0, 0, 0);
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    QCOMPARE(f_->Key(), key);
    QVERIFY(f_->fltNew->isEnabled() && f_->fltSave->isEnabled() && f_->fltCancel->isEnabled());
    QVERIFY(!f_->fltEdit->isEnabled() && !f_->fltDelete->isEnabled());
    QVERIFY(f_->txtCode->isEnabled() && f_->txtMedsPercentI->isEnabled());
    QVERIFY(f_->txtCode->text().isEmpty());
}

void TestClassificationScheme::doubleClickFillsBoxes() {
    addClass(u"A1"_s, u"A"_s, 0.255, 0.9, 0, 0.1, 0.5);
    openScreen();
    doubleClickRow(u"A"_s);
    QCOMPARE(f_->Key(), u"A1"_s);
    QCOMPARE(f_->txtCode->text(), u"A"_s);
    QCOMPARE(f_->txtClassification->text(), u"Class A"_s);
    QCOMPARE(f_->txtIncome->text(), u"income A"_s);
    QCOMPARE(f_->txtDependents->text(), u"level A"_s);
    QCOMPARE(f_->txtProfFee->text(), u"fee A"_s);
    QCOMPARE(f_->txtProcPercentI->text(), u"25.5%"_s);
    QCOMPARE(f_->txtMedsPercentI->text(), u"90%"_s);
    QCOMPARE(f_->txtRoomPercentI->text(), u"0%"_s);
    QCOMPARE(f_->txtProcPercentO->text(), u"10%"_s);
    QCOMPARE(f_->txtMedsPercentO->text(), u"50%"_s);
    QCOMPARE(f_->txtMedicinesI->text(), u"0.9"_s);
    QVERIFY(!f_->txtCode->isEnabled() && !f_->fltSave->isEnabled());
    QVERIFY(f_->fltNew->isEnabled() && f_->fltEdit->isEnabled());
}

void TestClassificationScheme::saveUnchangedKeepsFractions() {
    addClass(u"A1"_s, u"A"_s, 0.255, 0.9, 0, 0.1, 0.5);
    addClass(u"A2"_s, u"B"_s, 0, 0, 0, 0, 0);
    openScreen();
    doubleClickRow(u"A"_s);
    QTest::mouseClick(f_->fltEdit, Qt::LeftButton);
    QVERIFY(!f_->fltNew->isEnabled() && f_->fltSave->isEnabled() && f_->txtCode->isEnabled());
    QTest::mouseClick(f_->fltSave, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Classification Scheme Updated."_s});
    QCOMPARE(Messages::shown().first().title, u"Message"_s);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Information);
    QCOMPARE(stored(u"A1"_s),
             (QVariantList{u"A"_s, u"Class A"_s, u"income A"_s, u"level A"_s, u"fee A"_s,
                           u"10% on Procedures; 50% on Meds/Supplies"_s,
                           u"25.5% on Procedures; 90% on Meds/Supplies; Free Room"_s, 0.255, 0.9,
                           0.9, 0.0, 0.1, 0.5, 0.5}));
    // Cleared and disabled, grid reloaded, the other class untouched.
    QVERIFY(f_->txtCode->text().isEmpty() && !f_->txtCode->isEnabled());
    QVERIFY(f_->fltDelete->isEnabled() && !f_->fltSave->isEnabled());
    QCOMPARE(gridCodes(), (QStringList{u"A"_s, u"B"_s}));
    QCOMPARE(f_->GridClassification->model()->index(0, 7).data().toString(),
             u"25.5% on Procedures; 90% on Meds/Supplies; Free Room"_s);
}

void TestClassificationScheme::saveNewClassAndReread() {
    addClass(u"A6"_s, u"D"_s, 1, 1, 1, 1, 1);
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    QTest::keyClicks(f_->txtCode, u"c4"_s);
    f_->txtClassification->setText(u"Charity 60%"_s);
    f_->txtIncome->setText(u"P 1,500"_s);
    f_->txtDependents->setText(u"Family of 5"_s);
    f_->txtProfFee->setText(u"waived"_s);
    const QList<QPair<QLineEdit*, QString>> entries{{f_->txtProcPercentO, u"60"_s},
                                                    {f_->txtMedsPercentO, u"50%"_s},
                                                    {f_->txtRoomPercentI, u"5%"_s},
                                                    {f_->txtProcPercentI, u"7.5"_s},
                                                    {f_->txtMedsPercentI, u"100%"_s}};
    for (const auto& [box, text] : entries) {
        box->setText(text);
        press(box);
    }
    QVERIFY(Messages::shown().isEmpty());
    QTest::mouseClick(f_->fltSave, Qt::LeftButton);
    QCOMPARE(stored(u"A7"_s),
             (QVariantList{u"C4"_s, u"Charity 60%"_s, u"P 1,500"_s, u"Family of 5"_s, u"waived"_s,
                           u"60% on Procedures; 50% on Meds/Supplies"_s,
                           u"7.5% on Procedures; 100% on Meds/Supplies; 5% on Room"_s, 0.075, 1.0,
                           1.0, 0.05, 0.6, 0.5, 0.5}));
    QCOMPARE(stored(u"A6"_s).at(0).toString(), u"D"_s); // the last class is not overwritten
    QCOMPARE(gridCodes(), (QStringList{u"D"_s, u"C4"_s}));
    // Reread through the grid.
    doubleClickRow(u"C4"_s);
    QCOMPARE(f_->Key(), u"A7"_s);
    QCOMPARE(f_->txtRoomPercentI->text(), u"5%"_s);
    QCOMPARE(f_->txtProcPercentI->text(), u"7.5%"_s);
    QCOMPARE(f_->txtProcPercentO->text(), u"60%"_s);
}

void TestClassificationScheme::failedSaveKeepsEntries() {
    addClass(u"A1"_s, u"A"_s, 0.99, 0, 0, 0, 0);
    openScreen();
    doubleClickRow(u"A"_s);
    QTest::mouseClick(f_->fltEdit, Qt::LeftButton);
    f_->UpDown1[3]->stepBy(1);
    f_->UpDown1[3]->stepBy(1);
    QCOMPARE(f_->txtProcPercentI->text(), u"101%"_s);
    QTest::mouseClick(f_->fltSave, Qt::LeftButton);
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Critical);
    QVERIFY(Messages::shownTexts().first().contains(u"between 0% and 100%"_s));
    QCOMPARE(stored(u"A1"_s).at(7).toDouble(), 0.99);
    QCOMPARE(f_->txtProcPercentI->text(), u"101%"_s);
    QVERIFY(f_->fltSave->isEnabled() && f_->txtCode->isEnabled());
}

void TestClassificationScheme::editWithoutRowIsRefused() {
    openScreen();
    QTest::mouseClick(f_->fltEdit, Qt::LeftButton);
    QTest::keyClicks(f_->txtCode, u"Z"_s);
    QTest::mouseClick(f_->fltSave, Qt::LeftButton);
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Critical);
    QCOMPARE(conn_->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPClassification"_s).Number(u"n"_s),
             0.0);
}

void TestClassificationScheme::percentEntry_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("fraction");
    QTest::newRow("out procedures 75%") << 0 << u"75%"_s << u"75%"_s << u"0.75"_s;
    QTest::newRow("out meds 75") << 1 << u"75"_s << u"75%"_s << u"0.75"_s;
    QTest::newRow("room 0") << 2 << u"0"_s << u"0%"_s << u"0"_s;
    QTest::newRow("in procedures 25.5") << 3 << u"25.5"_s << u"25.5%"_s << u"0.255"_s;
    QTest::newRow("in meds 100%") << 4 << u"100%"_s << u"100%"_s << u"1"_s;
}

void TestClassificationScheme::percentEntry() {
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, fraction);
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    const QList<QLineEdit*> pct{f_->txtProcPercentO, f_->txtMedsPercentO, f_->txtRoomPercentI,
                                f_->txtProcPercentI, f_->txtMedsPercentI};
    const QList<QLineEdit*> frac{f_->txtProceduresO, f_->txtMedicinesO, f_->txtRoomI,
                                 f_->txtProceduresI, f_->txtMedicinesI};
    const QList<QWidget*> next{f_->txtMedsPercentO, f_->txtRoomPercentI, f_->txtProcPercentI,
                               f_->txtMedsPercentI, f_->txtProfFee};
    pct[index]->setFocus();
    QTest::keyClicks(pct[index], typed);
    QTest::keyClick(pct[index], Qt::Key_Return);
    QCOMPARE(pct[index]->text(), shown);
    QCOMPARE(frac[index]->text(), fraction);
    QCOMPARE(QApplication::focusWidget(), next[index]);
    for (int i = 0; i < 5; ++i)
        if (i != index)
            QVERIFY(frac[i]->text().isEmpty());
    QVERIFY(Messages::shown().isEmpty());
}

void TestClassificationScheme::nonNumericEntry() {
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    f_->txtRoomPercentI->setText(u"40%"_s);
    press(f_->txtRoomPercentI);
    f_->txtRoomPercentI->setText(u"4o%"_s);
    press(f_->txtRoomPercentI);
    QCOMPARE(Messages::shownTexts(),
             (QStringList{u"Please enter numeric values only."_s, u"Invalid Entry"_s}));
    QCOMPARE(Messages::shown().at(0).icon, ui::Icon::None);
    QCOMPARE(Messages::shown().at(0).title, Messages::applicationTitle());
    QCOMPARE(Messages::shown().at(1).icon, ui::Icon::Exclamation);
    QVERIFY(f_->txtRoomPercentI->text().isEmpty());
    QVERIFY(f_->txtRoomI->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), f_->txtRoomPercentI);
}

void TestClassificationScheme::emptyEntry() {
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    f_->txtMedsPercentO->setText(u"20%"_s);
    press(f_->txtMedsPercentO);
    f_->txtMedsPercentO->clear();
    press(f_->txtMedsPercentO);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Invalid Entry"_s});
    QVERIFY(f_->txtMedicinesO->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), f_->txtMedsPercentO);
}

void TestClassificationScheme::spinners() {
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    f_->txtProcPercentO->setText(u"99%"_s);
    f_->UpDown1[0]->stepBy(1);
    QCOMPARE(f_->txtProcPercentO->text(), u"100%"_s);
    QCOMPARE(f_->txtProceduresO->text(), u"1"_s);
    f_->UpDown1[0]->stepBy(1);
    QCOMPARE(f_->txtProcPercentO->text(), u"101%"_s);
    QCOMPARE(f_->txtProceduresO->text(), u"1.01"_s);
    // Each spinner steps its own box; the arrow keys of a real spinner do the same.
    f_->txtMedsPercentI->setText(u"10%"_s);
    f_->UpDown1[4]->stepBy(-1);
    QCOMPARE(f_->txtMedsPercentI->text(), u"9%"_s);
    QCOMPARE(f_->txtMedicinesI->text(), u"0.09"_s);
    QCOMPARE(f_->txtProcPercentO->text(), u"101%"_s);
    f_->UpDown1[2]->setEnabled(true);
    QTest::keyClick(f_->UpDown1[2], Qt::Key_Up);
    QCOMPARE(f_->txtRoomPercentI->text(), u"1"_s); // an empty box steps to a plain 1
    QCOMPARE(f_->txtRoomI->text(), u"0.01"_s);
    f_->UpDown1_Change(5, true);
    f_->UpDown1_Change(-1, true);
    QVERIFY(Messages::shown().isEmpty());
    // Disabled with the boxes.
    QTest::mouseClick(f_->fltCancel, Qt::LeftButton);
    QVERIFY(!f_->UpDown1[1]->isEnabled());
    QVERIFY(f_->txtProcPercentO->text().isEmpty() && f_->txtProceduresO->text().isEmpty());
}

void TestClassificationScheme::codeIsUpperCaseAndDisablesNew() {
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    QVERIFY(f_->fltNew->isEnabled());
    QTest::keyClicks(f_->txtCode, u"c2a"_s);
    QCOMPARE(f_->txtCode->text(), u"C2A"_s);
    QVERIFY(!f_->fltNew->isEnabled());
    QTest::mouseClick(f_->fltCancel, Qt::LeftButton);
    QVERIFY(f_->fltNew->isEnabled() && f_->fltEdit->isEnabled() && !f_->fltSave->isEnabled());
    QVERIFY(!f_->fltDelete->isEnabled()); // Cancel leaves Delete as New set it
    QCOMPARE(f_->Key(), u"A1"_s);         // and keeps the key
}

void TestClassificationScheme::enterOrder() {
    openScreen();
    QTest::mouseClick(f_->fltNew, Qt::LeftButton);
    const QList<QLineEdit*> order{f_->txtCode,         f_->txtClassification, f_->txtIncome,
                                  f_->txtDependents,   f_->txtProcPercentO,   f_->txtMedsPercentO,
                                  f_->txtRoomPercentI, f_->txtProcPercentI,   f_->txtMedsPercentI,
                                  f_->txtProfFee};
    f_->txtCode->setFocus();
    for (QLineEdit* e : order) {
        QCOMPARE(QApplication::focusWidget(), e);
        if (e->objectName().contains(u"Percent"_s))
            QTest::keyClicks(e, u"5"_s);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), f_->fltSave);
    QVERIFY(Messages::shown().isEmpty()); // Enter in the fee box does not save
    QCOMPARE(conn_->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPClassification"_s).Number(u"n"_s),
             0.0);
}

void TestClassificationScheme::deleteRemovesRow() {
    addClass(u"A1"_s, u"A"_s, 0, 0, 0, 0, 0);
    addClass(u"A2"_s, u"B"_s, 0, 0, 0, 0, 0);
    openScreen();
    doubleClickRow(u"B"_s);
    QTest::mouseClick(f_->fltDelete, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Classification code deleted."_s});
    QCOMPARE(Messages::shown().first().title, u"Message"_s);
    QVERIFY(stored(u"A2"_s).isEmpty());
    QCOMPARE(gridCodes(), QStringList{u"A"_s});
    QVERIFY(f_->txtCode->text().isEmpty() && !f_->txtCode->isEnabled());
    QVERIFY(f_->fltNew->isEnabled() && f_->fltEdit->isEnabled() && !f_->fltSave->isEnabled());
}

void TestClassificationScheme::deleteWithoutRowSaysSo() {
    addClass(u"A1"_s, u"A"_s, 0, 0, 0, 0, 0);
    openScreen();
    QTest::mouseClick(f_->fltDelete, Qt::LeftButton);
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Exclamation);
    QVERIFY(!Messages::shownTexts().contains(u"Classification code deleted."_s));
    QVERIFY(!stored(u"A1"_s).isEmpty());
}

// The printed scheme, opened as the main window opens it, lists what the screen saved.
void TestClassificationScheme::reportShowsSavedClasses() {
    addClass(u"A1"_s, u"A"_s, 0, 0, 0, 0, 0);
    openScreen();
    doubleClickRow(u"A"_s);
    QTest::mouseClick(f_->fltEdit, Qt::LeftButton);
    f_->txtClassification->setText(u"Pay in full"_s);
    f_->txtRoomPercentI->setText(u"12.5%"_s);
    press(f_->txtRoomPercentI);
    QTest::mouseClick(f_->fltSave, Qt::LeftButton);

    reports::setConnection(conn_.get());
    reports::setHospitalName(u"ZEP TEST HOSPITAL"_s);
    reports::startRecording();
    reports::clearShownReports();
    const QString folder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
    QVERIFY(reports::OpenReport(folder, u"ClassificationScheme.rpt"_s,
                                {u"ZEP TEST HOSPITAL"_s, u"ZEP - SOCIAL SERVICE DEPARTMENT"_s,
                                 u"1 Test Street"_s}));
    QVERIFY(reports::ShowReport(false, u"Classification Scheme"_s, false));
    QCOMPARE(reports::shownReports().size(), 1);
    const reports::ShownReport shown = reports::shownReports().first();
    reports::stopRecording();
    QCOMPARE(shown.title, u"Classification Scheme"_s);
    QVERIFY(shown.text.contains(u"ZEP - SOCIAL SERVICE DEPARTMENT"_s));
    QVERIFY(shown.text.contains(u"1 Test Street"_s));
    QVERIFY2(shown.text.contains(
                 u"A | Pay in full | income A | level A | 0% | 0% | 12.5% | 0% | 0% | fee A"_s),
             qPrintable(shown.text));
}

QTEST_MAIN(TestClassificationScheme)
#include "tst_classificationscheme.moc"
