#include "frmPrimka.h"

#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/keyfilters.h"
#include "common/stockdoclink.h"
#include "common/windowkeys.h"
#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/stock/posting.h"
#include "core/stock/stockdocs.h"
#include "core/text/datetext.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmartikliizbor.h"
#include "masterdata/frmunos.h"
#include "masterdata/frmunosdokumenta.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

const QString ReceiptCaption = QStringLiteral("Primka      Pomoć  F1");
const QString IssueCaption = QStringLiteral("Izdatnica         Pomoć F1 ");
const QString ReceiptWorkingCaption = QStringLiteral("Primka     Pomoć  F1");
const QString IssueWorkingCaption = QStringLiteral("Izdatnica      Pomoć F1");
// The highest line amount a receipt takes.
constexpr double ReceiptAmountLimit = 9'999'999.0;

// Adds an entry in its Croatian alphabetical place, the row's id as its data; returns its index.
int insertSorted(QComboBox* combo, const StockDocs::NamedRow& row)
{
    int at = 0;
    while (at < combo->count() && compareHr(combo->itemText(at), row.name) <= 0)
        ++at;
    combo->insertItem(at, row.name, row.id);
    return at;
}

void fillSorted(QComboBox* combo, QList<StockDocs::NamedRow> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const StockDocs::NamedRow& a, const StockDocs::NamedRow& b) {
        return compareHr(a.name, b.name) < 0;
    });
    combo->clear();
    for (const StockDocs::NamedRow& row : rows)
        combo->addItem(row.name, row.id);
    combo->setCurrentIndex(-1);
}

// The id of the row the picker shows, 0 when it shows none.
qint64 chosenId(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? 0 : combo->currentData().toLongLong();
}

QComboBox* makePicker(QWidget* parent, const char* name, const QString& tip)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setToolTip(tip);
    combo->setMaxVisibleItems(20);
    // Entries come only from the list, closed or open: typed characters are dropped, arrows still move.
    NoTypingKeyFilter(combo);
    NoTypingKeyFilter(combo->view());
    return combo;
}

const QStringList ReceiptHelp = {
    QStringLiteral("F1 pomoć i izlaz iz pomoći"),
    QStringLiteral("Primka br. - automatski se upisuje broj primke. Ne može se proizvoljno unijeti"),
    QStringLiteral("Dobavljač - Birate dobavljača iz ponuđene liste dobavljača ili unosite novog dobavljača (Klik na "
                   "dugme - Unos novog kupca ili dobavljača) Napomena:  Mora biti d ili s ako je dobavljač. Obavezan "
                   "prikaz dobavljača( polje ne može biti prazno)."),
    QStringLiteral("Dokument - Bira se iz ponuđene liste dokumenata ili unosite novi dokument(Klik na dugme  - Unos "
                   "novog dokumenta). Obavezan prikaz dokumenta(polje ne može ostati prazno)"),
    QStringLiteral("Broj dokumenta - Proizvoljan unos broja dokumenta. Obavezan unos."),
    QStringLiteral("Datum primke - Označimo na kalendaru datum kada je primka unešena."),
    QStringLiteral("Datum dokumenta - Označimo na kalendaru datum izdavanja dokumenta."),
    QStringLiteral("Šifra artikla - Biramo artikl po šifri artikla iz baze postojećih artikala ili dodajemo novi "
                   "artikl(Klik na dugme - Unos novog artikla). Automatski se prikazuje naziv artikla."),
    QStringLiteral("Naziv artikla - Biramo artikl po nazivu artikla iz baze postojećih artikala ili dodajemo novi "
                   "artikl(Klik na dugme - Unos novog artikla). Automatski se prikazuje šifra artikla."),
    QStringLiteral("Količina - Brojčani unos količine. Unos do max. 99 999,99. Program ne dopušta veći unos. Unos je "
                   "obavezan i ne može biti 0. Program zaokružuje na dvije decimale."),
    QStringLiteral("Cijena - Brojčani unos cijene artikla. Unos do max. 99 999,99. Program ne dopušta veći unos. Unos "
                   "je obavezan i ne može biti 0. Program zaokružuje na dvije decimale."),
    QStringLiteral("Iznos  - Automatski se mijenja. (Promjenom količine i cijene). Napomena: Iznos ne može premašiti 9 "
                   "999 999.99 zbog bolje kontrole skladišta i sigurnosti programa."),
    QStringLiteral("Dodaj na listu - Dodaje unešene artikle na listu desno. Još uvijek ne u bazu artikala."),
    QStringLiteral("Briši sa liste - Briše sa liste označeni artikl."),
    QStringLiteral("Unos u skladište - Ako potvrdno odgovorimo na pitanje, program unosi novu primku i sve artikle na "
                   "primci bez mogućnosti vraćanja ili izmjene."),
    QStringLiteral(" Napomena: Budite pažljivi jer se primka ne može obrisati niti mijenjati.")};

