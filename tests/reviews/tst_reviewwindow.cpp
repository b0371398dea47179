#include "common/reportpane.h"
#include "frame/frmSkladiste.h"
#include "reviewbook.h"
#include "reviews/documentreview.h"
#include "support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using reviewtest::ReviewBook;

namespace {

const QString Blank83(83, u' ');
const QString Under83(83, u'_');
const QString Dash83(83, u'-');
const QString IssueHeader = "B.iz. Dat.iz.  Mjesto troška                                           Iznos";
const QString ReceiptHeader = "B.pr. Dat.pr.  Dobavljač                 Dokument   Broj dok.  Dat.dok. Iznos";
const QString ListingHeader = "R.br. Šifra        Naziv                 J.mj. Količina    Cijena       Iznos";
const QString Receipt1 = "    1 01.12.26 Dom d.o.o.                Račun             R-1 30.11.26       24,00";
const QString Receipt2 = "    2 05.12.26 Oboje                     Otpremnica       OT-7 04.12.26        7,00";
const QString Receipt3 = "    3 09.12.26 Dom d.o.o.                Račun             R-2 08.12.26        0,99";
const QString Issue1 = "    1 02.12.26 Proizvodnja                                                     4,50";
const QString Issue2 = "    2 08.12.26 Kupac s vrlo dugim imenom d.d.                                  2,00";
const QString Issue2Cut = "    2 08.12.26 Kupac s vrlo dugim imenom                                       2,00";

QDate dec(int day)
{
    return QDate(2026, 12, day);
}

// Three receipts and two issue notes, posted as the stock-document window posts them.
void seed(ReviewBook& book)
{
    const qint64 dom = book.addPartner("D", "Dom d.o.o.");
    const qint64 kupac = book.addPartner("K", "Kupac s vrlo dugim imenom d.d.");
    const qint64 oboje = book.addPartner("S", "Oboje");
    const qint64 racun = book.addDocumentKind("Račun");
    const qint64 otpremnica = book.addDocumentKind("Otpremnica");
    const qint64 vijak = book.addArticle("A-1", "Vijak M8");
    const qint64 matica = book.addArticle("B-2", "Matica M8");
    book.post(true, 1, dec(1), dom, {{vijak, "10", "1,5"}, {matica, "4", "2,25"}}, racun, "R-1", QDate(2026, 11, 30));
    book.post(true, 2, dec(5), oboje, {{vijak, "2", "3,5"}}, otpremnica, "OT-7", dec(4));
    book.post(true, 3, dec(9), dom, {{matica, "1", "0,99"}}, racun, "R-2", dec(8));
    book.post(false, 1, dec(2), 1, {{vijak, "3", "1,5"}});
    book.post(false, 2, dec(8), kupac, {{vijak, "1", "2"}});
}

DocumentReview* openTwin(bool receipt)
{
    if (receipt)
        frmpregledprimki::openFromMenu();
    else
        frmpregledizdatnice::openFromMenu();
    DocumentReview* w = receipt ? static_cast<DocumentReview*>(frmpregledprimki::loaded())
                                : static_cast<DocumentReview*>(frmpregledizdatnice::loaded());
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("review window not active");
    return w;
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// The controls shown in the window's frame, in a fixed order.
QStringList shownControls(DocumentReview* w)
{
    QStringList shown;
    const QList<QWidget*> controls = {w->optvise,
                                      w->optdatumu,
                                      w->optdobavljacu,
                                      w->Framedatum,
                                      w->lblod,
                                      w->dtpod,
                                      w->lbldo,
                                      w->dtpdo,
                                      w->frameprimkadobavljac,
                                      w->lblprimka,
                                      w->cboizborprimke,
                                      w->lbldobavljac,
                                      w->cboizbordobavljaca};
    for (QWidget* c : controls)
        if (c->isVisibleTo(w->frameartikli))
            shown.append(c->objectName());
    return shown;
}

void click(QAbstractButton* button)
{
    QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList paneLines(DocumentReview* w)
{
    return w->rtfprimke->toPlainText().split(u'\n');
}

// Types a date into a picker as a person would: day, month and year digits from its first field on.
void typeDate(QDateEdit* picker, const QString& digits)
{
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(picker, digits);
}

// The controls Tab stops on, from the one with the focus once round the window.
QStringList tabStops()
{
    QStringList stops;
    QWidget* const start = QApplication::focusWidget();
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
        stops.append(QApplication::focusWidget()->objectName());
    }
    return stops;
}

} // namespace

class ReviewWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_book = std::make_unique<ReviewBook>(); }
    void cleanup() { m_book.reset(); }

    void receiptReviewFromTheMenu();
    void issueReviewFromTheMenu();
    void layoutsFollowTheOptions();
    void typingChoosesNothing();
    void aLongPartnerNameShowsWholeInTheClosedBox();
    void tabEntersEachGroupAtItsChosenOption_data();
    void tabEntersEachGroupAtItsChosenOption();
    void menusReleasedOnEachWayOfClosing_data();
    void menusReleasedOnEachWayOfClosing();
    void emptyAndUnreadableBooks();

