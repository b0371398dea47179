#include "frmproizvodi.h"

#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/keyfilters.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/text/reporttext.h"
#include "masterdata/frmartikliizbor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// The highest amount of a component line.
constexpr double LineAmountLimit = 9'999'999.0;

const QString UnknownBook = QStringLiteral("Nepoznato skladište");
const QString UnknownArticle = QStringLiteral("Nepoznat artikl");

const QString DuplicateMessage = QStringLiteral("Ne može se unijeti dva puta isti proizvod iz istog skladišta");
const QString ZeroAmountMessage = QStringLiteral("Niste unijeli količinu ili na skladištu  je stanje nula!!");
const QString IncompleteLineMessage = QStringLiteral("Nije unešena šifra ili naziv ili skladiste!");
const QString IncompleteHeaderMessage = QStringLiteral("Nije unešen naziv,sifra ili jedinica mjere!");
const QString ClashTitle = QStringLiteral("Pogrešan unos šifre!");

QComboBox* makeCombo(QWidget* parent, const QString& name, const QString& tooltip, bool editable)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setToolTip(tooltip);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    return combo;
}

void clearCombo(QComboBox* combo)
{
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->clearEditText();
}

void setColumns(QTreeWidget* list, const QList<int>& widthsTw, const QList<int>& rightAligned, int firstHidden)
{
    for (int c = 0; c < widthsTw.size(); ++c) {
        list->setColumnWidth(c, qMax(1, twips(widthsTw.at(c))));
        if (c >= firstHidden)
            list->setColumnHidden(c, true);
    }
    for (int c : rightAligned)
        list->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

const QStringList HelpText = {
    QStringLiteral("F1 - ulaz u pomoć i izlaz iz pomoći."),
    QStringLiteral("Proizvodi se ne mogu unositi dok tvrtka nema otvorenu barem jednu knjigu skladišta: sastojci "
                   "proizvoda su artikli skladišta. Najprije otvorite knjigu skladišta i unesite artikle."),
    QStringLiteral("Šifra - šifra proizvoda, do 10 znakova. Obavezan unos; dva proizvoda ne mogu imati istu šifru."),
    QStringLiteral("Barkod - barkod proizvoda, do 13 znakova. Nije obavezan; dva proizvoda ne mogu imati isti barkod."),
    QStringLiteral("Naziv - naziv proizvoda, do 30 znakova. Obavezan unos; dva proizvoda ne mogu imati isti naziv."),
    QStringLiteral("Jedinica mjere - jedinica mjere proizvoda (kom, kg i.t.d.), do 5 znakova. Obavezan unos."),
    QStringLiteral("Cijena proizvoda - zbroj iznosa svih sastojaka na listi desno; automatski se ažurira."),
    QStringLiteral("Skladište - odabir skladišta iz kojeg uzimamo sastojak. Bira se samo s liste."),
    QStringLiteral("Šifra - odabir artikla po šifri; automatski se prikazuju naziv, slobodna količina i cijena. "
                   "Dugme \"...\" otvara pretragu artikala odabranog skladišta."),
    QStringLiteral("Naziv - odabir artikla po nazivu; automatski se prikazuju šifra, slobodna količina i cijena."),
    QStringLiteral("Količina - količina artikla za jedan proizvod, do 8 znakova ili 99 999. Ne može biti veća od "
                   "slobodne količine na skladištu. Iznos (količina x cijena) ne može prijeći 9 999 999."),
    QStringLiteral("Dodaj na listu - dodaje sastojak na listu desno; još uvijek ne u bazu. Isti artikl iz istog "
                   "skladišta ne može se dodati dva puta."),
    QStringLiteral("Briši sa liste - briše označeni sastojak s liste desno."),
    QStringLiteral("Unos u bazu proizvoda - unosi proizvod sa svim sastojcima s liste u bazu proizvoda."),
    QStringLiteral("Editiraj - učitava proizvod označen na listi svih proizvoda radi izmjene, brisanja ili ispisa. "
                   "Isto kao dvoklik na proizvod."),
    QStringLiteral("Izmjena - sprema promjene učitanog proizvoda: podatke proizvoda te dodane i obrisane sastojke."),
    QStringLiteral("Briši proizvod - briše učitani proizvod sa svim sastojcima. Proizvod koji je u radnom nalogu ne "
                   "može se brisati.")};

} // namespace

