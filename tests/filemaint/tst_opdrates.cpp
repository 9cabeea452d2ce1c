// The out-patient rates as the worker opens them from File Maintenance › Edit OPS Rates:
// the grid, the edit frame's states, the price rules with their messages, and that only the
// price is ever written.
#include "../intake/casefixture.h"
#include "../intake/modalscript.h"
#include "screenfit.h"

#include "filemaint/frmOPDRates.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Icon;
using ui::Messages;

class tst_opdrates : public QObject {
    Q_OBJECT
    CaseFixture fx;
    app::mdiZEP* w = nullptr;

    db::Connection& c() { return CaseFixture::conn(); }
    QString one(const QString& sql, const QVariantList& v = {}) {
        const db::Recordset rs = c().Query(sql, v);
        return rs.Eof() ? u"<none>"_s : rs.Text(0);
    }
    // The stored row, "Description|Price|Status", the price with its centavos.
    QString stored(const QString& code) {
        const db::Recordset rs = c().Query(
            u"SELECT Description, Price, Status FROM ZEP.tbZEPOPSRates WHERE Code = ?"_s, {code});
        if (rs.Eof())
            return u"<none>"_s;
        return rs.Text(u"Description"_s) + u'|' + QString::number(rs.Number(u"Price"_s), 'f', 2) +
               u'|' + rs.Text(u"Status"_s);
    }
    static QString iconName(Icon i) {
        switch (i) {
        case Icon::Information: return u"information"_s;
        case Icon::Exclamation: return u"exclamation"_s;
        case Icon::Critical: return u"critical"_s;
        case Icon::Question: return u"question"_s;
        case Icon::None: break;
        }
        return u"none"_s;
    }
    static QStringList shown() {
        QStringList out;
        for (const ui::Shown& s : Messages::shown())
            out << iconName(s.icon) + u'|' + s.title + u'|' + s.text;
        return out;
    }
    static QStringList rows(frmOPDRates* f) {
        QStringList out;
        for (int r = 0; r < f->rowCount(); ++r)
            out << f->cell(r, 1) + u'|' + f->cell(r, 2) + u'|' + f->cell(r, 3) + u'|' + f->cell(r, 4);
        return out;
    }
    static void chooseRow(frmOPDRates* f, const QString& code) {
        for (int r = 0; r < f->rowCount(); ++r)
            if (f->cell(r, 1) == code)
                f->grdRates->setCurrentIndex(f->grdRates->model()->index(r, 1));
    }
    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static QString state(frmOPDRates* f) {
        return QStringLiteral("frame %1, edit %2, update %3, cancel %4")
            .arg(f->Frame2->isEnabled() ? u"on"_s : u"off"_s, f->cmdEdit->isEnabled() ? u"on"_s : u"off"_s,
                 f->cmdUpdate->isEnabled() ? u"on"_s : u"off"_s,
                 f->cmdCancel->isEnabled() ? u"on"_s : u"off"_s);
    }

    // Opens the screen from its menu item, runs `act` on it and closes it with its button.
    void withScreen(const std::function<void(frmOPDRates*)>& act) {
        ModalScript s;
        s.then(u"frmOPDRates"_s, [&](QWidget* d) {
            auto* f = qobject_cast<frmOPDRates*>(d);
            QVERIFY(f);
            QCOMPARE(f->parentWidget(), w);
            act(f);
            click(f->cmdClose);
        });
        s.start();
        w->item(u"mnuOPSRates"_s)->trigger();
        s.stop();
        QVERIFY2(!s.stalled(), qPrintable(s.seen().join(u',')));
        QVERIFY(s.done());
        QVERIFY(!w->findChild<frmOPDRates*>()); // gone with its close
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto setup = fx.create();
        Q_UNUSED(setup);
        Messages::startScript();
        Messages::setApplicationTitle(app::departmentTitle());
    }
    void init() {
        Messages::clearShown();
        w = fx.start();
        QVERIFY(w);
        c().Execute(u"DELETE FROM ZEP.tbZEPOPSRates"_s);
        c().Execute(u"INSERT INTO ZEP.tbZEPOPSRates (Code, Description, Price, Status) VALUES "
                    "('OPS01', 'Consultation', 300, 'A'), ('OPS02', 'Hemodialysis Session', 2600.5, 'A'), "
                    "('OPS03', 'Minor Suturing (old rate)', 500, 'I')"_s);
    }
    void cleanup() {
        const int unused = Messages::unusedAnswers();
        Messages::startScript();
        fx.stop();
        QCOMPARE(unused, 0);
    }