private:
    // Opens the main window on the book and the review from its "&Pregled" item.
    DocumentReview* openFromMenu(const char* item);
    std::unique_ptr<ReviewBook> m_book;
};

DocumentReview* ReviewWindowTest::openFromMenu(const char* item)
{
    if (!frmSkladiste::openBook(QStringLiteral("Knjiga: Roba")))
        return nullptr;
    frmSkladiste* main = frmSkladiste::loaded();
    knjtest::triggerAction(main, QLatin1String(item));
    QMdiSubWindow* sub = main->mdiArea->activeSubWindow();
    auto* w = sub ? qobject_cast<DocumentReview*>(sub->widget()) : nullptr;
    if (w && !QTest::qWaitForWindowActive(w))
        qWarning("review window not active");
    return w;
}

void ReviewWindowTest::receiptReviewFromTheMenu()
{
    seed(*m_book);
    knjtest::MsgBoxScript boxes;
    DocumentReview* w = openFromMenu("mnuPrimki1");
    QVERIFY(w);
    frmSkladiste* main = frmSkladiste::loaded();
    QCOMPARE(w->objectName(), QStringLiteral("frmpregledprimki"));
    QVERIFY(!main->mnuNoviunos->menuAction()->isEnabled() && !main->mnuPregled->menuAction()->isEnabled());
    QVERIFY(w->optzakljucak->isChecked() && w->Optjedne->isChecked() && w->optdatumu->isChecked());
    QCOMPARE(items(w->cboizborprimke), (QStringList{"1", "2", "3"}));
    QCOMPARE(w->dtpod->date(), QDate::currentDate());
    QCOMPARE(w->dtpdo->date(), QDate::currentDate());

    click(w->cmdprikazart); // the document the box shows
    QCOMPARE(paneLines(w), (QStringList{ReceiptHeader, Blank83, Receipt3}));

    click(w->optvise);
    typeDate(w->dtpod, "01122026");
    typeDate(w->dtpdo, "08122026");
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w), (QStringList{ReceiptHeader, Under83, Receipt1, Receipt2}));
    typeDate(w->dtpod, "09122026");
    QTest::keyClick(w->dtpod, Qt::Key_P, Qt::AltModifier); // "&Prikaz" by its key while "&Pregled" is off
    QTRY_COMPARE(w->rtfprimke->toPlainText(), QString());  // from after to: nothing at all

    click(w->optdobavljacu);
    QCOMPARE(items(w->cboizbordobavljaca), (QStringList{"Dom d.o.o.", "Oboje"}));
    QCOMPARE(w->cboizbordobavljaca->currentText(), QStringLiteral("Oboje"));
    QCOMPARE(items(w->cboizborprimke), QStringList{"2"});
    QTest::keyClick(w->cboizbordobavljaca, Qt::Key_Up);
    QCOMPARE(items(w->cboizborprimke), (QStringList{"1", "3"}));
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w), (QStringList{ReceiptHeader, Under83, Receipt1, Receipt3}));

    click(w->optprikaz);
    QTest::keyClick(w->cboizborprimke, Qt::Key_Home);
    click(w->cmdprikazart);
    QCOMPARE(
        paneLines(w),
        (QStringList{ReceiptHeader, Blank83, Receipt1, Under83, ListingHeader, Blank83, Dash83,
                     "   1. A-1          Vijak M8              kom         10,00         1,50       15,00",
                     "   2. B-2          Matica M8             kom          4,00         2,25        9,00", Under83,
                     "                                                          Ukupni iznos:       24,00"}));
    QVERIFY(!w->rtfprimke->toPlainText().endsWith(u'\n'));

    w->optprikaz->setFocus();
    QTest::keyClick(w->optprikaz, Qt::Key_Return); // Enter in the receipt review is "&Izlaz"
    QTRY_VERIFY(main->mdiArea->subWindowList().isEmpty());
    QVERIFY(main->mnuNoviunos->menuAction()->isEnabled() && main->mnuPregled->menuAction()->isEnabled());
    QCOMPARE(main->mnuPregled->title(), QStringLiteral("&Pregled")); // its Alt key back
    QCOMPARE(boxes.calls().size(), 0);
}