const QStringList IssueHelp = {
    QStringLiteral("F1 pomoć i izlaz iz pomoći"),
    QStringLiteral("Izdatnica br. - automatski se upisuje broj izdatnice. Ne može se proizvoljno unijeti"),
    QStringLiteral("Mjesto troška - Birate kupca iz ponuđene liste kupca ili unosite novog kupca (Klik na dugme - Unos "
                   "novog kupca ili dobavljača) Napomena:  Mora biti k ako je kupac. Obavezan prikaz  kupca ( polje ne "
                   "može biti prazno). "),
    QStringLiteral("Datum izdatnice - Označimo na kalendaru datum kada je izdatnica izdana."),
    QStringLiteral("Šifra artikla - Biramo artikl po šifri artikla iz baze postojećih artikala . Automatski se "
                   "prikazuje naziv artikla u listi naziv artikla."),
    QStringLiteral("Naziv artikla - Biramo artikl po nazivu artikla iz baze postojećih artikala. Automatski se "
                   "prikazuje šifra artikla u listi šifra artikla."),
    QStringLiteral(
        "Količina - Brojčani iznos količine. Iznos do max. 99 999,99. Program ne dopušta veći iznos nego što "
        "ima na skladištu. Stvarno stanje na skladištu je u polju pokaz količine koje se mijenja onoliko "
        "koliko iznosimo artikl. Upis iznosa  je obavezan i ne može biti 0. Program zaokružuje na dvije "
        "decimale."),
    QStringLiteral("Cijena - Automatski se prikazuje iz baze artikala. "),
    QStringLiteral("Iznos  - Automatski se mijenja. (Promjenom količine). "),
    QStringLiteral("Dodaj na listu - Dodaje unešene artikle na listu desno. Još uvijek ne u bazu artikala. Napomena: "
                   "program ne dopušta dodavanje na listu ako količina artikala prelazi postojeću količinu artikala "
                   "vidljivu u polju prikaz količine koji se mijenja onoliko koliko je unešeno artikala. Program čita "
                   "iz baze artikala stanje u skladištu pojedinog artikla."),
    QStringLiteral("Briši sa liste - Briše sa liste označeni artikl."),
    QStringLiteral("Unos u skladište - Ako potvrdno odgovorimo na pitanje, program unosi novu izdatnicu i sve artikle "
                   "na izdatnici bez mogućnosti vraćanja ili izmjene."),
    QStringLiteral(" Napomena: Budite pažljivi jer se izdatnica ne može obrisati niti mijenjati.")};

} // namespace

