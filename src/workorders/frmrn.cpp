#include "frmrn.h"

#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "common/workspace.h"
#include "core/db/database.h"
#include "core/production/products.h"
#include "core/text/datetext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

using namespace WorkOrders;

namespace {

const QString Zero = QStringLiteral("0,00");
const QString One = QStringLiteral("1,00");
const QString IssueTitle = QStringLiteral("Izdavanje radnog naloga!");

const QStringList Help = {
    QStringLiteral(" F1 ulaz i izlaz iz pomoći"),
    QStringLiteral("Radne naloge ne možete unositi dok ne postoji barem jedan proizvod. Izađite iz ovog prozora i "
                   "najprije unesite proizvode."),
    QStringLiteral("Br. Radnog naloga - upisuje se automatski, ne može se upisati."),
    QStringLiteral("Proizvod - bira se iz liste postojećih proizvoda. U modu izmjene izbor nije moguć; dugme "
                   "Odustani od promjene vraća mod unosa."),
    QStringLiteral("Količina proizvoda - promjenom količine mijenja se trošak materijala. Ne može se izdati više "
                   "nego što odabrano skladište ima."),
    QStringLiteral("Datum otvaranja radnog naloga - može se naknadno mijenjati."),
    QStringLiteral("Datum zatvaranja radnog naloga - može se naknadno mijenjati."),
    QStringLiteral("Izdaj radni nalog - nakon potvrde upisuje radni nalog i izdaje sve potrebne izdatnice u "
                   "odabranim skladištima. Radni nalog se zatim vidi u donjoj listi. Naknadno se mogu mijenjati samo "
                   "oba datuma, trošak rada i usluga te ostali troškovi."),
    QStringLiteral("Editiraj - prikazuje cijeli radni nalog i omogućuje izmjenu tih polja."),
    QStringLiteral("Izmjena - sprema promjene radnog naloga."),
    QStringLiteral("Odustani od promjene - izlazi iz moda izmjene i omogućuje unos novog radnog naloga."),
    QStringLiteral("Dvoklik na donje polje - isto kao Editiraj."),
    QStringLiteral("Ispis na pisač - nakon potvrde ispisuje označeni radni nalog.")};

QDateEdit* makeDate(QWidget* parent, const QString& name, const QString& tooltip)
{
    QDateEdit* date = makeDatePicker(parent, name);
    date->setToolTip(tooltip);
    return date;
}

// A box the program fills: a computed figure may be longer than typed ones.
QLineEdit* makeFigureBox(QWidget* parent, const QString& name, const QString& tooltip, bool tabStop)
{
    QLineEdit* box = makeEntryBox(parent, name, tooltip, 32767);
    lockBox(box, tabStop);
    box->setText(Zero);
    box->setAlignment(Qt::AlignRight);
    return box;
}

Figure boxFigure(const QLineEdit* box)
{
    return Figure::parse(box->text()).value_or(Figure());
}

} // namespace