frmproizvodi::frmproizvodi() : WorkingWindow(MenuGroup::Production)
{
    setObjectName(QStringLiteral("frmproizvodi"));
    setWindowTitle(DesignCaption);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->setFixedSize(784, 488);
    setFrame(frameartikli);
    QWidget* f = frameartikli;
    Pic1 = new QFrame(f);
    Pic1->setObjectName(QStringLiteral("Pic1"));
    Pic1->setFrameShape(QFrame::StyledPanel);
    Frame1 = new QFrame(f);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);

    // Product header
    txtsifra = makeEntryBox(f, QStringLiteral("txtsifra"), QStringLiteral("Šifra proizvoda"), 10);
    txtbarkod = makeEntryBox(f, QStringLiteral("txtbarkod"), QStringLiteral("Barkod"), 13);
    txtnaziv = makeEntryBox(f, QStringLiteral("txtnaziv"), QStringLiteral("Naziv proizvoda"), 30);
    txtjedmjere = makeEntryBox(f, QStringLiteral("txtjedmjere"), QStringLiteral("Jedinica mjere(kom,kg i.t.d)"), 5);
    txtjedmjere->setAlignment(Qt::AlignCenter);
    txtcijenaproizvoda = makeEntryBox(f, QStringLiteral("txtcijenaproizvoda"),
                                      QStringLiteral("Cijena proizvoda (automatski se ažurira)"), 10);
    txtcijenaproizvoda->setText(QStringLiteral("0,00"));
    txtcijenaproizvoda->setAlignment(Qt::AlignRight);
    lockBox(txtcijenaproizvoda, false);
    cmdispis = makeButton(f, QStringLiteral("cmdispis"), QStringLiteral("Is&pis na pisač"),
                          QStringLiteral("Ispis proizvoda na pisač"), true);

    // Component entry
    cboskladiste = makeCombo(f, QStringLiteral("cboskladiste"), QStringLiteral("Odabir skladišta"), false);
    NoTypingKeyFilter(cboskladiste);
    NoTypingKeyFilter(cboskladiste->view());
    Cbosifra = makeCombo(f, QStringLiteral("Cbosifra"), QStringLiteral("Odabir šifre artikla"), true);
    cbonaziv = makeCombo(f, QStringLiteral("cbonaziv"), QStringLiteral("Odabir naziva artikla"), true);
    fitLongDropDownFor(Cbosifra, 10, ValueKind::Letters);
    fitLongDropDownFor(cbonaziv, 30, ValueKind::Letters);
    cmdpretraga = makeButton(f, QStringLiteral("cmdpretraga"), QStringLiteral("..."), QString(), false);
    cmdpretraga->setAccessibleName(QStringLiteral("Pretraga artikala"));
    txtpokazkolicine = makeEntryBox(f, QStringLiteral("txtpokazkolicine"), QString(), 32767);
    txtpokazkolicine->setAccessibleName(QStringLiteral("Slobodna količina"));
    lockBox(txtpokazkolicine, true);
    txtkolicina = makeEntryBox(f, QStringLiteral("txtkolicina"), QStringLiteral("Unos količine"), 8);
    txtcijena = makeEntryBox(f, QStringLiteral("txtcijena"), QStringLiteral("Automatski se ažurira"), 8);
    lockBox(txtcijena, true);
    txtiznos = makeEntryBox(f, QStringLiteral("txtiznos"), QStringLiteral("Iznos(automatski se mijenja)"), 32767);
    txtiznos->setText(QStringLiteral("0,00"));
    lockBox(txtiznos, false);
    for (QLineEdit* box : {txtpokazkolicine, txtkolicina, txtcijena, txtiznos})
        box->setAlignment(Qt::AlignRight);

    cmddodaj = makeButton(f, QStringLiteral("cmddodaj"), QStringLiteral("&Dodaj na listu"),
                          QStringLiteral("Dodaj na listu desno"), false);
    cmdbrisi = makeButton(f, QStringLiteral("cmdbrisi"), QStringLiteral("&Briši sa liste"),
                          QStringLiteral("Briši sa liste desno"), false);
    cmdprihvati = makeButton(f, QStringLiteral("cmdprihvati"), QStringLiteral(" &Unos u bazu"),
                             QStringLiteral("Unošenje sa liste u bazu podataka"), false);
    cmdodustani = makeButton(f, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);
    cmdeditiraj = makeButton(f, QStringLiteral("cmdeditiraj"), QStringLiteral("&Editiraj"),
                             QStringLiteral("Editiraj označeni artikl"), false);
    cmdizmjena = makeButton(f, QStringLiteral("cmdizmjena"), QStringLiteral("I&zmjeni"),
                            QStringLiteral("Spremi promjene"), false);
    cmdne = makeButton(f, QStringLiteral("cmdne"), QStringLiteral("&Odustani od promjene"),
                       QStringLiteral("Odustajanje od promjene artikla"), false);
    cmdbrisiproizvod = makeButton(f, QStringLiteral("cmdbrisiproizvod"), QStringLiteral("B&riši proizvod"),
                                  QStringLiteral("Brišemo cijeli proizvod"), false);

    lsvproizvodi =
        makeListView(f, QStringLiteral("lsvproizvodi"), QStringLiteral("Sastojci proizvoda"),
                     {QStringLiteral("Skladište"), QStringLiteral("Šifra art."), QStringLiteral("Naziv art."),
                      QStringLiteral("Količina"), QStringLiteral("Cijena"), QStringLiteral("Iznos"),
                      QStringLiteral("id"), QStringLiteral("idskladiste"), QStringLiteral("idsastojka")});
    setColumns(lsvproizvodi, {1440, 1440, 1440, 1000, 1440, 1440, 11, 10, 10}, {ColKolicina, ColCijena, ColIznos},
               ColId);
    lsvsviproizvodi = makeListView(f, QStringLiteral("lsvsviproizvodi"), QStringLiteral("Svi proizvodi"),
                                   {QStringLiteral("Šifra proiz."), QStringLiteral("Naziv proizvoda"),
                                    QStringLiteral("Barkod"), QStringLiteral("Jed. mj."), QStringLiteral("id")});
    setColumns(lsvsviproizvodi, {2440, 4051, 1440, 1000, 11}, {PColJedmjere}, PColId);
    widenColumnFor(lsvsviproizvodi, PColNaziv, 30, ValueKind::Letters);
    widenColumnFor(lsvsviproizvodi, PColBarkod, 13, ValueKind::Digits);
    useTooltipBackground(lsvsviproizvodi);
    ColumnSortToggle(lsvsviproizvodi);

    lblidknjige = makeHiddenLabel(f, QStringLiteral("lblidknjige"));
    lblvrstaknjige = makeHiddenLabel(f, QStringLiteral("lblvrstaknjige"));
    lblartikl = makeHiddenLabel(f, QStringLiteral("lblartikl"));
    lblidsvi = makeHiddenLabel(f, QStringLiteral("lblidsvi"));
    rtfispis = new ReportPane(this);
    rtfispis->setObjectName(QStringLiteral("rtfispis"));
    rtfispis->hide();

    // Places inside the frame: the header across the top, the component entry and its list in one band, all
    // products across the bottom.
    Pic1->setGeometry(4, 4, 776, 60);
    auto* lblsifra = makeLabelFor(f, QStringLiteral("Šifra:"), txtsifra);
    auto* lblbarkod = makeLabelFor(f, QStringLiteral("Barkod:"), txtbarkod);
    auto* lblnaziv = makeLabelFor(f, QStringLiteral("Naziv:"), txtnaziv);
    auto* lbljedmjere = makeLabelFor(f, QStringLiteral("Jedinica mj."), txtjedmjere);
    auto* lblcijenaproizvoda = makeLabelFor(f, QStringLiteral("Cijena proizvoda:"), txtcijenaproizvoda);
    lblsifra->setGeometry(12, 10, 50, 22);
    txtsifra->setGeometry(92, 10, 100, 22);
    lblbarkod->setGeometry(204, 10, 54, 22);
    txtbarkod->setGeometry(260, 10, 120, 22);
    lblnaziv->setGeometry(392, 10, 44, 22);
    txtnaziv->setGeometry(438, 10, 200, 22);
    cmdispis->setGeometry(648, 8, 126, 26);
    lbljedmjere->setGeometry(12, 37, 80, 22);
    txtjedmjere->setGeometry(92, 37, 50, 22);
    lblcijenaproizvoda->setGeometry(204, 37, 110, 22);
    txtcijenaproizvoda->setGeometry(316, 37, 100, 22);

    Frame1->setGeometry(4, 70, 222, 236);
    auto* lblskladiste = makeLabelFor(f, QStringLiteral("Skladište:"), cboskladiste);
    auto* lblartsifra = makeLabelFor(f, QStringLiteral("Šifra:"), Cbosifra);
    auto* lblartnaziv = makeLabelFor(f, QStringLiteral("Naziv:"), cbonaziv);
    auto* lblkolicina = makeLabelFor(f, QStringLiteral("Količina:"), txtkolicina);
    auto* lblcijena = makeLabelFor(f, QStringLiteral("Cijena:"), txtcijena);
    auto* lbliznos = makeLabelFor(f, QStringLiteral("Iznos:"), txtiznos);
    lblskladiste->setGeometry(10, 76, 60, 22);
    cboskladiste->setGeometry(70, 76, 150, 22);
    lblartsifra->setGeometry(10, 104, 60, 22);
    Cbosifra->setGeometry(70, 104, 112, 22);
    cmdpretraga->setGeometry(186, 103, 34, 24);
    lblartnaziv->setGeometry(10, 132, 60, 22);
    cbonaziv->setGeometry(70, 132, 150, 22);
    lblkolicina->setGeometry(10, 160, 60, 22);
    txtkolicina->setGeometry(70, 160, 72, 22);
    txtpokazkolicine->setGeometry(146, 160, 74, 22);
    lblcijena->setGeometry(10, 188, 60, 22);
    txtcijena->setGeometry(70, 188, 72, 22);
    lbliznos->setGeometry(10, 216, 60, 22);
    txtiznos->setGeometry(70, 216, 100, 22);
    cmddodaj->setGeometry(8, 244, 106, 26);
    cmdbrisi->setGeometry(116, 244, 106, 26);
    cmdprihvati->setGeometry(8, 274, 214, 26);
    lsvproizvodi->setGeometry(230, 70, 550, 236);

    lsvsviproizvodi->setGeometry(4, 312, 776, 138);
    cmdeditiraj->setGeometry(4, 456, 90, 28);
    cmdizmjena->setGeometry(98, 456, 180, 28);
    cmdne->setGeometry(282, 456, 226, 28);
    cmdbrisiproizvod->setGeometry(512, 456, 174, 28);
    cmdodustani->setGeometry(690, 456, 90, 28);
    Pic1->lower();
    Frame1->lower();

    const QList<QWidget*> chain{txtsifra,     txtbarkod,       txtnaziv,  txtjedmjere,      cboskladiste, Cbosifra,
                                cbonaziv,     txtkolicina,     txtcijena, cmddodaj,         cmdbrisi,     cmdprihvati,
                                cmdeditiraj,  cmdizmjena,      cmdne,     cmdbrisiproizvod, cmdodustani,  cmdpretraga,
                                lsvproizvodi, lsvsviproizvodi, cmdispis};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));

    txtpomoc = installHelp(HelpText, WorkingCaption);
    SelectAllOnFocus({txtsifra, txtbarkod, txtnaziv, txtjedmjere});
    DecimalKeyFilter(txtkolicina);
    DecimalFieldCommit::keep(txtkolicina);
    ListDblClickDefault(lsvsviproizvodi, cmdeditiraj);

    connect(cboskladiste, qOverload<int>(&QComboBox::activated), this, &frmproizvodi::chooseWarehouse);
    connect(Cbosifra, qOverload<int>(&QComboBox::activated), this, &frmproizvodi::chooseArticle);
    connect(cbonaziv, qOverload<int>(&QComboBox::activated), this, &frmproizvodi::chooseArticle);
    // Typing over a chosen article's code or name leaves the line without an article.
    for (QComboBox* combo : {Cbosifra, cbonaziv})
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this] { m_chosenBook = 0; });
    connect(txtkolicina, &QLineEdit::textChanged, this, &frmproizvodi::recalcLineAmount);
    connect(cmdpretraga, &QPushButton::clicked, this, &frmproizvodi::cmdpretragaClick);
    onClickCommitted(cmddodaj, this, [this] { cmddodajClick(); });
    connect(cmdbrisi, &QPushButton::clicked, this, &frmproizvodi::cmdbrisiClick);
    connect(cmdprihvati, &QPushButton::clicked, this, [this] { storeNewProduct(); });
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(cmdne, &QPushButton::clicked, this, &frmproizvodi::cmdneClick);
    connect(lsvsviproizvodi, &QTreeWidget::itemClicked, this, &frmproizvodi::chooseProduct);
    // Moving to another row with the keyboard chooses it too; sorting the list keeps the same row chosen.
    connect(lsvsviproizvodi, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QTreeWidgetItem* row = PendingList::lastSelected(lsvsviproizvodi);
        if (row && row->text(PColId) != lblidsvi->text())
            chooseProduct();
    });
    connect(cmdeditiraj, &QPushButton::clicked, this, &frmproizvodi::cmdeditirajClick);
    connect(cmdizmjena, &QPushButton::clicked, this, &frmproizvodi::cmdizmjenaClick);
    connect(cmdbrisiproizvod, &QPushButton::clicked, this, &frmproizvodi::cmdbrisiproizvodClick);
    connect(cmdispis, &QPushButton::clicked, this, &frmproizvodi::cmdispisClick);
}