frmPrimka::frmPrimka() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmPrimka"));
    setWindowTitle(AppState::ModeReceipt);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->setFixedSize(784, 488);
    setFrame(frameartikli);
    QWidget* f = frameartikli;

    // Header
    txtprimka = makeEntryBox(f, QStringLiteral("txtprimka"), QStringLiteral("Broj primke"), 32767);
    lockBox(txtprimka);
    txtdatumprimke = makeDatePicker(f, QStringLiteral("txtdatumprimke"));
    cbokd = makePicker(f, "cbokd", QStringLiteral("Ime dobavljača"));
    cbodokument = makePicker(f, "cbodokument", QStringLiteral("Odabir dokumenta"));
    txtbroj = makeEntryBox(f, QStringLiteral("txtbroj"), QStringLiteral("Broj dokumenta"), 10);
    txtdatumdokumenta = makeDatePicker(f, QStringLiteral("txtdatumdokumenta"));
    Label1_0 = makeLabelFor(f, QStringLiteral("Primka br. :"), txtprimka, QStringLiteral("Label1_0"));
    Label2_0 = makeLabelFor(f, QStringLiteral("Datum primke :"), txtdatumprimke, QStringLiteral("Label2_0"));
    Label3_0 = makeLabelFor(f, QStringLiteral("Dobavljač :"), cbokd, QStringLiteral("Label3_0"));
    Label4_0 = makeLabelFor(f, QStringLiteral("Dokument :"), cbodokument, QStringLiteral("Label4_0"));
    Label5_0 = makeLabelFor(f, QStringLiteral("Broj :"), txtbroj, QStringLiteral("Label5_0"));
    Label6_0 = makeLabelFor(f, QStringLiteral("Datum dok:"), txtdatumdokumenta, QStringLiteral("Label6_0"));
    lblpi = makeHiddenLabel(f, QStringLiteral("lblpi"));
    lblidprimkeizdatnice = makeHiddenLabel(f, QStringLiteral("lblidprimkeizdatnice"));

    // Line entry
    Cbosifra = makePicker(f, "Cbosifra", QStringLiteral("Odabir šifre artikla"));
    cbonaziv = makePicker(f, "cbonaziv", QStringLiteral("Odabir naziva artikla"));
    // Tens of thousands of articles: plain lists of texts fill at once, where an item per entry would not.
    for (QComboBox* picker : {Cbosifra, cbonaziv})
        picker->setModel(new QStringListModel(picker));
    fitLongDropDownFor(Cbosifra, 10, ValueKind::Letters);
    fitLongDropDownFor(cbonaziv, 30, ValueKind::Letters);
    lstid = new QListWidget(f);
    lstid->setObjectName(QStringLiteral("lstid"));
    lstid->hide();
    lblartikl = makeHiddenLabel(f, QStringLiteral("lblartikl")); // the line's article id, for the list
    txtkolicina = makeEntryBox(f, QStringLiteral("txtkolicina"), QStringLiteral("Unos količine"), 8);
    txtcijena = makeEntryBox(f, QStringLiteral("txtcijena"), QStringLiteral("Unos cijene"), 8);
    txtiznos = makeEntryBox(f, QStringLiteral("txtiznos"), QStringLiteral("Iznos(automatski se mijenja)"), 32767);
    txtiznos->setText(QStringLiteral("0,00"));
    lockBox(txtiznos);
    txtpokazkolicine = makeEntryBox(f, QStringLiteral("txtpokazkolicine"), QString(), 32767);
    txtpokazkolicine->setAccessibleName(QStringLiteral("Raspoloživa količina"));
    lockBox(txtpokazkolicine);
    for (QLineEdit* box : {txtkolicina, txtcijena, txtiznos, txtpokazkolicine})
        box->setAlignment(Qt::AlignRight);
    lblkd = makeLabelFor(f, QStringLiteral("Šifra:"), Cbosifra, QStringLiteral("lblkd"));
    Label2_1 = makeLabelFor(f, QStringLiteral("Naziv:"), cbonaziv, QStringLiteral("Label2_1"));
    Label1_1 = makeLabelFor(f, QStringLiteral("Količ.:"), txtkolicina, QStringLiteral("Label1_1"));
    Label3_1 = makeLabelFor(f, QStringLiteral("Cijena:"), txtcijena, QStringLiteral("Label3_1"));
    Label4_1 = makeLabelFor(f, QStringLiteral("Iznos:"), txtiznos, QStringLiteral("Label4_1"));

    // Buttons
    cmddodaj = makeButton(f, QStringLiteral("cmddodaj"), QStringLiteral("&Dodaj na listu"),
                          QStringLiteral("Dodaj na listu desno"), false);
    cmdbrisi = makeButton(f, QStringLiteral("cmdbrisi"), QStringLiteral("&Briši sa liste"),
                          QStringLiteral("Briši sa liste desno"), false);
    cmdprihvati = makeButton(f, QStringLiteral("cmdprihvati"), QStringLiteral("&Unos u skladište"),
                             QStringLiteral("Unošenje sa liste u skladište"), false);
    cmdodustani = makeButton(f, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);
    cmdpretraga = makeButton(f, QStringLiteral("cmdpretraga"), QStringLiteral("..."),
                             QStringLiteral("Pretraga postojećih artikala..."), true);
    cmdnovidokument = makeButton(f, QStringLiteral("cmdnovidokument"), QStringLiteral("Unos novog doku&menta..."),
                                 QStringLiteral("Unos novog dokumenta"), true);
    cmdartikl = makeButton(f, QStringLiteral("cmdartikl"), QStringLiteral("Unos novog &artikla..."),
                           QStringLiteral("Unos novog artikla..."), true);
    cmddobavljac = makeButton(f, QStringLiteral("cmddobavljac"), QStringLiteral("Uno&s novog kupca ili dobavljača..."),
                              QStringLiteral("Unos novog kupca ili dobavljača"), true);

    // Pending lines
    lsvartprimka = makeListView(f, QStringLiteral("lsvartprimka"), QStringLiteral("Stavke dokumenta"),
                                {QStringLiteral("Šifra art."), QStringLiteral("Naziv art."), QStringLiteral("Količina"),
                                 QStringLiteral("Cijena"), QStringLiteral("Iznos"), QStringLiteral("id")});
    const int widths[ColumnCount] = {2540, 2540, 1764, 2540, 2540, 19};
    for (int c = 0; c < ColumnCount; ++c)
        lsvartprimka->setColumnWidth(c, qMax(1, twips(widths[c])));
    for (int c : {int(ColKolicina), int(ColCijena), int(ColIznos)})
        lsvartprimka->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    FitColumnsToWidth(lsvartprimka, ColNaziv);

    // Places inside the frame.
    const int lx = 8, fx = 122;
    Label1_0->setGeometry(lx, 8, 112, 22);
    txtprimka->setGeometry(fx, 8, 90, 22);
    Label2_0->setGeometry(lx, 36, 112, 22);
    txtdatumprimke->setGeometry(fx, 36, 110, 22);
    Label3_0->setGeometry(lx, 64, 112, 22);
    cbokd->setGeometry(fx, 64, 262, 22);
    Label4_0->setGeometry(lx, 92, 112, 22);
    cbodokument->setGeometry(fx, 92, 262, 22);
    Label5_0->setGeometry(lx, 120, 112, 22);
    txtbroj->setGeometry(fx, 120, 110, 22);
    Label6_0->setGeometry(lx, 148, 112, 22);
    txtdatumdokumenta->setGeometry(fx, 148, 110, 22);

    auto* rule = new QFrame(f);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(lx, 174, 768, 4);
    // The line entry stands to the right of the header, so the pending list can take the whole width.
    const int rx = 396, rex = rx + 50;
    lblkd->setGeometry(rx, 8, 50, 22);
    Cbosifra->setGeometry(rex, 8, 250, 22);
    cmdpretraga->setGeometry(rex + 254, 7, 32, 24);
    Label2_1->setGeometry(rx, 36, 50, 22);
    cbonaziv->setGeometry(rex, 36, 286, 22);
    Label1_1->setGeometry(rx, 64, 50, 22);
    txtkolicina->setGeometry(rex, 64, twips(2625), 22);
    txtpokazkolicine->setGeometry(rex + twips(2610 - 780), 64, twips(792), 22);
    Label3_1->setGeometry(rx, 92, 50, 22);
    txtcijena->setGeometry(rex, 92, twips(2640), 22);
    Label4_1->setGeometry(rx, 120, 50, 22);
    txtiznos->setGeometry(rex, 120, twips(2640), 22);
    lblartikl->setGeometry(rex + twips(2640) + 4, 124, twips(225), twips(225));
    cmddodaj->setGeometry(636, 63, 140, 26);
    cmdbrisi->setGeometry(636, 91, 140, 26);
    cmdnovidokument->setGeometry(lx, 182, 250, 26);
    cmdartikl->setGeometry(266, 182, 250, 26);
    cmddobavljac->setGeometry(524, 182, 252, 26);
    lsvartprimka->setGeometry(lx, 214, 768, 232);
    cmdprihvati->setGeometry(396, 454, 185, 28);
    cmdodustani->setGeometry(591, 454, 185, 28);

    txtpomoc = makeHelpPane(this, ReceiptHelp, QStringLiteral("txtpomoc"));
    txtpomoc1 = makeHelpPane(this, IssueHelp, QStringLiteral("txtpomoc1"));
    m_help = new HelpPaneToggle(this, txtpomoc, {frameartikli}, [this] { return workingCaption(); });

    SelectAllOnFocus({txtbroj, txtkolicina});
    for (QLineEdit* box : {txtkolicina, txtcijena}) {
        DecimalKeyFilter(box);
        connect(box, &QLineEdit::textChanged, this, [this, box] { LineAmountRecalc(box); });
    }
    connect(cbonaziv, qOverload<int>(&QComboBox::activated), this, &frmPrimka::choosePickedIndex);
    connect(Cbosifra, qOverload<int>(&QComboBox::activated), this, &frmPrimka::choosePickedIndex);
    onClickCommitted(cmddodaj, this, [this] { cmddodajClick(); });
    connect(cmdbrisi, &QPushButton::clicked, this, &frmPrimka::cmdbrisiClick);
    connect(cmdprihvati, &QPushButton::clicked, this, [this] { postDocument(); });
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(cmdpretraga, &QPushButton::clicked, this, &frmPrimka::cmdpretragaClick);
    connect(cmdnovidokument, &QPushButton::clicked, this, &frmPrimka::cmdnovidokumentClick);
    connect(cmdartikl, &QPushButton::clicked, this, &frmPrimka::cmdartiklClick);
    connect(cmddobavljac, &QPushButton::clicked, this, &frmPrimka::cmddobavljacClick);
}