frmrn::frmrn() : WorkingWindow(MenuGroup::Production)
{
    setObjectName(QStringLiteral("frmrn"));
    setWindowTitle(Caption);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->setFixedSize(784, 488);
    setFrame(frameartikli);
    QWidget* f = frameartikli;

    // The new work order
    txtbr = makeEntryBox(f, QStringLiteral("txtbr"), QStringLiteral("Broj radnog naloga"), 32767);
    lockBox(txtbr);
    txtbr->setAlignment(Qt::AlignCenter);
    cboproizvod = new QComboBox(f);
    cboproizvod->setObjectName(QStringLiteral("cboproizvod"));
    cboproizvod->setToolTip(QStringLiteral("Izbor proizvoda"));
    cboproizvod->setMaxVisibleItems(20);
    txtkolicina = makeEntryBox(f, QStringLiteral("txtkolicina"), QStringLiteral("Upišite količinu proizvoda"), 8);
    txtkolicina->setAlignment(Qt::AlignCenter);
    txtkolicina->setText(One);
    dtpotv = makeDate(f, QStringLiteral("dtpotv"), QStringLiteral("Datum otvaranja radnog naloga"));
    dtpzatv = makeDate(f, QStringLiteral("dtpzatv"), QStringLiteral("Datum zatvaranja radnog naloga"));
    Label8 = makeLabelFor(f, QStringLiteral("Radni nalog br.:"), txtbr, QStringLiteral("Label8"));
    Label9 = makeLabelFor(f, QStringLiteral("Ime proizvoda:"), cboproizvod, QStringLiteral("Label9"));
    Label12 = makeLabelFor(f, QStringLiteral("Koliko proizv:"), txtkolicina, QStringLiteral("Label12"));
    Label10 = makeLabelFor(f, QStringLiteral("Datum otv.:"), dtpotv, QStringLiteral("Label10"));
    Label11 = makeLabelFor(f, QStringLiteral("Daum zatv.:"), dtpzatv, QStringLiteral("Label11"));

    lsvartikli = makeListView(f, QStringLiteral("lsvartikli"), QStringLiteral("Potrebni materijal"),
                              {QStringLiteral("Skladište"), QStringLiteral("Izdatnica br."), QStringLiteral("Iznos"),
                               QStringLiteral("kol"), QStringLiteral("k")});
    const int requirementWidths[] = {2075, 1440, 2440};
    for (int c = 0; c < 3; ++c)
        lsvartikli->setColumnWidth(c, twips(requirementWidths[c]));
    for (int c : {int(ColIzdatnica), int(ColIznos), int(ColKol), int(ColStanje)})
        lsvartikli->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    lsvartikli->setColumnHidden(ColKol, true);
    lsvartikli->setColumnHidden(ColStanje, true);

    // Costs
    Frame1 = new QFrame(f);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    txtmat = makeFigureBox(Frame1, QStringLiteral("txtmat"), QStringLiteral("Automatski unos"), true);
    txtrada = makeEntryBox(Frame1, QStringLiteral("txtrada"), QStringLiteral("Unos troška rada"), 8);
    txtusluga = makeEntryBox(Frame1, QStringLiteral("txtusluga"), QStringLiteral("Unos troška usluga"), 8);
    txt1 = makeEntryBox(Frame1, QStringLiteral("txt1"), QStringLiteral("Unos ostalih troškova 1"), 8);
    txt2 = makeEntryBox(Frame1, QStringLiteral("txt2"), QStringLiteral("Unos ostalih troškova 2"), 8);
    txt3 = makeEntryBox(Frame1, QStringLiteral("txt3"), QStringLiteral("Unos ostalih troškova 3"), 8);
    for (QLineEdit* box : {txtrada, txtusluga, txt1, txt2, txt3}) {
        box->setAlignment(Qt::AlignRight);
        box->setText(Zero);
    }
    txtukupno = makeFigureBox(Frame1, QStringLiteral("txtukupno"), QStringLiteral("Automatski se ažurira"), false);
    txtpojed = makeFigureBox(Frame1, QStringLiteral("txtpojed"), QStringLiteral("Automatski se ažurira"), false);
    lblkd = makeLabelFor(Frame1, QStringLiteral("Trošak mat.:"), txtmat, QStringLiteral("lblkd"));
    Label1 = makeLabelFor(Frame1, QStringLiteral("Trošak rada:"), txtrada, QStringLiteral("Label1"));
    Label2 = makeLabelFor(Frame1, QStringLiteral("Trošak usluga:"), txtusluga, QStringLiteral("Label2"));
    Label3 = makeLabelFor(Frame1, QStringLiteral("Ostali troškovi:           1."), txt1, QStringLiteral("Label3"));
    Label4 = makeLabelFor(Frame1, QStringLiteral("2."), txt2, QStringLiteral("Label4"));
    Label5 = makeLabelFor(Frame1, QStringLiteral("3."), txt3, QStringLiteral("Label5"));
    Label6 = makeLabelFor(Frame1, QStringLiteral("Troškovi ukupno:"), txtukupno, QStringLiteral("Label6"));
    Label7 = makeLabelFor(Frame1, QStringLiteral("Troškovi po jed. mj:"), txtpojed, QStringLiteral("Label7"));

    // Buttons
    cmdprihvati = makeButton(f, QStringLiteral("cmdprihvati"), QStringLiteral("Iz&daj radni nalog"),
                             QStringLiteral("Unošenje sa liste u bazu"), false);
    cmdispis = makeButton(f, QStringLiteral("cmdispis"), QStringLiteral("Is&pis na pisač"), QString(), true);
    cmdodustani = makeButton(f, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);
    cmdeditiraj = makeButton(f, QStringLiteral("cmdeditiraj"), QStringLiteral("&Editiraj"),
                             QStringLiteral("Editiraj označeni proizvod"), false);
    cmdizmjena = makeButton(f, QStringLiteral("cmdizmjena"), QStringLiteral("I&zmjeni"),
                            QStringLiteral("Spremi promjene"), false);
    cmdne = makeButton(f, QStringLiteral("cmdne"), QStringLiteral("&Odustani od promjene"),
                       QStringLiteral("Odustajanje od promjene proizvoda"), false);

    // Stored work orders
    lsvsviartikli =
        makeListView(f, QStringLiteral("lsvsviartikli"), QStringLiteral("Radni nalozi"),
                     {QStringLiteral("Br. r.n."), QStringLiteral("Ime proizvoda"), QStringLiteral("Datum otv."),
                      QStringLiteral("Datum zatv."), QStringLiteral("Kol. pr.")});
    const int orderWidths[] = {1440, 3040, 2500, 1500, 800};
    for (int c = 0; c < 5; ++c)
        lsvsviartikli->setColumnWidth(c, twips(orderWidths[c]));
    widenColumnFor(lsvsviartikli, 1, 30, ValueKind::Letters);
    lsvsviartikli->headerItem()->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    // The quantity is right-aligned in twelve characters; a narrow column shows its digits, not an ellipsis.
    lsvsviartikli->setTextElideMode(Qt::ElideNone);
    useTooltipBackground(lsvsviartikli);

    // Panes the handlers write into; the user sees their text in the messages and on paper.
    rtbnema = new QTextEdit(f);
    rtbnema->setObjectName(QStringLiteral("rtbnema"));
    rtbnema->setReadOnly(true);
    rtbnema->hide();
    rtfispis = new ReportPane(f);
    rtfispis->setObjectName(QStringLiteral("rtfispis"));
    rtfispis->hide();
    lblidpro = makeHiddenLabel(f, QStringLiteral("lblidpro"));
    lblrn = makeHiddenLabel(f, QStringLiteral("lblrn"));
    lblsifra = makeHiddenLabel(f, QStringLiteral("lblsifra"));
    lblidrn = makeHiddenLabel(f, QStringLiteral("lblidrn"));
    lblidrnpravi = makeHiddenLabel(f, QStringLiteral("lblidrnpravi"));

    // Places inside the frame.
    const int lx = 8, fx = 120;
    Label8->setGeometry(lx, 8, 110, 22);
    txtbr->setGeometry(fx, 8, 80, 22);
    Label9->setGeometry(lx, 36, 110, 22);
    cboproizvod->setGeometry(fx, 36, 240, 22);
    Label12->setGeometry(lx, 64, 110, 22);
    txtkolicina->setGeometry(fx, 64, 80, 22);
    Label10->setGeometry(lx, 92, 110, 22);
    dtpotv->setGeometry(fx, 92, 120, 22);
    Label11->setGeometry(lx, 120, 110, 22);
    dtpzatv->setGeometry(fx, 120, 120, 22);
    lsvartikli->setGeometry(lx, 150, 440, 150);

    Frame1->setGeometry(462, 4, 314, 236);
    QLabel* costLabels[] = {lblkd, Label1, Label2, Label3, Label4, Label5, Label6, Label7};
    QLineEdit* costBoxes[] = {txtmat, txtrada, txtusluga, txt1, txt2, txt3, txtukupno, txtpojed};
    for (int i = 0; i < 8; ++i) {
        costLabels[i]->setGeometry(8, 8 + 28 * i, 176, 22);
        costLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        costBoxes[i]->setGeometry(190, 8 + 28 * i, 112, 22);
    }
    cmdprihvati->setGeometry(462, 246, 155, 26);
    cmdispis->setGeometry(621, 246, 155, 26);
    cmdeditiraj->setGeometry(462, 274, 155, 26);
    cmdodustani->setGeometry(621, 274, 155, 26);
    cmdizmjena->setGeometry(lx, 306, 300, 26);
    cmdne->setGeometry(312, 306, 464, 26);
    lsvsviartikli->setGeometry(lx, 338, 768, 142);

    txtpomoc = installHelp(Help, Caption);

    QList<QWidget*> chain{cboproizvod, txtkolicina, dtpotv,      dtpzatv,    lsvartikli, txtmat,
                          txtrada,     txtusluga,   txt1,        txt2,       txt3,       cmdprihvati,
                          cmdispis,    cmdeditiraj, cmdodustani, cmdizmjena, cmdne,      lsvsviartikli};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));

    SelectAllOnFocus({txtrada, txtusluga, txt1, txt2, txt3, txtkolicina});
    for (QLineEdit* box : {txtmat, txtrada, txtusluga, txt1, txt2, txt3, txtkolicina})
        DecimalKeyFilter(box);
    // A text that is no number at all is refused as a value over the limit is.
    for (QLineEdit* box : {txtrada, txtusluga, txt1, txt2, txt3})
        DecimalFieldCommit::reset(box, Zero, DecimalFieldCommit::Unreadable::Refuse);
    DecimalFieldCommit::reset(txtkolicina, One, DecimalFieldCommit::Unreadable::Refuse);
    for (QLineEdit* box : {txtmat, txtrada, txtusluga, txt1, txt2, txt3})
        connect(box, &QLineEdit::textChanged, this, &frmrn::totalsRecompute);
    connect(txtkolicina, &QLineEdit::textChanged, this, &frmrn::requirementRecompute);

    connect(cboproizvod, qOverload<int>(&QComboBox::activated), this, &frmrn::productChosen);
    onClickCommitted(cmdprihvati, this, [this] { issueOrder(); });
    onClickCommitted(cmdispis, this, [this] { cmdispisClick(); });
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(cmdeditiraj, &QPushButton::clicked, this, &frmrn::cmdeditirajClick);
    onClickCommitted(cmdizmjena, this, [this] { cmdizmjenaClick(); });
    connect(cmdne, &QPushButton::clicked, this, &frmrn::cmdneClick);
    connect(lsvsviartikli, &QTreeWidget::itemClicked, this, &frmrn::orderSelected);
    // Moving to another order with the keyboard chooses it too; sorting the list keeps the same order chosen.
    connect(lsvsviartikli, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QTreeWidgetItem* row = PendingList::lastSelected(lsvsviartikli);
        if (row && row->data(0, Qt::UserRole).toLongLong() != m_selectedId)
            orderSelected();
    });
    ColumnSortToggle(lsvsviartikli);
    ListDblClickDefault(lsvsviartikli, cmdeditiraj);
}