frmproizvodi* frmproizvodi::openFromMenu()
{
    frmproizvodi* w = instance();
    w->showFromMenu();
    return w;
}

void frmproizvodi::load()
{
    try {
        m_books = warehouseBooks(AppState::openBookCompany);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    for (const WarehouseBook& book : m_books)
        cboskladiste->addItem(book.naziv);
    cboskladiste->setCurrentIndex(-1);
    if (m_books.isEmpty())
        return;
    // Until a book is chosen the labels name the last one listed.
    lblvrstaknjige->setText(m_books.last().vrsta);
    lblidknjige->setText(QString::number(m_books.last().id));
    refillProducts();
}

bool frmproizvodi::isEditMode() const
{
    return cmdne->isEnabled();
}

void frmproizvodi::refillProducts()
{
    // Refilling is not the user choosing a product.
    const QSignalBlocker block(lsvsviproizvodi);
    lsvsviproizvodi->clear();
    try {
        QList<QTreeWidgetItem*> items;
        for (const Product& p : Products::all(bookPath())) {
            auto* item =
                new QTreeWidgetItem(QStringList{p.sifra, p.naziv, p.barkod, p.jedmjere, QString::number(p.id)});
            item->setTextAlignment(PColJedmjere, Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        lsvsviproizvodi->addTopLevelItems(items);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
}

// Component entry ------------------------------------------------------------------------------------------------

void frmproizvodi::chooseWarehouse(int index)
{
    Cbosifra->clear();
    cbonaziv->clear();
    m_articleIds.clear();
    m_chosenBook = 0;
    if (index >= 0 && index < m_books.size()) {
        lblidknjige->setText(QString::number(m_books.at(index).id));
        lblvrstaknjige->setText(m_books.at(index).vrsta);
    }
    AppState::bazaskladista = BookFileName(lblvrstaknjige->text(), lblidknjige->text().toLongLong());
    QList<StockDocs::ArticleChoice> articles;
    try {
        articles = warehouseArticles(pickerBookPath());
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    if (articles.isEmpty())
        return;
    for (const StockDocs::ArticleChoice& a : articles) {
        Cbosifra->addItem(a.sifra);
        cbonaziv->addItem(a.naziv);
        m_articleIds.append(a.id);
    }
    clearCombo(Cbosifra);
    clearCombo(cbonaziv);
    if (!cboskladiste->currentText().isEmpty())
        cmdpretraga->setEnabled(true);
}

QString frmproizvodi::pickerBookPath() const
{
    return ProgramFolder::filePath(AppState::bazaskladista);
}

// An article chosen by code or by name: the item names its id, so the line gets exactly the article chosen.
void frmproizvodi::chooseArticle(int index)
{
    if (index < 0 || index >= m_articleIds.size())
        return;
    AppState::bazaskladista = BookFileName(lblvrstaknjige->text(), lblidknjige->text().toLongLong());
    std::optional<StockDocs::ArticleStock> article;
    try {
        article = warehouseArticle(pickerBookPath(), m_articleIds.at(index));
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    if (!article)
        return;
    Cbosifra->setCurrentIndex(index);
    cbonaziv->setCurrentIndex(index);
    showArticle(*article);
}

void frmproizvodi::showArticle(const StockDocs::ArticleStock& article)
{
    const QString id = QString::number(article.id);
    lblartikl->setText(id);
    txtpokazkolicine->setText(AvailableQuantityRule(id, article.stanje, pendingQuantities()).text00());
    txtcijena->setText(article.proscijena.shortText());
    m_chosenBook = lblidknjige->text().toLongLong();
}

void frmproizvodi::forgetArticle()
{
    m_chosenBook = 0;
}

// The lines already listed from the current warehouse book: article ids are numbered per book.
QList<PendingQuantity> frmproizvodi::pendingQuantities() const
{
    QList<PendingQuantity> lines;
    for (int i = 0; i < lsvproizvodi->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvproizvodi->topLevelItem(i);
        if (row->text(ColIdSkladista) == lblidknjige->text())
            lines.append({row->text(ColId), row->text(ColKolicina)});
    }
    return lines;
}

void frmproizvodi::takePickedArticle(const PickedArticle& article)
{
    Cbosifra->setEditText(article.sifra);
    cbonaziv->setEditText(article.naziv);
    if (article.stored) {
        const int index = int(m_articleIds.indexOf(article.stored->id));
        if (index >= 0) {
            Cbosifra->setCurrentIndex(index);
            cbonaziv->setCurrentIndex(index);
        }
        showArticle(*article.stored);
    } else {
        forgetArticle();
    }
    txtkolicina->setFocus();
}

void frmproizvodi::cmdpretragaClick()
{
    AppState::vrstadokumenta = AppState::ModeProduction;
    frmartikliizbor::openFor(this);
}

void frmproizvodi::recalcLineAmount()
{
    const std::optional<double> product = Figure::multiplyTexts(txtkolicina->text(), txtcijena->text());
    if (product && *product > LineAmountLimit) {
        HrMsgBox(QStringLiteral("Iznos ne smije prijeći 9 999 999 zbog bolje kontrole skladišta!"), 32,
                 QStringLiteral("Prevelik unos!"));
        txtiznos->setText(QStringLiteral("0,00"));
        txtkolicina->setText(QStringLiteral("0,00"));
        return;
    }
    cmddodaj->setEnabled(!txtkolicina->text().isEmpty() && !txtcijena->text().isEmpty());
    // The boxes as they stand, rounded only for the amount shown; a committed quantity gives the line's amount.
    txtiznos->setText(product ? Figure::fromDouble(*product).text00() : QStringLiteral("0,00"));
}

void frmproizvodi::recalcProductPrice()
{
    Figure sum;
    for (int i = 0; i < lsvproizvodi->topLevelItemCount(); ++i)
        sum += Figure::parse(lsvproizvodi->topLevelItem(i)->text(ColIznos)).value_or(Figure());
    txtcijenaproizvoda->setText(sum.text00());
}

void frmproizvodi::cmddodajClick()
{
    if (cboskladiste->currentText().isEmpty()) {
        cboskladiste->setFocus();
        return;
    }
    const QString bookId = lblidknjige->text();
    const bool chosen = m_chosenBook != 0 && QString::number(m_chosenBook) == bookId && !lblartikl->text().isEmpty();
    for (int i = 0; i < lsvproizvodi->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvproizvodi->topLevelItem(i);
        if (row->text(ColIdSkladista) == bookId &&
            (row->text(ColSifra) == Cbosifra->currentText() || (chosen && row->text(ColId) == lblartikl->text()))) {
            HrMsgBox(DuplicateMessage, 48, QStringLiteral("Nepravilan unos!"));
            cboskladiste->setFocus();
            return;
        }
    }
    const auto available = Figure::parse(txtpokazkolicine->text());
    const auto quantity = Figure::parse(txtkolicina->text());
    const auto price = Figure::parse(txtcijena->text());
    if (available && quantity && *available < *quantity) {
        HrMsgBox(QStringLiteral("Na skladištu nema toliko!"), 48, QStringLiteral("Nema toliko!"));
        txtkolicina->selectAll();
        txtkolicina->setFocus();
        return;
    }
    const Figure amount = Figure::multiply(quantity.value_or(Figure()), price.value_or(Figure()));
    if (amount.isZero()) {
        HrMsgBox(ZeroAmountMessage, 48, QStringLiteral("Nema količine"));
        QLineEdit* box = quantity.value_or(Figure()).isZero() ? txtkolicina : txtcijena;
        box->setText(QStringLiteral("0,00"));
        box->selectAll();
        box->setFocus();
        return;
    }
    // A line needs an article looked up in the warehouse book it names, with its code and name as shown.
    if (!chosen || !available || Cbosifra->currentText().isEmpty() || cbonaziv->currentText().isEmpty()) {
        HrMsgBox(IncompleteLineMessage, 48, QStringLiteral("Unos nepotpun!"));
        Cbosifra->setFocus();
        return;
    }
    QTreeWidgetItem* row =
        PendingList::append(lsvproizvodi, {cboskladiste->currentText(), Cbosifra->currentText(),
                                           cbonaziv->currentText(), txtkolicina->text(), txtcijena->text(),
                                           amount.text00(), lblartikl->text(), bookId, QStringLiteral("0")});
    lsvproizvodi->setCurrentItem(row);

    txtkolicina->clear();
    txtcijena->clear();
    clearCombo(cboskladiste);
    clearCombo(Cbosifra);
    clearCombo(cbonaziv);
    txtpokazkolicine->clear();
    forgetArticle();
    cmdbrisi->setEnabled(true);
    if (!isEditMode())
        cmdprihvati->setEnabled(true);
    recalcProductPrice();
    cboskladiste->setFocus();
    cmdpretraga->setEnabled(false);
}

void frmproizvodi::cmdbrisiClick()
{
    QTreeWidgetItem* row = PendingList::lastSelected(lsvproizvodi);
    if (!row)
        return;
    if (HrMsgBox(QStringLiteral("Želite obrisati označeni unos na listi desno? "), 36,
                 QStringLiteral("Brisanje zapisa!")) != MsgYes)
        return;
    m_removed.append(row->text(ColIdSastojka));
    delete row;
    recalcProductPrice();
    const int count = lsvproizvodi->topLevelItemCount();
    if (count > 0) {
        lsvproizvodi->setCurrentItem(lsvproizvodi->topLevelItem(count - 1));
    } else {
        cmdbrisi->setEnabled(false);
        cmdprihvati->setEnabled(false);
        cmddodaj->setEnabled(false);
    }
}

void frmproizvodi::cmdneClick()
{
    m_removed.clear();
    lsvproizvodi->clear();
    txtsifra->clear();
    txtnaziv->clear();
    txtbarkod->clear();
    txtjedmjere->clear();
    txtcijenaproizvoda->setText(QStringLiteral("0,00"));
    clearCombo(cboskladiste);
    clearCombo(Cbosifra);
    clearCombo(cbonaziv);
    txtkolicina->clear();
    txtpokazkolicine->clear();
    txtiznos->setText(QStringLiteral("0,00"));
    forgetArticle();
    setCaptionWithName(cmdbrisiproizvod, QStringLiteral("B&risi proizvod"), QString());
    cmdbrisiproizvod->setEnabled(false);
    cmdbrisi->setEnabled(false);
    setCaptionWithName(cmdizmjena, QStringLiteral("I&zmjena"), QString());
    cmdizmjena->setEnabled(false);
    cmdeditiraj->setEnabled(false);
    setCaptionWithName(cmdne, QStringLiteral("&Odustajem od promjene"), QString());
    cmdne->setEnabled(false);
}

// Storing a new product -------------------------------------------------------------------------------------------

Product frmproizvodi::enteredProduct() const
{
    return Product{lblidsvi->text().toLongLong(), txtsifra->text(), txtbarkod->text(), txtnaziv->text(),
                   txtjedmjere->text()};
}

bool frmproizvodi::headerComplete()
{
    if (txtnaziv->text().isEmpty() || txtsifra->text().isEmpty() || txtjedmjere->text().isEmpty()) {
        HrMsgBox(IncompleteHeaderMessage, 48, QStringLiteral("Unos nepotpun"));
        return false;
    }
    return true;
}

bool frmproizvodi::headerUnique(qint64 exceptId)
{
    ProductClash clash = ProductClash::None;
    try {
        clash = Products::findClash(bookPath(), enteredProduct(), exceptId);
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return false;
    }
    QLineEdit* box = nullptr;
    QString message;
    switch (clash) {
    case ProductClash::None:
        return true;
    case ProductClash::Code:
        box = txtsifra;
        message = QStringLiteral("Šifra proizvoda već postoji u bazi podataka!\r\nNe mogu biti dvije jednake šifre!");
        break;
    case ProductClash::Name:
        box = txtnaziv;
        message = QStringLiteral("Naziv proizvoda već postoji u bazi podataka!\r\nNe mogu se unijeti dva ista naziva!");
        break;
    case ProductClash::BarCode:
        box = txtbarkod;
        message =
            QStringLiteral("Barkod proizvoda već postoji u bazi podataka!\r\nNe mogu se unijeti dva ista barkoda!");
        break;
    }
    HrMsgBox(message, 32, ClashTitle);
    box->setFocus();
    box->selectAll();
    return false;
}

QList<Component> frmproizvodi::listedComponents(bool onlyNew) const
{
    QList<Component> lines;
    for (int i = 0; i < lsvproizvodi->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvproizvodi->topLevelItem(i);
        if (onlyNew && row->text(ColIdSastojka) != QLatin1String("0"))
            continue;
        lines.append(Component{0, row->text(ColId).toLongLong(), row->text(ColIdSkladista).toLongLong(),
                               Figure::parse(row->text(ColKolicina)).value_or(Figure()),
                               Figure::parse(row->text(ColCijena)).value_or(Figure())});
    }
    return lines;
}

bool frmproizvodi::storeNewProduct()
{
    if (!headerComplete())
        return false;
    if (HrMsgBox(QStringLiteral("Unosimo proizvod u bazu proizvoda?"), 36, QStringLiteral("Unošenje")) != MsgYes)
        return false;
    if (!headerUnique(0))
        return false;
    try {
        Products::insert(bookPath(), enteredProduct(), listedComponents(false));
    } catch (const DbError& e) {
        // Nothing was stored; the window keeps the product and its lines.
        ReportErrTail(e.description());
        return false;
    }
    resetEntry();
    refillProducts();
    HrMsgBox(QStringLiteral("Unos proizvoda je uspješno izveden!"), 32, QStringLiteral("Uspješno unošenje"));
    return true;
}

void frmproizvodi::resetEntry()
{
    lsvproizvodi->clear();
    clearCombo(cboskladiste);
    clearCombo(Cbosifra);
    clearCombo(cbonaziv);
    txtsifra->clear();
    txtnaziv->clear();
    txtiznos->setText(QStringLiteral("0,00"));
    txtcijena->clear();
    txtpokazkolicine->clear();
    txtjedmjere->clear();
    txtbarkod->clear();
    txtcijenaproizvoda->setText(QStringLiteral("0,00"));
    forgetArticle();
    cmdprihvati->setEnabled(false);
    cmddodaj->setEnabled(false);
    cmdbrisi->setEnabled(false);
}

bool frmproizvodi::confirmClose()
{
    if (!cmdprihvati->isEnabled() || lsvproizvodi->topLevelItemCount() == 0)
        return true;
    return CommitOnCloseQuery(QStringLiteral("Želite li unijeti proizvod u bazu proizvoda?"),
                              QStringLiteral("Posprema u skladište"), [this] { return storeNewProduct(); });
}

// Editing a stored product ----------------------------------------------------------------------------------------

void frmproizvodi::chooseProduct()
{
    if (lsvsviproizvodi->topLevelItemCount() == 0)
        return;
    cmdeditiraj->setEnabled(true);
    cmdbrisiproizvod->setEnabled(false);
    cmdne->setEnabled(false);
    cmdizmjena->setEnabled(false);
    if (const QTreeWidgetItem* row = PendingList::lastSelected(lsvsviproizvodi)) {
        lblidsvi->setText(row->text(PColId));
        m_chosenName = row->text(PColNaziv);
    }
}

void frmproizvodi::cmdeditirajClick()
{
    if (cmdprihvati->isEnabled() && HrMsgBox(QStringLiteral("Želite editirati proizvod: ") + m_chosenName, 36,
                                             QStringLiteral("Editiranje proizvoda!")) != MsgYes)
        return;
    prihvat();
    txtsifra->setFocus();
}

void frmproizvodi::prihvat()
{
    lsvproizvodi->clear();
    bool numeric = false;
    const qint64 id = lblidsvi->text().toLongLong(&numeric);
    if (!numeric)
        return;
    std::optional<Product> product;
    QList<ResolvedComponent> lines;
    try {
        product = Products::find(bookPath(), id);
        if (!product)
            return;
        lines = Products::resolveComponents(bookPath(), id);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    txtnaziv->setText(product->naziv.trimmed());
    txtbarkod->setText(product->barkod.trimmed());
    txtsifra->setText(product->sifra.trimmed());
    txtjedmjere->setText(product->jedmjere.trimmed());

    // A line whose warehouse book or article is gone keeps its place, so it can be removed or the product deleted.
    for (const ResolvedComponent& r : lines) {
        const Component& c = r.line;
        PendingList::append(lsvproizvodi,
                            {r.book ? r.book->naziv : UnknownBook, r.article ? r.article->sifra : QStringLiteral("?"),
                             r.article ? r.article->naziv : UnknownArticle, MoneyColumn12(c.kolicina),
                             MoneyColumn12(c.cijena), MoneyColumn12(c.amount()), QString::number(c.articleId),
                             QString::number(c.bookId), QString::number(c.id)});
    }
    recalcProductPrice();
    m_chosenName = product->naziv;
    setCaptionWithName(cmdizmjena, QStringLiteral("I&zmjena: "), m_chosenName);
    setCaptionWithName(cmdne, QStringLiteral("&Odustani od izmjene: "), m_chosenName);
    setCaptionWithName(cmdbrisiproizvod, QStringLiteral("B&risi: "), m_chosenName);
    cmdizmjena->setEnabled(true);
    cmdbrisiproizvod->setEnabled(true);
    cmdne->setEnabled(true);
    cmdbrisi->setEnabled(true);
    if (lsvproizvodi->topLevelItemCount() > 0)
        lsvproizvodi->setCurrentItem(lsvproizvodi->topLevelItem(lsvproizvodi->topLevelItemCount() - 1));

    clearCombo(cboskladiste);
    clearCombo(Cbosifra);
    clearCombo(cbonaziv);
    txtkolicina->clear();
    txtpokazkolicine->clear();
    txtcijena->clear();
    txtiznos->setText(QStringLiteral("0,00"));
    forgetArticle();
    cmdprihvati->setEnabled(false);
    m_removed.clear();
}

void frmproizvodi::cmdizmjenaClick()
{
    if (!headerComplete())
        return;
    if (lsvproizvodi->topLevelItemCount() == 0) {
        HrMsgBox(QStringLiteral("Na listu desno unesite bar jedan artikl ili kliknite na odustani od izmjene!"), 48,
                 QStringLiteral("Unos nepotpun"));
        return;
    }
    if (HrMsgBox(QStringLiteral("Mijenjamo osobine proizvoda?") + m_chosenName, 36, QStringLiteral("Unošenje")) !=
        MsgYes)
        return;
    const Product product = enteredProduct();
    if (!headerUnique(product.id))
        return;
    QList<qint64> removed;
    for (const QString& id : m_removed)
        if (const qint64 value = id.toLongLong(); value > 0)
            removed.append(value);
    try {
        Products::update(bookPath(), product, listedComponents(true), removed);
    } catch (const DbError& e) {
        // Nothing was changed; the window stays in edit mode with its lines.
        ReportErrTail(e.description());
        return;
    }
    m_removed.clear();
    refillProducts();
    HrMsgBox(QStringLiteral("Promjena je uspješno obavljena!"), 64, QStringLiteral("Promjena!"));
    cmdneClick();
}

void frmproizvodi::cmdbrisiproizvodClick()
{
    const qint64 id = lblidsvi->text().toLongLong();
    const QString name = m_chosenName;
    const auto refuse = [&name] {
        HrMsgBox(QStringLiteral("Proizvod: ") + name +
                     QStringLiteral(" je u tablici radnih naloga i ne može se "
                                    "brisati!"),
                 16, QStringLiteral("Brisanje onemogućeno!"));
    };
    try {
        if (Products::usedByWorkOrder(bookPath(), id)) {
            refuse();
            return;
        }
        if (HrMsgBox(QStringLiteral("Želite brisati cijeli proizvod! ") + name + QStringLiteral("\r\nBudite pažljivi!"),
                     276, QStringLiteral("Brisanje proizvoda!")) != MsgYes)
            return;
        // Another copy of the program may have issued a work order for it while the question was open.
        if (!Products::remove(bookPath(), id)) {
            refuse();
            return;
        }
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    cmdneClick();
    HrMsgBox(QStringLiteral("Proizvod: !") + name + QStringLiteral(" je nepovratno obrisan!"), 64,
             QStringLiteral("Proizvod obrisan"));
    refillProducts();
}

// Printout --------------------------------------------------------------------------------------------------------

void frmproizvodi::ispis()
{
    BillOfMaterials bill{txtnaziv->text(),    txtsifra->text(),           txtbarkod->text(),
                         txtjedmjere->text(), txtcijenaproizvoda->text(), {}};
    for (int i = 0; i < lsvproizvodi->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvproizvodi->topLevelItem(i);
        bill.rows.append({row->text(ColSkladiste), row->text(ColSifra), row->text(ColNaziv), row->text(ColKolicina),
                          row->text(ColCijena), row->text(ColIznos)});
    }
    rtfispis->setReport(BillOfMaterialsText(bill, QDate::currentDate()));
}

void frmproizvodi::cmdispisClick()
{
    if (!isEditMode())
        return;
    ispis();
    if (rtfispis->isEmpty())
        return;
    PrintQuestion(rtfispis, QStringLiteral("Ispis proizvoda: ") + txtnaziv->text() + QStringLiteral(" na pisač?"),
                  QStringLiteral("Ispis!"));
}