frmPrimka::~frmPrimka()
{
    StockDocumentLink::clearReceiver();
}

void frmPrimka::load()
{
    // The window works on this kind of document (and on its book) until it closes, whatever changes meanwhile.
    m_mode = AppState::vrstadokumenta;
    // An issue note's price is the article's own and is never typed, so only a receipt commits it.
    DecimalFieldCommit::keep(txtkolicina);
    if (isReceipt())
        DecimalFieldCommit::keep(txtcijena);
    txtdatumprimke->setDate(QDate::currentDate());
    txtdatumdokumenta->setDate(QDate::currentDate());
    try {
        fillSorted(cbokd, StockDocs::partners(bookPath(), isReceipt()));
        txtprimka->setText(QString::number(StockDocs::nextDocumentNumber(bookPath(), isReceipt())));
        if (isReceipt())
            fillSorted(cbodokument, StockDocs::documentKinds(bookPath()));
        fillArticleLists(StockDocs::articlesByName(bookPath()));
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }

    QPointer<frmPrimka> self(this);
    StockDocumentLink::setReceiver({[self](const QList<StockDocs::ArticleChoice>& articles) {
                                        if (self)
                                            self->showArticles(articles);
                                    },
                                    [self] {
                                        if (self)
                                            self->refillArticlePickers();
                                    },
                                    [self](const QString&, StockDocumentLink::PartnerRefill step) {
                                        if (self)
                                            self->refillPartnerPicker(step);
                                    }});
}