void ReviewWindowTest::issueReviewFromTheMenu()
{
    seed(*m_book);
    const qint64 lonely = m_book->addPartner("k", "Prazna");
    m_book->post(false, 3, dec(3), lonely, {});
    knjtest::MsgBoxScript boxes;
    knjtest::PrintRecorder printer(m_book->path() + ".pdf");
    DocumentReview* w = openFromMenu("mnuIzdatnica1");
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("frmpregledizdatnice"));

    QTest::keyClick(w->cboizborprimke, Qt::Key_Up);
    QTest::keyClick(w->cboizborprimke, Qt::Key_Return); // Enter in the issue-note review is "&Prikaz"
    QCOMPARE(paneLines(w), (QStringList{IssueHeader, Blank83, Issue2}));
    QTest::keyClick(w->cboizborprimke, Qt::Key_Down); // a note without lines: 0,00, not the amount shown before
    QTest::keyClick(w->cboizborprimke, Qt::Key_Return);
    QCOMPARE(paneLines(w).last(), "    3 03.12.26 Prazna" + QString(49, u' ') + "         0,00");

    click(w->optvise);
    typeDate(w->dtpod, "02122026");
    typeDate(w->dtpdo, "08122026");
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w),
             (QStringList{IssueHeader, Blank83,
                          "    1 02.12.26 Proizvodnja                                                     4,50",
                          Issue2Cut, "    3 03.12.26 Prazna" + QString(49, u' ') + "         0,00"}));

    click(w->optdobavljacu);
    QCOMPARE(items(w->cboizbordobavljaca),
             (QStringList{"Proizvodnja", "Kupac s vrlo dugim imenom d.d.", "Oboje", "Prazna"}));
    QCOMPARE(items(w->cboizborprimke), QStringList{"3"});
    QTest::keyClick(w->cboizbordobavljaca, Qt::Key_Up);
    QCOMPARE(items(w->cboizborprimke), QStringList());
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w), (QStringList{IssueHeader, Blank83}));
    QTest::keyClick(w->cboizbordobavljaca, Qt::Key_Up);
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w), (QStringList{IssueHeader, Blank83, Issue2}));

    click(w->optprikaz);
    QTest::keyClick(w->cboizborprimke, Qt::Key_Up);
    click(w->cmdprikazart);
    QCOMPARE(
        paneLines(w),
        (QStringList{IssueHeader, Blank83, Issue2, Under83, ListingHeader, Blank83, Dash83,
                     "   1. A-1          Vijak M8              kom          1,00         2,00        2,00", Under83,
                     "                                                          Ukupni iznos:        2,00"}));

    boxes.answer(MsgYes);
    click(w->cmdispisart);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Ispis na pisač?"));
    QCOMPARE(printer.jobs(), 1);
    QVERIFY(printer.lines().contains(Issue2));
    QCOMPARE(boxes.calls().size(), 1);
}