    void opensWithItsTexts() {
        withScreen([&](frmOPDRates* f) {
            QCOMPARE(f->windowTitle(), app::departmentTitle());
            QCOMPARE(f->lblHeading->text(), u"Update OPD Rates"_s);
            QCOMPARE(f->Frame1->title(), u"Classification for OPS Clients "_s);
            QCOMPARE(f->Frame2->title(), u"Edit OPS Rates"_s);
            QStringList labels;
            for (QLabel* l : f->Frame2->findChildren<QLabel*>())
                labels << l->text();
            labels.sort();
            QCOMPARE(labels, (QStringList{u"CODE"_s, u"DESCRIPTION"_s, u"PRICE"_s}));
            QCOMPARE(f->chkActive->text(), u"&Active"_s);
            QCOMPARE(f->cmdEdit->text(), u"&Edit"_s);
            QCOMPARE(f->cmdUpdate->text(), u"&Update"_s);
            QCOMPARE(f->cmdCancel->text(), u"Ca&ncel"_s);
            QCOMPARE(f->cmdClose->text(), u"&Close"_s);
            QStringList headers;
            for (int col = 0; col < 5; ++col)
                headers << f->grdRates->model()->headerData(col, Qt::Horizontal).toString();
            QCOMPARE(headers, (QStringList{u""_s, u"Code"_s, u"Description"_s, u"Price"_s, u"Status"_s}));
            QVERIFY(f->grdRates->isColumnHidden(4));
            QVERIFY(!f->grdRates->isColumnHidden(3));
            QCOMPARE(f->grdRates->columnWidth(2), 133); // 2000 twips
            QCOMPARE(rows(f), (QStringList{u"OPS01|Consultation|300.00|A"_s,
                                           u"OPS02|Hemodialysis Session|2600.50|A"_s,
                                           u"OPS03|Minor Suturing (old rate)|500.00|I"_s}));
            QCOMPARE(state(f), u"frame off, edit on, update off, cancel off"_s);
            screenfit::showAsLaptop(*w);
            QCOMPARE(screenfit::problems(f, {u"cmdEdit"_s, u"cmdUpdate"_s, u"cmdCancel"_s, u"cmdClose"_s}),
                     QStringList());
            CaseFixture::shot(f, u"opdrates"_s);
        });
        QCOMPARE(shown(), QStringList());
    }