frmPrimka* frmPrimka::openFromMenu(const QString& mode)
{
    if (frmPrimka* open = loaded()) {
        if (open->isVisible()) {
            // The menus are off while a document is open; the open one keeps its kind.
            AppState::vrstadokumenta = open->mode();
            outerWindow(open)->raise();
            return open;
        }
        unload(); // loaded out of sight for another kind: start afresh
    }
    Workspace::setMenusEnabled(MenuGroup::Warehouse, false);
    AppState::vrstadokumenta = mode;
    frmPrimka* w = instance();
    w->applyMode();
    w->showWorking();
    return w;
}

void frmPrimka::applyMode()
{
    const bool receipt = isReceipt();
    setWindowTitle(receipt ? ReceiptCaption : IssueCaption);
    Label1_0->setText(receipt ? QStringLiteral("Primka br:") : QStringLiteral("Izdatnica br:"));
    lblpi->setText(receipt ? QStringLiteral("P") : QStringLiteral("I"));
    Label2_0->setText(receipt ? QStringLiteral("Datum primke:") : QStringLiteral("Datum izdatnice:"));
    Label3_0->setText(receipt ? QStringLiteral("Dobavljač:") : QStringLiteral("Mj. troška:"));
    for (QWidget* w : QList<QWidget*>{Label4_0, cbodokument, cmdnovidokument, Label5_0, Label6_0, txtbroj,
                                      txtdatumdokumenta, cmdartikl})
        w->setVisible(receipt);
    txtpokazkolicine->setVisible(!receipt);
    if (!receipt)
        cmddobavljac->move(cmdnovidokument->pos()); // the only button of the row
    txtdatumprimke->setToolTip(receipt ? QStringLiteral("Datum primke") : QStringLiteral("Datum izdatnice"));
    if (receipt)
        txtdatumdokumenta->setToolTip(QStringLiteral("Datum dokumenta"));
    txtkolicina->resize(receipt ? txtcijena->width() : twips(2625 - 792), txtkolicina->height());
    txtcijena->setReadOnly(!receipt);
    txtcijena->setFocusPolicy(receipt ? Qt::StrongFocus : Qt::NoFocus);
    txtprimka->setToolTip(receipt ? QStringLiteral("Broj primke") : QStringLiteral("Broj izdatnice"));
    cmdprihvati->setToolTip(receipt ? QStringLiteral("Unošenje sa liste u skladište")
                                    : QStringLiteral("Iznos iz baze"));
    cbokd->setToolTip(receipt ? QStringLiteral("Ime dobavljača") : QStringLiteral("Ime kupca"));
    cmdprihvati->setText(receipt ? QStringLiteral("&Unos u skladište") : QStringLiteral("Iz&nos iz baze"));
    m_help->setPane(receipt ? txtpomoc : txtpomoc1);

    // Tab order: the header, then code, name, quantity, (price,) add, and the rest.
    QList<QWidget*> chain{txtdatumprimke, cbokd};
    if (receipt)
        chain << cbodokument << txtbroj << txtdatumdokumenta;
    chain << Cbosifra << cbonaziv << txtkolicina;
    if (receipt)
        chain << txtcijena;
    chain << cmddodaj << cmdbrisi << cmdpretraga << lsvartprimka << cmdprihvati << cmdodustani;
    if (receipt)
        chain << cmdnovidokument << cmdartikl;
    chain << cmddobavljac;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
}

QString frmPrimka::workingCaption() const
{
    return isReceipt() ? ReceiptWorkingCaption : IssueWorkingCaption;
}