void ReviewWindowTest::layoutsFollowTheOptions()
{
    seed(*m_book);
    DocumentReview* w = openTwin(true);
    const QStringList one = {"optvise", "frameprimkadobavljac", "lblprimka", "cboizborprimke"};
    const QStringList range = {"optvise", "optdatumu", "optdobavljacu", "Framedatum",
                               "lblod",   "dtpod",     "lbldo",         "dtpdo"};
    const QStringList partner = {"optvise",   "optdatumu",      "optdobavljacu", "frameprimkadobavljac",
                                 "lblprimka", "cboizborprimke", "lbldobavljac",  "cboizbordobavljaca"};
    const QStringList full = {"frameprimkadobavljac", "lblprimka", "cboizborprimke"};
    QCOMPARE(shownControls(w), one);

    click(w->optprikaz);
    QCOMPARE(shownControls(w), full);
    QVERIFY(w->Optjedne->isChecked());
    click(w->optzakljucak);
    QCOMPARE(shownControls(w), one);
    click(w->optvise);
    QCOMPARE(shownControls(w), range);
    click(w->optdobavljacu);
    QCOMPARE(shownControls(w), partner);
    click(w->optdatumu);
    QCOMPARE(shownControls(w), range);
    click(w->optdobavljacu);
    click(w->Optjedne);
    QCOMPARE(shownControls(w), one);
    QCOMPARE(items(w->cboizborprimke), (QStringList{"1", "2", "3"}));
    click(w->optvise); // "Dobavljaču" still selected: the partner's documents again
    QCOMPARE(shownControls(w), partner);
    QCOMPARE(items(w->cboizborprimke), QStringList{"2"});
    click(w->optprikaz);
    QCOMPARE(shownControls(w), full);
    QCOMPARE(items(w->cboizborprimke), (QStringList{"1", "2", "3"}));
    click(w->optzakljucak);
    click(w->optvise);
    click(w->optdatumu);
    QCOMPARE(shownControls(w), range);
}

void ReviewWindowTest::aLongPartnerNameShowsWholeInTheClosedBox()
{
    seed(*m_book);
    DocumentReview* w = openTwin(false);
    click(w->optvise);
    click(w->optdobavljacu);
    knjtest::chooseEntry(w->cboizbordobavljaca, QStringLiteral("Kupac s vrlo dugim imenom d.d."));
    const QLineEdit* shown = w->cboizbordobavljaca->lineEdit();
    QCOMPARE(shown->text().size(), 30);
    // The box's text keeps a few pixels of margin on each side.
    QVERIFY(shown->width() - 4 >= QFontMetrics(shown->font()).horizontalAdvance(shown->text()));
    QVERIFY(w->frameprimkadobavljac->geometry().right() < w->cmdprikazart->geometry().left());
}

void ReviewWindowTest::typingChoosesNothing()
{
    seed(*m_book);
    DocumentReview* w = openTwin(true);
    w->cboizborprimke->setFocus();
    QTest::keyClicks(w->cboizborprimke, "12x");
    QCOMPARE(w->cboizborprimke->currentText(), QStringLiteral("3"));
    QCOMPARE(w->chosenDocument()->number, 3);

    click(w->optvise);
    click(w->optdobavljacu);
    w->cboizbordobavljaca->setFocus();
    w->cboizbordobavljaca->lineEdit()->selectAll();
    knjtest::typeText(w->cboizbordobavljaca->lineEdit(), "Dom d.o.o.");
    QCOMPARE(w->cboizbordobavljaca->currentText(), QStringLiteral("Dom d.o.o."));
    QCOMPARE(items(w->cboizbordobavljaca), (QStringList{"Dom d.o.o.", "Oboje"}));
    click(w->cmdprikazart); // leaving the box chooses nothing: Oboje's documents, under Oboje's name
    QCOMPARE(paneLines(w), (QStringList{ReceiptHeader, Under83, Receipt2}));
}