    void takesTheRow_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("frame"); // code|description|price|active
        QTest::newRow("whole price") << "OPS01" << "OPS01|Consultation|300|on";
        QTest::newRow("centavos") << "OPS02" << "OPS02|Hemodialysis Session|2600.5|on";
        QTest::newRow("inactive") << "OPS03" << "OPS03|Minor Suturing (old rate)|500|off";
    }
    void takesTheRow() {
        QFETCH(QString, code);
        QFETCH(QString, frame);
        withScreen([&](frmOPDRates* f) {
            chooseRow(f, code);
            emit f->grdRates->doubleClicked(f->grdRates->currentIndex());
            const auto taken = [f] {
                return f->txtCode->text() + u'|' + f->txtDescription->text() + u'|' +
                       f->txtPrice->text() + u'|' + (f->chkActive->isChecked() ? u"on"_s : u"off"_s);
            };
            QCOMPARE(taken(), frame);
            QCOMPARE(state(f), u"frame off, edit on, update off, cancel off"_s); // still browsing
            f->txtCode->clear();
            click(f->cmdEdit);
            QCOMPARE(taken(), frame);
            QCOMPARE(state(f), u"frame on, edit off, update on, cancel on"_s);
            QCOMPARE(f->focusWidget(), f->txtPrice);
        });
    }

    // Whatever is typed, only the price is written, and only a price the table can hold.
    void update_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("storedAfter"); // OPS02 afterwards
        QTest::addColumn<QString>("gridPrice");  // OPS02's price cell afterwards
        QTest::addColumn<QString>("after");      // the states afterwards
        const QString browsing = u"frame off, edit on, update off, cancel on"_s;
        const QString editing = u"frame on, edit off, update on, cancel on"_s;
        const QString refused = u"exclamation|Message|Enter the price as an amount of 0 or more, with at most two decimals."_s;
        QTest::newRow("trailing zeros") << "1750.500" << QStringList{u"information|Message|Record Saved"_s}
                                        << "Hemodialysis Session|1750.50|A" << "1750.50" << browsing;
        QTest::newRow("whole") << " 2800 " << QStringList{u"information|Message|Record Saved"_s}
                               << "Hemodialysis Session|2800.00|A" << "2800.00" << browsing;
        QTest::newRow("zero") << "0" << QStringList{u"information|Message|Record Saved"_s}
                              << "Hemodialysis Session|0.00|A" << "0.00" << browsing;
        QTest::newRow("unchanged") << "2600.5" << QStringList{u"information|Message|Record Saved"_s}
                                   << "Hemodialysis Session|2600.50|A" << "2600.50" << browsing;
        QTest::newRow("empty") << "" << QStringList{u"information|Message|Enter the Amount"_s}
                               << "Hemodialysis Session|2600.50|A" << "2600.50" << editing;
        QTest::newRow("letters") << "abc" << QStringList{refused} << "Hemodialysis Session|2600.50|A"
                                 << "2600.50" << editing;
        QTest::newRow("thousands comma") << "2,600" << QStringList{refused}
                                         << "Hemodialysis Session|2600.50|A" << "2600.50" << editing;
        QTest::newRow("negative") << "-5" << QStringList{refused} << "Hemodialysis Session|2600.50|A"
                                  << "2600.50" << editing;
        QTest::newRow("three decimals") << "12.345" << QStringList{refused}
                                        << "Hemodialysis Session|2600.50|A" << "2600.50" << editing;
    }
    void update() {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, storedAfter);
        QFETCH(QString, gridPrice);
        QFETCH(QString, after);
        withScreen([&](frmOPDRates* f) {
            chooseRow(f, u"OPS02"_s);
            click(f->cmdEdit);
            // The other boxes take no typing: what they show is not saved.
            QTest::keyClicks(f->txtDescription, u"CHANGED"_s);
            QTest::mouseClick(f->chkActive, Qt::LeftButton);
            QCOMPARE(f->txtDescription->text(), u"Hemodialysis Session"_s);
            QVERIFY(f->chkActive->isChecked());
            QVERIFY(f->txtCode->isReadOnly());
            f->txtPrice->clear();
            QTest::keyClicks(f->txtPrice, typed);
            click(f->cmdUpdate);
            QCOMPARE(shown(), messages);
            QCOMPARE(state(f), after);
            for (int r = 0; r < f->rowCount(); ++r)
                if (f->cell(r, 1) == u"OPS02"_s)
                    QCOMPARE(f->cell(r, 3), gridPrice);
            QCOMPARE(f->focusWidget(), after.startsWith(u"frame on"_s) ? static_cast<QWidget*>(f->txtPrice)
                                                                          : f->grdRates);
        });
        QCOMPARE(stored(u"OPS02"_s), storedAfter);
        QCOMPARE(stored(u"OPS01"_s), u"Consultation|300.00|A"_s);
        QCOMPARE(stored(u"OPS03"_s), u"Minor Suturing (old rate)|500.00|I"_s);
    }

    void enterInThePriceUpdates() {
        withScreen([&](frmOPDRates* f) {
            chooseRow(f, u"OPS03"_s);
            click(f->cmdEdit);
            f->txtPrice->selectAll();
            QTest::keyClicks(f->txtPrice, u"650"_s);
            QTest::keyClick(f->txtPrice, Qt::Key_Return);
        });
        QCOMPARE(shown(), QStringList{u"information|Message|Record Saved"_s});
        QCOMPARE(stored(u"OPS03"_s), u"Minor Suturing (old rate)|650.00|I"_s);
    }

    // A rate removed after the list was read: nothing is written, and the screen says so
    // instead of "Record Saved".
    void vanishedRate() {
        withScreen([&](frmOPDRates* f) {
            chooseRow(f, u"OPS01"_s);
            click(f->cmdEdit);
            c().Execute(u"DELETE FROM ZEP.tbZEPOPSRates WHERE Code = 'OPS01'"_s);
            f->txtPrice->setText(u"999"_s);
            QCOMPARE(f->cmdUpdate_Click(), false);
            QCOMPARE(rows(f), (QStringList{u"OPS02|Hemodialysis Session|2600.50|A"_s,
                                           u"OPS03|Minor Suturing (old rate)|500.00|I"_s}));
            QCOMPARE(state(f), u"frame off, edit on, update off, cancel on"_s);
        });
        QCOMPARE(shown(), QStringList{u"exclamation|Message|The rate OPS01 is no longer on file; "
                                      "nothing was saved. The list is read again."_s});
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPOPSRates WHERE Price = 999"_s), u"0"_s);
    }

    void cancelReturnsToBrowsing() {
        withScreen([&](frmOPDRates* f) {
            chooseRow(f, u"OPS02"_s);
            click(f->cmdEdit);
            f->txtPrice->setText(u"1"_s);
            click(f->cmdCancel);
            QCOMPARE(state(f), u"frame off, edit on, update off, cancel off"_s);
            QCOMPARE(f->cmdUpdate_Click(), false); // nothing goes out from browsing
        });
        QCOMPARE(shown(), QStringList());
        QCOMPARE(stored(u"OPS02"_s), u"Hemodialysis Session|2600.50|A"_s);
    }

    void emptyTable() {
        c().Execute(u"DELETE FROM ZEP.tbZEPOPSRates"_s);
        withScreen([&](frmOPDRates* f) {
            QCOMPARE(f->rowCount(), 0);
            click(f->cmdEdit);
            QCOMPARE(state(f), u"frame off, edit on, update off, cancel off"_s);
        });
        QCOMPARE(shown(), QStringList{u"exclamation|Message|There is no OPS rate to edit."_s});
    }

    void readPrice_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // "-" when refused
        QTest::newRow("plain") << "300" << "300";
        QTest::newRow("centavos") << "12.05" << "12.05";
        QTest::newRow("blanks") << "  7.5 " << "7.5";
        QTest::newRow("trailing zeros") << "10.500" << "10.5";
        QTest::newRow("empty") << "" << "-";
        QTest::newRow("dot only") << "." << "-";
        QTest::newRow("half centavo") << "0.005" << "-";
        QTest::newRow("negative") << "-1" << "-";
        QTest::newRow("peso sign") << "P300" << "-";
        QTest::newRow("too large") << "1e13" << "-";
    }
    void readPrice() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const std::optional<double> v = filemaint::readPrice(typed);
        QCOMPARE(v ? QString::number(*v, 'g', 15) : u"-"_s, read);
    }
};

QTEST_MAIN(tst_opdrates)
#include "tst_opdrates.moc"