void frmPrimka::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    frameartikli->move((width() - frameartikli->width()) / 2, (height() - frameartikli->height()) / 2);
}

void frmPrimka::fillArticleLists(const QList<StockDocs::ArticleChoice>& articles)
{
    QStringList ids, codes, names;
    ids.reserve(articles.size());
    codes.reserve(articles.size());
    names.reserve(articles.size());
    for (const auto& a : articles) {
        ids.append(QString::number(a.id));
        codes.append(a.sifra);
        names.append(a.naziv);
    }
    lstid->clear();
    lstid->addItems(ids);
    static_cast<QStringListModel*>(Cbosifra->model())->setStringList(codes);
    static_cast<QStringListModel*>(cbonaziv->model())->setStringList(names);
    Cbosifra->setCurrentIndex(-1);
    cbonaziv->setCurrentIndex(-1);
}

void frmPrimka::showArticles(const QList<StockDocs::ArticleChoice>& articles)
{
    fillArticleLists(articles);
    // The most recently stored article becomes the line's article.
    if (!articles.isEmpty())
        choosePickedIndex(int(articles.size()) - 1);
}

void frmPrimka::refillArticlePickers()
{
    QList<StockDocs::ArticleChoice> articles;
    try {
        articles = StockDocs::articlesByName(bookPath());
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    fillArticleLists(articles);
    // The pickers show nothing; the line's id is the last article's by name (adding a line still needs an article
    // the pickers show).
    if (!articles.isEmpty())
        lblartikl->setText(QString::number(articles.last().id));
}

void frmPrimka::refillPartnerPicker(StockDocumentLink::PartnerRefill step)
{
    QList<StockDocs::NamedRow> rows;
    try {
        rows = StockDocs::partners(bookPath(), isReceipt());
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    using StockDocumentLink::PartnerRefill;
    const qint64 chosen = chosenId(cbokd);
    if (rows.isEmpty()) {
        if (step != PartnerRefill::OnExit) {
            cbokd->clear();
            cbokd->setCurrentIndex(-1);
        }
        return;
    }
    fillSorted(cbokd, rows);
    // A changed partner stays chosen under its new name; the other steps show the oldest or the newest.
    qint64 shown = chosen;
    if (step == PartnerRefill::AfterClosingYes)
        shown = rows.first().id;
    else if (step != PartnerRefill::AfterChange)
        shown = rows.last().id;
    cbokd->setCurrentIndex(cbokd->findData(shown));
}

void frmPrimka::takeNewDocumentKind(qint64 id, const QString& name)
{
    cbodokument->setCurrentIndex(insertSorted(cbodokument, {id, name}));
}

// An article chosen by code or by name: both pickers show it and the line takes its id from the parallel list.
void frmPrimka::choosePickedIndex(int index)
{
    if (index < 0 || index >= lstid->count())
        return;
    Cbosifra->setCurrentIndex(index);
    cbonaziv->setCurrentIndex(index);
    std::optional<StockDocs::ArticleStock> article;
    try {
        article = StockDocs::articleById(bookPath(), lstid->item(index)->text().toLongLong());
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
    showArticle(article);
}

// The line's article id and, for an issue note, its average price and the quantity still available.
// An article that can no longer be read leaves nothing of another article behind.
void frmPrimka::showArticle(const std::optional<StockDocs::ArticleStock>& article)
{
    if (!article) {
        clearArticle();
        return;
    }
    const QString id = QString::number(article->id);
    lblartikl->setText(id);
    if (!isReceipt()) {
        txtcijena->setText(article->proscijena.shortText());
        txtpokazkolicine->setText(AvailableQuantityRule(id, article->stanje, pendingQuantities()).shortText());
    }
}

void frmPrimka::clearArticle()
{
    lblartikl->clear();
    if (!isReceipt()) {
        txtcijena->clear();
        txtpokazkolicine->clear();
    }
}

QList<PendingQuantity> frmPrimka::pendingQuantities() const
{
    QList<PendingQuantity> lines;
    for (int i = 0; i < lsvartprimka->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvartprimka->topLevelItem(i);
        lines.append({row->text(ColId), row->text(ColKolicina)});
    }
    return lines;
}

void frmPrimka::takePickedArticle(const PickedArticle& article)
{
    // The pickers show the chosen article; one stored after the lists were filled joins them.
    if (article.stored) {
        const QString id = QString::number(article.stored->id);
        int index = -1;
        for (int i = 0; i < lstid->count() && index < 0; ++i)
            if (lstid->item(i)->text() == id)
                index = i;
        if (index < 0) {
            lstid->addItem(id);
            Cbosifra->addItem(article.stored->sifra);
            cbonaziv->addItem(article.stored->naziv);
            index = lstid->count() - 1;
        }
        Cbosifra->setCurrentIndex(index);
        cbonaziv->setCurrentIndex(index);
        lblartikl->setText(id);
        if (!isReceipt()) {
            txtcijena->setText(article.stored->proscijena.shortText());
            txtpokazkolicine->setText(article.available.shortText());
        }
    } else {
        Cbosifra->setCurrentIndex(-1);
        cbonaziv->setCurrentIndex(-1);
        clearArticle();
    }
    txtkolicina->setFocus();
}

void frmPrimka::LineAmountRecalc(QLineEdit* changed)
{
    // The product of the boxes as they stand, rounded only for the amount shown.
    const std::optional<double> product = Figure::multiplyTexts(txtkolicina->text(), txtcijena->text());
    if (isReceipt() && product && *product > ReceiptAmountLimit) {
        HrMsgBox(QStringLiteral("Iznos ne smije prijeći 9 999 999 zbog bolje kontrole skladišta!\r\nNaš savjet:  "
                                "Unesite u dvije primke"),
                 32, QStringLiteral("Prevelik unos!"));
        txtiznos->setText(QStringLiteral("0,00"));
        changed->setText(QStringLiteral("0,00"));
        return;
    }
    cmddodaj->setEnabled(!txtkolicina->text().isEmpty() && !txtcijena->text().isEmpty());
    txtiznos->setText(product ? Figure::fromDouble(*product).text00() : QStringLiteral("0,00"));
}

void frmPrimka::cmddodajClick()
{
    const auto amount = Figure::parse(txtiznos->text());
    if (!amount || amount->isZero()) {
        HrMsgBox(QStringLiteral("Unos mora biti veći od nule!"), 48, QStringLiteral("Prevelik broj"));
        const auto quantity = Figure::parse(txtkolicina->text());
        QLineEdit* box = (!quantity || quantity->isZero()) ? txtkolicina : txtcijena;
        box->setText(QStringLiteral("0,00"));
        box->selectAll();
        box->setFocus();
        return;
    }
    if (!isReceipt()) {
        const auto available = Figure::parse(txtpokazkolicine->text());
        const auto quantity = Figure::parse(txtkolicina->text());
        if (!available || !quantity || *available < *quantity) {
            HrMsgBox(QStringLiteral("Na skladištu nema toliko!"), 48, QStringLiteral("Nema toliko!"));
            txtkolicina->setFocus();
            return;
        }
    }
    // A line needs the article it shows.
    if ((Cbosifra->currentText().isEmpty() && cbonaziv->currentText().isEmpty()) || lblartikl->text().isEmpty()) {
        HrMsgBox(QStringLiteral("Nije unešena šifra ili naziv!"), 48, QStringLiteral("Unos nepotpun!"));
        Cbosifra->setFocus();
        return;
    }
    // The rows take the alignment of their column headers.
    PendingList::append(lsvartprimka, {Cbosifra->currentText(), cbonaziv->currentText(), txtkolicina->text(),
                                       txtcijena->text(), txtiznos->text(), lblartikl->text()});
    txtkolicina->clear();
    txtcijena->clear();
    Cbosifra->setCurrentIndex(-1);
    cbonaziv->setCurrentIndex(-1);
    txtpokazkolicine->clear();
    Cbosifra->setFocus();
    cmdbrisi->setEnabled(true);
    cmdprihvati->setEnabled(true);
}

void frmPrimka::cmdbrisiClick()
{
    PendingList::removeSelected(lsvartprimka);
    if (lsvartprimka->topLevelItemCount() == 0) {
        cmdbrisi->setEnabled(false);
        cmdprihvati->setEnabled(false);
    }
}

void frmPrimka::cmdpretragaClick()
{
    AppState::vrstadokumenta = m_mode;
    frmartikliizbor::openFor(this);
}

void frmPrimka::cmdnovidokumentClick()
{
    frmunosdokumenta::openFor(bookPath(), this);
}

void frmPrimka::cmdartiklClick()
{
    frmartikli::openFromStockDocument();
}

void frmPrimka::cmddobavljacClick()
{
    frmunos::openFromStockDocument(lblpi->text());
}

bool frmPrimka::postDocument()
{
    const bool receipt = isReceipt();
    if (receipt) {
        if (txtprimka->text().isEmpty() || cbokd->currentText().isEmpty() || cbodokument->currentText().isEmpty() ||
            txtbroj->text().isEmpty()) {
            HrMsgBox(QStringLiteral("Nije unešen datum primke,ime dobavljača,dokument,brojdokumenta ili datum "
                                    "dokumenta!"),
                     48, QStringLiteral("Unos nepotpun"));
            return false;
        }
    } else if (txtprimka->text().isEmpty() || cbokd->currentText().isEmpty()) {
        HrMsgBox(QStringLiteral("Nije unešen datum izdatnice ili mjesto troška!"), 48, QStringLiteral("Unos nepotpun"));
        return false;
    }
    if (HrMsgBox(receipt ? QStringLiteral("Unosimo u bazu?") : QStringLiteral("Iznosimo iz baze"), 36,
                 QStringLiteral("Unošenje")) != MsgYes)
        return false;

    StockDocument document;
    document.receipt = receipt;
    document.number = txtprimka->text().toLongLong();
    document.proposedNumber = true;
    document.date = txtdatumprimke->date();
    document.partnerId = chosenId(cbokd);
    if (receipt) {
        document.documentKindId = chosenId(cbodokument);
        document.supplierDocNumber = txtbroj->text();
        document.supplierDocDate = txtdatumdokumenta->date();
    }
    for (int i = 0; i < lsvartprimka->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lsvartprimka->topLevelItem(i);
        StockLine line;
        line.articleId = row->text(ColId).toLongLong();
        line.quantity = Figure::parse(row->text(ColKolicina)).value_or(Figure());
        line.price = Figure::parse(row->text(ColCijena)).value_or(Figure());
        line.amount = Figure::parse(row->text(ColIznos)).value_or(Figure());
        document.lines.append(line);
    }

    try {
        const qint64 headerId = PostStockDocument(bookPath(), document);
        lblidprimkeizdatnice->setText(QString::number(headerId));
    } catch (const PostingRefused& refused) {
        switch (refused.reason()) {
        case PostingRefused::PartnerNotFound:
            if (receipt)
                HrMsgBox(QStringLiteral("Nema dobavljača u tablici, morate dodati dobavljača!"), 48,
                         QStringLiteral("Nema dobavljača"));
            else
                HrMsgBox(QStringLiteral("Nema kupca u tablici, morate dodati kupca!"), 48,
                         QStringLiteral("Nema kupca"));
            break;
        case PostingRefused::DocumentKindNotFound:
            HrMsgBox(QStringLiteral("Nema dokumenta u tablici, morate dodati dokument!"), 48,
                     QStringLiteral("Nema dokumenta"));
            break;
        case PostingRefused::ArticleNotFound:
            HrMsgBox(QStringLiteral("Nema artikla u tablici, morate dodati artikl!"), 48,
                     QStringLiteral("Nema artikla"));
            break;
        case PostingRefused::NotEnoughStock: {
            // Another copy took the stock meanwhile: each short article is named under the sentence.
            QStringList text{QStringLiteral("Na skladištu nema toliko!")};
            try {
                text += StockDocs::issueShortages(bookPath(), document.lines);
            } catch (const DbError&) {
                // the book cannot be read again now: the sentence alone
            }
            HrMsgBox(text.join(QStringLiteral("\r\n")), 48, QStringLiteral("Nema toliko!"));
            break;
        }
        case PostingRefused::NumberTaken:
            // Another copy posted this number meanwhile: the window proposes the next one and the user confirms
            // again.
            txtprimka->setText(QString::number(refused.nextNumber()));
            HrMsgBox(numbersTakenMessage({{receipt ? QStringLiteral("Broj primke") : QStringLiteral("Broj izdatnice"),
                                           refused.nextNumber()}}),
                     48, QStringLiteral("Unošenje"));
            break;
        }
        return false;
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return false;
    }
    resetAfterPosting();
    return true;
}

void frmPrimka::resetAfterPosting()
{
    lsvartprimka->clear();
    cmdbrisi->setEnabled(false);
    txtprimka->setText(QString::number(txtprimka->text().toLongLong() + 1));
    cbokd->setCurrentIndex(-1);
    if (isReceipt()) {
        cbodokument->setCurrentIndex(-1);
        txtbroj->clear();
    }
    cmdprihvati->setEnabled(false);
    // The article still shown is read afresh: the posting moved its stock and average price.
    if (Cbosifra->currentIndex() >= 0)
        choosePickedIndex(Cbosifra->currentIndex());
}

bool frmPrimka::confirmClose()
{
    if (lsvartprimka->topLevelItemCount() == 0)
        return true;
    // Nothing the user entered is dropped: a document that was not posted keeps the window open.
    return CommitOnCloseQuery(QStringLiteral("Imate unešene podatke na listu desno! Želite ih obraditi?"),
                              QStringLiteral("Obrada unešenih podataka!"), [this] { return postDocument(); });
}

void frmPrimka::releaseMenus()
{
    AppState::izprimke = false;
    WorkingWindow::releaseMenus();
    StockDocumentLink::clearReceiver();
}