void frmrn::load()
{
    ucitavanje();
}

frmrn* frmrn::openFromMenu()
{
    if (frmrn* open = loaded()) {
        if (open->isVisible()) {
            activateWorkingWindow(open);
            return open;
        }
        unload(); // closed and waiting to be deleted, or loaded out of sight: start afresh
    }
    frmrn* w = instance();
    w->showFromMenu();
    return w;
}

// The boxes of a new work order; each assignment runs the box's change handling.
void frmrn::resetBoxes()
{
    for (QLineEdit* box : {txtmat, txtrada, txtusluga, txt1, txt2, txt3})
        box->setText(Zero);
    txtkolicina->setText(One);
}

void frmrn::ucitavanje()
{
    m_selectedId = 0;
    m_lines.clear();
    lsvartikli->clear();
    lsvsviartikli->clear();
    cboproizvod->clear();
    rtbnema->clear();
    resetBoxes();
    cboproizvod->setCurrentIndex(-1);
    dtpotv->setDate(QDate::currentDate());
    dtpzatv->setDate(QDate::currentDate());
    try {
        for (const Product& product : Products::all(bookPath()))
            cboproizvod->addItem(product.naziv, product.id);
        cboproizvod->setCurrentIndex(-1);
        const QList<OrderRow> rows = orders(bookPath());
        QList<QTreeWidgetItem*> items;
        items.reserve(rows.size());
        for (const OrderRow& order : rows) {
            auto* item = new QTreeWidgetItem(QStringList{QString::number(order.brojrn), order.productName,
                                                         DateText::toShort(order.datumotv),
                                                         DateText::toShort(order.datumzatv), order.kolicina.money12()});
            item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
            item->setData(0, Qt::UserRole, order.id);
            items.append(item);
        }
        lsvsviartikli->addTopLevelItems(items);
        txtbr->setText(QString::number(nextOrderNumber(bookPath())));
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
    lblrn->setText(txtbr->text());
}

void frmrn::productChosen(int index)
{
    if (index < 0)
        return;
    m_lines.clear();
    lsvartikli->clear();
    for (QLineEdit* box : {txtrada, txtusluga, txt1, txt2, txt3})
        box->setText(Zero);
    txtkolicina->setText(One);
    // A new order always takes the proposed number (not that of an order loaded for editing before).
    txtbr->setText(lblrn->text());
    m_productId = cboproizvod->itemData(index).toLongLong();
    lblidpro->setText(QString::number(m_productId));
    try {
        m_lines = requirement(bookPath(), m_productId);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        m_lines.clear();
    }
    if (m_lines.isEmpty()) {
        txtmat->setText(Zero);
        cmdprihvati->setEnabled(false);
        return;
    }
    showRequirementLines();
    txtmat->setText(materialCost(m_lines).text00());
    cmdprihvati->setEnabled(true);
}

void frmrn::showRequirementLines()
{
    QList<QTreeWidgetItem*> items;
    for (const RequirementLine& line : m_lines) {
        auto* item = new QTreeWidgetItem(
            QStringList{line.bookName, line.issueNumber > 0 ? QString::number(line.issueNumber) : QString(),
                        line.amount.money12(), line.quantity.money12(), line.stock.text00()});
        for (int c = ColIzdatnica; c <= ColStanje; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    lsvartikli->addTopLevelItems(items);
}

// A new quantity of product: every line's quantity and amount, and the material cost with them.
void frmrn::requirementRecompute()
{
    if (m_lines.isEmpty())
        return;
    // An unreadable quantity leaves the lines as they were.
    if (const auto quantity = Figure::parse(txtkolicina->text()))
        rescale(m_lines, *quantity);
    for (int i = 0; i < m_lines.size() && i < lsvartikli->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lsvartikli->topLevelItem(i);
        item->setText(ColIznos, m_lines.at(i).amount.text00());
        item->setText(ColKol, m_lines.at(i).quantity.text00());
    }
    txtmat->setText(materialCost(m_lines).text00());
    totalsRecompute();
}

// The total of the six costs and the material cost per unit of product; a figure that cannot be worked out keeps
// its previous text.
void frmrn::totalsRecompute()
{
    Figure total;
    bool readable = true;
    for (const QLineEdit* box : {txtmat, txtrada, txtusluga, txt1, txt2, txt3}) {
        const auto value = Figure::parse(box->text());
        readable = readable && value.has_value();
        if (value)
            total += *value;
    }
    if (readable)
        txtukupno->setText(total.text00());
    const auto material = Figure::parse(txtmat->text());
    const auto quantity = Figure::parse(txtkolicina->text());
    if (material && quantity)
        if (const auto perUnit = costPerUnit(*material, *quantity))
            txtpojed->setText(perUnit->text00());
}

void frmrn::orderSelected()
{
    if (lsvsviartikli->topLevelItemCount() == 0)
        return;
    cmdeditiraj->setEnabled(true);
    cmdizmjena->setEnabled(false);
    cmdne->setEnabled(false);
    cmdizmjena->setText(QStringLiteral("Izmjena"));
    cmdne->setText(QStringLiteral("Odustajem od promjene"));
    cboproizvod->setEnabled(true);
    txtkolicina->setEnabled(true);
    m_editId = 0;
    const QTreeWidgetItem* row = PendingList::lastSelected(lsvsviartikli);
    m_selectedId = row ? row->data(0, Qt::UserRole).toLongLong() : 0;
    lblidrn->setText(row ? row->text(0) : QString());
    lblsifra->setText(row ? row->text(1) : QString());
}

void frmrn::issueOrder()
{
    if (m_lines.isEmpty())
        return;
    const auto quantity = Figure::parse(txtkolicina->text());
    if (!quantity || *quantity <= Figure()) {
        HrMsgBox(QStringLiteral("Količina ne može biti nula!"), 48, QStringLiteral("Količinanula!"));
        txtkolicina->setFocus();
        m_keepOpen = true;
        return;
    }
    if (reportShortage()) {
        m_keepOpen = true;
        return;
    }
    if (HrMsgBox(QStringLiteral("Izdavanje radnog naloga i kreiranje pripadajućih izdatnica?"), 36, IssueTitle) !=
        MsgYes) {
        m_keepOpen = true;
        return;
    }
    m_keepOpen = !izdatnice();
}

// The stock check of the lines; true, with the shortages shown, when a book holds too little.
bool frmrn::reportShortage()
{
    const QString shortage = shortageText(m_lines);
    rtbnema->setPlainText(shortage);
    if (shortage.isEmpty())
        return false;
    HrMsgBox(shortageMessage(shortage), 48, QStringLiteral("Nema dovoljno!"));
    return true;
}

// Posts the work order; false, with the window as it was, when nothing could be written.
bool frmrn::izdatnice()
{
    NewOrder order;
    order.brojrn = txtbr->text().toLongLong();
    order.datumotv = dtpotv->date();
    order.datumzatv = dtpzatv->date();
    order.productId = m_productId;
    order.productName = cboproizvod->currentText();
    order.quantity = boxFigure(txtkolicina);
    order.costs = {boxFigure(txtmat), boxFigure(txtrada), boxFigure(txtusluga),
                   boxFigure(txt1),   boxFigure(txt2),    boxFigure(txt3)};
    order.lines = m_lines;
    try {
        issue(bookPath(), order);
    } catch (const IssueOutdated& outdated) {
        // Another copy took a number or stock meanwhile: the window shows the books as they are now, and the user
        // confirms again.
        m_lines = outdated.current();
        lsvartikli->clear();
        showRequirementLines();
        lblrn->setText(QString::number(outdated.nextNumber()));
        txtbr->setText(lblrn->text());
        if (!reportShortage())
            HrMsgBox(outdated.message(), 48, IssueTitle);
        return false;
    } catch (const IssueRefused& refused) {
        HrMsgBox(refused.message(), 48, IssueTitle);
        return false;
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return false;
    }
    ucitavanje();
    cmdprihvati->setEnabled(false);
    HrMsgBox(QStringLiteral("Radni nalog izdan!"), 48, IssueTitle);
    return true;
}

void frmrn::cmdeditirajClick()
{
    if (lsvsviartikli->topLevelItemCount() == 0)
        return;
    // Only a selected order can be edited: its id, not its number, names it.
    const QTreeWidgetItem* row = PendingList::lastSelected(lsvsviartikli);
    if (!row)
        return;
    lblidrn->setText(row->text(0));
    lblsifra->setText(row->text(1));
    if (cmdprihvati->isEnabled() && HrMsgBox(QStringLiteral("Želite editirati proizvod: ") + lblsifra->text(), 36,
                                             QStringLiteral("Editiranje proizvoda")) != MsgYes)
        return;
    std::optional<StoredOrder> order;
    try {
        order = WorkOrders::load(bookPath(), row->data(0, Qt::UserRole).toLongLong());
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    if (!order)
        return;
    cmdprihvati->setEnabled(false);
    cmdizmjena->setEnabled(true);
    cmdizmjena->setText(QStringLiteral("Izmjena: ") + lblsifra->text());
    cmdeditiraj->setEnabled(false);
    cmdne->setEnabled(true);
    cmdne->setText(QStringLiteral("&Odustajem od promjene: ") + lblsifra->text());
    cboproizvod->setEnabled(false);
    txtkolicina->setEnabled(false);
    izmjena(*order);
    txtrada->setFocus();
}

void frmrn::izmjena(const StoredOrder& order)
{
    // The new order's lines go first, so that the loaded quantity rescales nothing.
    m_lines.clear();
    lsvartikli->clear();
    txtbr->setText(QString::number(order.brojrn));
    dtpotv->setDate(order.datumotv);
    dtpzatv->setDate(order.datumzatv);
    txtkolicina->setText(order.quantity.text00());
    cboproizvod->setCurrentIndex(cboproizvod->findData(order.productId));
    const Figure costs[] = {order.costs.material, order.costs.labour, order.costs.services,
                            order.costs.other1,   order.costs.other2, order.costs.other3};
    QLineEdit* boxes[] = {txtmat, txtrada, txtusluga, txt1, txt2, txt3};
    for (int i = 0; i < 6; ++i)
        boxes[i]->setText(costs[i].text00());
    m_editId = order.id;
    lblidrnpravi->setText(QString::number(order.id));
    for (const CostRow& cost : order.costRows) {
        QTreeWidgetItem* item =
            PendingList::append(lsvartikli, {cost.bookName, cost.issueNumber, cost.amount.text00()});
        item->setTextAlignment(ColIznos, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void frmrn::cmdizmjenaClick()
{
    if (m_editId == 0)
        return;
    const QString product = lblsifra->text();
    if (HrMsgBox(QStringLiteral("Želite mijenjati radni nalog za proizvod: ") + product, 36,
                 QStringLiteral("Izmjena radnog naloga!")) != MsgYes)
        return;
    const OrderChanges changes{dtpotv->date(),  dtpzatv->date(), boxFigure(txtrada), boxFigure(txtusluga),
                               boxFigure(txt1), boxFigure(txt2), boxFigure(txt3)};
    try {
        storeChanges(bookPath(), m_editId, changes);
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    cmdneClick();
    HrMsgBox(QStringLiteral("Radni nalog uspješno izmjenjen za proizvod: ") + product, 64,
             QStringLiteral("Izmjena radnog naloga"));
}

void frmrn::cmdneClick()
{
    cmdizmjena->setText(QStringLiteral("Izmjena"));
    cmdizmjena->setEnabled(false);
    cmdeditiraj->setEnabled(false);
    cmdne->setText(QStringLiteral("Odustajem od promjene"));
    cboproizvod->setEnabled(true);
    txtkolicina->setEnabled(true);
    txtbr->setText(lblrn->text());
    m_lines.clear();
    lsvartikli->clear();
    for (QLineEdit* box : {txtrada, txtusluga, txt1, txt2, txt3})
        box->setText(Zero);
    txtkolicina->setText(One);
    cboproizvod->setCurrentIndex(-1);
    txtmat->setText(Zero);
    dtpotv->setDate(QDate::currentDate());
    dtpzatv->setDate(QDate::currentDate());
    cmdne->setEnabled(false);
    m_editId = 0;
    lblidrnpravi->clear();
}

void frmrn::cmdispisClick()
{
    if (!cmdne->isEnabled())
        return;
    ispis();
    PrintQuestion(rtfispis,
                  QStringLiteral("Ispis radnog naloga za proizvod: ") + cboproizvod->currentText() +
                      QStringLiteral(" na pisač?"),
                  QStringLiteral("Ispis!"));
}

// The sheet of the loaded work order as the window shows it.
void frmrn::ispis()
{
    Sheet sheet;
    sheet.number = txtbr->text();
    sheet.productName = cboproizvod->currentText();
    sheet.opened = DateText::toShort(dtpotv->date());
    sheet.closed = DateText::toShort(dtpzatv->date());
    sheet.quantity = txtkolicina->text();
    for (int i = 0; i < lsvartikli->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lsvartikli->topLevelItem(i);
        sheet.issueRows.append({item->text(ColSkladiste), item->text(ColIzdatnica), item->text(ColIznos)});
    }
    sheet.material = txtmat->text();
    sheet.labour = txtrada->text();
    sheet.services = txtusluga->text();
    sheet.other1 = txt1->text();
    sheet.other2 = txt2->text();
    sheet.other3 = txt3->text();
    sheet.total = txtukupno->text();
    sheet.perUnit = txtpojed->text();
    sheet.today = DateText::toShort(QDate::currentDate());
    rtfispis->setReport(sheetLines(sheet));
}

bool frmrn::confirmClose()
{
    m_keepOpen = false;
    if (!cmdprihvati->isEnabled() || lsvartikli->topLevelItemCount() == 0)
        return true;
    const bool close = CommitOnCloseQuery(QStringLiteral("Želite li unijeti radni nalog u bazu radnih naloga?"),
                                          QStringLiteral("Posprema u skladište"), [this] {
                                              if (!CommitNumberBoxes(this))
                                                  return false;
                                              issueOrder();
                                              return !m_keepOpen;
                                          });
    m_keepOpen = !close;
    return close;
}