void ReviewWindowTest::tabEntersEachGroupAtItsChosenOption_data()
{
    QTest::addColumn<bool>("receipt");
    QTest::newRow("receipts") << true;
    QTest::newRow("issue notes") << false;
}

void ReviewWindowTest::tabEntersEachGroupAtItsChosenOption()
{
    QFETCH(bool, receipt);
    seed(*m_book);
    DocumentReview* w = openTwin(receipt);
    const auto stopsOnlyOn = [](const QStringList& stops, const char* chosen, const char* other) {
        return stops.contains(QLatin1String(chosen)) && !stops.contains(QLatin1String(other));
    };
    click(w->optvise);
    QVERIFY2(stopsOnlyOn(tabStops(), "optdatumu", "optdobavljacu"), "Datumu");
    click(w->optdobavljacu);
    click(w->Optjedne);
    click(w->optvise);
    QVERIFY2(stopsOnlyOn(tabStops(), "optdobavljacu", "optdatumu"), "Dobavljaču");
    click(w->optzakljucak); // "Jedne" is chosen by the window, not by a click
    QVERIFY2(stopsOnlyOn(tabStops(), "Optjedne", "optvise"), "Jedne");
}

void ReviewWindowTest::menusReleasedOnEachWayOfClosing_data()
{
    QTest::addColumn<bool>("receipt");
    QTest::addColumn<QString>("way");
    for (bool receipt : {true, false})
        for (const char* way : {"button", "Esc", "close box"})
            QTest::addRow("%s, %s", receipt ? "receipts" : "issue notes", way) << receipt << QString(way);
}

void ReviewWindowTest::menusReleasedOnEachWayOfClosing()
{
    QFETCH(bool, receipt);
    QFETCH(QString, way);
    QPointer<DocumentReview> w = openTwin(receipt);
    QVERIFY(!m_book->menusEnabled());
    QCOMPARE(w->exitButton->objectName(), receipt ? QStringLiteral("Command1") : QStringLiteral("cmdizlaz"));
    if (way == "button")
        click(w->exitButton);
    else if (way == "Esc")
        QTest::keyClick(w->rtfprimke, Qt::Key_Escape);
    else
        w->close();
    QTRY_VERIFY(!w);
    QVERIFY(m_book->menusEnabled());
}

void ReviewWindowTest::emptyAndUnreadableBooks()
{
    knjtest::MsgBoxScript boxes;
    DocumentReview* w = openTwin(false);
    QCOMPARE(w->cboizborprimke->count(), 0);
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w), (QStringList{IssueHeader, Blank83}));
    click(w->optprikaz);
    click(w->cmdprikazart);
    QCOMPARE(paneLines(w).last(), QString(58, u' ') + "Ukupni iznos:        0,00");
    QCOMPARE(boxes.calls().size(), 0); // no documents is no failure

    click(w->optzakljucak);
    click(w->optvise);
    QVERIFY(QFile::remove(m_book->path()));
    click(w->cmdprikazart);
    QCOMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().style, 0);
    QVERIFY(boxes.last().prompt.contains(QStringLiteral("Skladiste1.mdb")));
    QVERIFY(w->rtfprimke->isEmpty()); // no report is left standing as if it were the new one
}

KNJ_REGISTER_TEST(ReviewWindowTest)
#include "tst_reviewwindow.moc"
