#include "frmunos.h"

#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/keyfilters.h"
#include "common/listmodel.h"
#include "common/stockdoclink.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/stock/partners.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QStringList PartnerColumns = {QStringLiteral("kd"),         QStringLiteral("Ime"),    QStringLiteral("mb"),
                                    QStringLiteral("Žiro račun"), QStringLiteral("Mjesto"), QStringLiteral("Ulica"),
                                    QStringLiteral("Telefon"),    QStringLiteral("Kontakt")};

// Consecutive paragraphs are parted by an empty line, except the name's two.
const QStringList HelpText = {
    QStringLiteral("F1 Pomoć i izlaz iz pomoći"),
    QStringLiteral("K/D/S - Ako upišemo slovo - K znači da je osoba kupac, slovo - D osoba je dobavljač i slovo - S "
                   "osoba je i kupac i dobavljač. Unos obavezan."),
    QStringLiteral("Ime - Kupca, dobavljača ili i kupca i dobavljača(S) može sadržavati maximalno 30 znakova.\n"
                   " Unos je obavezan."),
    QStringLiteral("Žiro račun - maximalan unos(20) znakova, Mjesto - (17) znakova, Ulica i broj(20) znakova, Telefon "
                   "- (17) znakova i Osoba za kontakt - (17) znakova. Navedeni unosi nisu obavezni i mogu se naknadno "
                   "unijeti ili mijenjati(editiranje)"),
    QStringLiteral("Dodaj na listu - Dodaje gore navedene unose na listu desno. Još ne unosimo u bazu podataka."),
    QStringLiteral("Skini sa liste - Skida sa liste one koji su označeni.(Jednog po jednog samo.)"),
    QStringLiteral("Prihvati listu - Ako na pitanje odgovorite potvrdno, dodaje sve sa liste desno u bazu kupaca i "
                   "dobavljača i obnavlja listu dole (popis svih kupaca i dobavljača)."),
    QStringLiteral("Editiraj - Klik na dugme editiraj, otvaramo označenog kupca ili dobavljača na listi dole i "
                   "omogućavamo izmjenu unešenih podataka. "),
    QStringLiteral("Izmijeni - Klik na dugme izmijeni, ako odgovorimo potvrdno na pitanje prihvaćamo da se izmjene "
                   "podaci o kupcu i dobavljaču. Obnovljena lista kupaca ili dobavljača automatski se prikazuje na "
                   "listi dolje."),
    QStringLiteral("Odustani - Odustajemo od izmjene i vraćamo se u mod unosa."),
    QStringLiteral("Dvoklik na listu dolje - Isto kao klik na dugme editiraj ako lista nije prazna.")};

constexpr int NameColumn = 1;
constexpr int IdColumn = PartnerRow::TextCount;

void setPartnerColumnWidths(QTreeView* list)
{
    list->setColumnWidth(0, 27);
    for (int c = 1; c < PartnerColumns.size(); ++c)
        list->setColumnWidth(c, 96);
}

QString modeOfKindLetter(const QString& letter)
{
    return letter == QLatin1String("P") ? AppState::ModeReceipt : AppState::ModeIssue;
}

} // namespace

// The stored partners: the eight texts and the id.
class PartnerListModel : public ListModel
{
public:
    explicit PartnerListModel(QObject* parent) : ListModel(PartnerColumns + QStringList{QString()}, parent)
    {
        for (int c : {2, 3, 6})
            setColumnAlignment(c, Qt::AlignRight);
    }
    // The partners as read (stored order), shown in that order or by name (Croatian order, letter case ignored;
    // equal names in stored order).
    void setPartners(QVector<PartnerRow> partners, bool byName)
    {
        beginResetModel();
        m_partners = std::move(partners);
        if (byName)
            showRowsSortedBy(int(m_partners.size()), NameColumn);
        else
            showRows(int(m_partners.size()));
        endResetModel();
    }

protected:
    QString cellText(int row, int column) const override
    {
        const PartnerRow& p = m_partners.at(row);
        return column == IdColumn ? QString::number(p.id) : p.texts.at(column).toString();
    }

private:
    QVector<PartnerRow> m_partners;
};

frmunos::frmunos() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmunos"));
    setWindowTitle(DesignCaption);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frameartikli);

    QWidget* f = frameartikli;
    txtkd = makeEntryBox(f, QStringLiteral("txtkd"), QStringLiteral("Unos k,d ili s(kupac,dobavljač ili oboje)"), 1);
    txtime = makeEntryBox(f, QStringLiteral("txtime"), QStringLiteral("Unos imena k,d ili s"), 30);
    txtmb = makeEntryBox(f, QStringLiteral("txtmb"), QStringLiteral("Unos matičnog broja(ne mora se unijeti)"), 13);
    txtziroracun =
        makeEntryBox(f, QStringLiteral("txtziroracun"), QStringLiteral("Unos žiro računa(ne mora se unijeti)"), 20);
    txtmjesto = makeEntryBox(f, QStringLiteral("txtmjesto"), QStringLiteral("Unos mjesta(Ne mora se unijeti)"), 17);
    txtulica =
        makeEntryBox(f, QStringLiteral("txtulica"), QStringLiteral("Unos ulice i broja(Ne mora se unijeti)"), 20);
    txttelefon = makeEntryBox(f, QStringLiteral("txttelefon"), QStringLiteral("Unos telefona(Ne mora se unijeti)"), 17);
    txtkontakt =
        makeEntryBox(f, QStringLiteral("txtkontakt"), QStringLiteral("Osoba za kontakt(Ne mora se unijeti)"), 17);

    auto* fields = new QGridLayout;
    const QList<std::tuple<QString, QString, QLineEdit*>> labelled = {
        {QStringLiteral("lblkd"), QStringLiteral("K/D/S"), txtkd},
        {QStringLiteral("Label1"), QStringLiteral("Ime:"), txtime},
        {QStringLiteral("Label2"), QStringLiteral("M.b"), txtmb},
        {QStringLiteral("Label3"), QStringLiteral("Žiro rač.:"), txtziroracun},
        {QStringLiteral("Label4"), QStringLiteral("Mjesto:"), txtmjesto},
        {QStringLiteral("Label5"), QStringLiteral("Ulica i br."), txtulica},
        {QStringLiteral("Label6"), QStringLiteral("Telefon:"), txttelefon},
        {QStringLiteral("Label7"), QStringLiteral("Kontakt:"), txtkontakt}};
    for (int row = 0; row < labelled.size(); ++row) {
        const auto& [name, caption, box] = labelled[row];
        fields->addWidget(makeLabelFor(f, caption, box, name), row, 0);
        fields->addWidget(box, row, 1);
        box->setFixedWidth(box == txtkd ? 30 : 210);
    }
    fields->setVerticalSpacing(2);

    lsvkd = makeListView(f, QStringLiteral("lsvkd"), QStringLiteral("Kupci i dobavljači za unos"), PartnerColumns);
    setPartnerColumnWidths(lsvkd);
    for (int c : {2, 3})
        lsvkd->headerItem()->setTextAlignment(c, Qt::AlignHCenter | Qt::AlignVCenter);
    m_stored = new PartnerListModel(this);
    lsveditkd = makeModelListView(f, QStringLiteral("lsveditkd"), QStringLiteral("Svi kupci i dobavljači"), m_stored);
    setPartnerColumnWidths(lsveditkd);
    lsveditkd->setColumnHidden(IdColumn, true);
    useTooltipBackground(lsveditkd);
    FitColumnsToWidth(lsveditkd, 1);

    cmddodaj = makeButton(f, QStringLiteral("cmddodaj"), QStringLiteral("&Dodaj na listu"),
                          QStringLiteral("Dodavanje na listu desno"), false);
    cmdbrisi = makeButton(f, QStringLiteral("cmdbrisi"), QStringLiteral("&Skini sa liste"),
                          QStringLiteral("Brisanje sa liste"), false);
    cmdprihvati = makeButton(f, QStringLiteral("cmdprihvati"), QStringLiteral("&Prihvati listu"),
                             QStringLiteral("Unošenje sa liste u bazu"), false);
    cmdodustani = makeButton(f, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);
    cmdeditiraj = makeButton(f, QStringLiteral("cmdeditiraj"), QStringLiteral("&Editiraj"),
                             QStringLiteral("Editiranje označenog kupca ili dobavljača"), false);
    cmdizmijeni = makeButton(f, QStringLiteral("cmdizmijeni"), QStringLiteral("I&zmijeni"),
                             QStringLiteral("Prihvati izmjene"), false);
    cmdne = makeButton(f, QStringLiteral("cmdne"), QStringLiteral("&Odustani"), QStringLiteral("Odustani od izmjena"),
                       false);

    lblid = makeHiddenLabel(f, QStringLiteral("lblid"));
    lblimekd = makeHiddenLabel(f, QStringLiteral("lblimekd"));
    lblpd = makeHiddenLabel(f, QStringLiteral("lblpd"));

    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {cmddodaj, cmdbrisi, cmdprihvati, cmdodustani})
        listButtons->addWidget(b);
    auto* pending = new QVBoxLayout;
    pending->addWidget(lsvkd, 1);
    pending->addLayout(listButtons);
    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addLayout(pending, 1);
    auto* editButtons = new QHBoxLayout;
    editButtons->addStretch(1);
    for (QPushButton* b : {cmdeditiraj, cmdizmijeni, cmdne})
        editButtons->addWidget(b);
    auto* frameLayout = new QVBoxLayout(f);
    frameLayout->addLayout(top);
    frameLayout->addWidget(lsveditkd, 1);
    frameLayout->addLayout(editButtons);

    setFrame(frameartikli);
    txtpomoc = installHelp(HelpText, WorkingCaption);

    FocusFirstField(this, txtkd);
    SelectAllOnFocus(boxes());
    PhoneKeyFilter(txttelefon);
    ColumnSortToggle(lsvkd);
    ColumnSortToggle(lsveditkd);
    ListDblClickDefault(lsveditkd, cmdeditiraj);

    connect(txtkd, &QLineEdit::textChanged, this, &frmunos::kindLetterChanged);
    connect(txtime, &QLineEdit::textChanged, this, &frmunos::updateAddButton);
    connect(cmddodaj, &QPushButton::clicked, this, &frmunos::addToList);
    connect(cmdbrisi, &QPushButton::clicked, this, &frmunos::removeFromList);
    connect(cmdprihvati, &QPushButton::clicked, this, &frmunos::acceptList);
    connect(cmdodustani, &QPushButton::clicked, this, &frmunos::exitWindow);
    connect(cmdeditiraj, &QPushButton::clicked, this, &frmunos::beginEdit);
    connect(cmdizmijeni, &QPushButton::clicked, this, &frmunos::storeChange);
    connect(cmdne, &QPushButton::clicked, this, &frmunos::cancelEdit);
    connect(lsveditkd, &QTreeView::clicked, this, &frmunos::storedListClicked);
}

QList<QLineEdit*> frmunos::boxes() const
{
    return {txtkd, txtime, txtmb, txtziroracun, txtmjesto, txtulica, txttelefon, txtkontakt};
}

void frmunos::load()
{
    try {
        fillStored(true); // by name
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
    }
}

void frmunos::openFromMenu()
{
    instance()->showFromMenu();
}

void frmunos::openFromStockDocument(const QString& kindLetter)
{
    AppState::izprimke = true;
    frmunos* window = instance();
    window->lblpd->setText(kindLetter);
    window->showWorking();
}

void frmunos::fillStored(bool byName)
{
    m_stored->setPartners({}, byName);
    m_stored->setPartners(Partners::rows(bookPath()), byName);
}

void frmunos::kindLetterChanged()
{
    if (m_kindRuleRunning)
        return;
    m_kindRuleRunning = true;
    const QString letter = txtkd->text().toUpper();
    if (letter == QLatin1String("K") || letter == QLatin1String("D") || letter == QLatin1String("S")) {
        txtime->setFocus();
    } else {
        txtkd->clear();
        txtkd->setFocus();
    }
    m_kindRuleRunning = false;
    updateAddButton();
}

void frmunos::updateAddButton()
{
    cmddodaj->setEnabled(!txtkd->text().isEmpty() && !txtime->text().isEmpty() && lblid->text().isEmpty());
}

void frmunos::addToList()
{
    QStringList row;
    for (QLineEdit* box : boxes())
        row.append(box->text());
    PendingList::append(lsvkd, row);
    cmddodaj->setEnabled(false);
    cmdbrisi->setEnabled(true);
    cmdprihvati->setEnabled(true);
    ClearTextBoxes(frameartikli);
}

void frmunos::removeFromList()
{
    if (!PendingList::removeSelected(lsvkd))
        return;
    if (lsvkd->topLevelItemCount() == 0) {
        cmdbrisi->setEnabled(false);
        cmdprihvati->setEnabled(false);
    }
}

bool frmunos::storePendingRows()
{
    QList<Partner> partners;
    for (const QStringList& row : PendingList::rows(lsvkd))
        partners.append({0, row.value(0), row.value(1), row.value(2), row.value(3), row.value(4), row.value(5),
                         row.value(6), row.value(7)});
    try {
        Partners::insertAll(bookPath(), partners);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
        return false;
    }
    lsvkd->clear();
    return true;
}

void frmunos::acceptList()
{
    if (HrMsgBox(QStringLiteral("Unošenje sa liste u bazu podataka?"), 36, QStringLiteral("Unošenje u bazu")) != MsgYes)
        return;
    if (!storePendingRows())
        return;
    cmddodaj->setEnabled(false);
    cmdbrisi->setEnabled(false);
    cmdprihvati->setEnabled(false);
    ClearTextBoxes(frameartikli);
    try {
        fillStored(true); // by name
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
    }
    StockDocumentLink::refillPartnerPicker(AppState::vrstadokumenta, StockDocumentLink::PartnerRefill::AfterAccept);
}

void frmunos::exitWindow()
{
    if (!lblpd->text().isEmpty())
        StockDocumentLink::refillPartnerPicker(modeOfKindLetter(lblpd->text()),
                                               StockDocumentLink::PartnerRefill::OnExit);
    closeWindow(this);
}

void frmunos::storedListClicked()
{
    if (lsvkd->topLevelItemCount() == 0)
        cmdeditiraj->setEnabled(true);
}

void frmunos::beginEdit()
{
    if (lsvkd->topLevelItemCount() > 0) {
        HrMsgBox(QStringLiteral("Onemogućeno editiranje dok se ne riješe kupci ili dobavljači unešeni na listu!"), 48,
                 QStringLiteral("Onemogućeno editiranje"));
        cmdeditiraj->setEnabled(false);
        return;
    }
    const int position = lastSelectedPosition(lsveditkd);
    if (position < 0)
        return;
    const QStringList row = m_stored->line(position);
    const QList<QLineEdit*> all = boxes();
    for (int c = 0; c < all.size(); ++c)
        all[c]->setText(row[c]);
    lblid->setText(row[IdColumn]);
    lblimekd->setText(row[1]);
    cmdeditiraj->setEnabled(false);
    cmddodaj->setEnabled(false);
    cmdne->setText(QStringLiteral("&Odustajem od izmjene: ") + lblimekd->text());
    cmdne->setEnabled(true);
    cmdizmijeni->setText(QStringLiteral("I&zmjena: ") + lblimekd->text());
    cmdizmijeni->setEnabled(true);
    cmdprihvati->setEnabled(false);
    txtkd->setFocus();
}

void frmunos::storeChange()
{
    if (txtkd->text().isEmpty() || txtime->text().isEmpty()) {
        HrMsgBox(QStringLiteral("Prva dva polja moraju biti popunjena"), 48, QStringLiteral("Popunjavanje polja"));
        txtkd->setFocus();
        return;
    }
    if (HrMsgBox(QStringLiteral("Želite promjeniti stanje: ") + lblimekd->text(), 36,
                 QStringLiteral("Promjena stanja?")) != MsgYes) {
        cancelEdit();
        return;
    }
    const Partner changed{lblid->text().toLongLong(), txtkd->text(),     txtime->text(),   txtmb->text(),
                          txtziroracun->text(),       txtmjesto->text(), txtulica->text(), txttelefon->text(),
                          txtkontakt->text()};
    try {
        Partners::update(bookPath(), changed);
        fillStored(false); // in stored order
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
        return;
    }
    StockDocumentLink::refillPartnerPicker(AppState::vrstadokumenta, StockDocumentLink::PartnerRefill::AfterChange);
    lblid->clear();
    lblimekd->clear();
    cmdizmijeni->setText(QStringLiteral("Izmjena"));
    cmdizmijeni->setEnabled(false);
    cmdne->setText(QStringLiteral("Odustajem od izmjene"));
    cmdne->setEnabled(false);
    cmdeditiraj->setEnabled(false);
    ClearTextBoxes(frameartikli);
}

void frmunos::cancelEdit()
{
    cmdeditiraj->setEnabled(false);
    cmdizmijeni->setText(QStringLiteral("Izmjena"));
    cmdizmijeni->setEnabled(false);
    cmdne->setText(QStringLiteral("Odustajem od izmjene"));
    cmdne->setEnabled(false);
    lblid->clear();
    lblimekd->clear();
    if (lsvkd->topLevelItemCount() > 0)
        cmdprihvati->setEnabled(true);
    ClearTextBoxes(frameartikli);
}

bool frmunos::confirmClose()
{
    if (lsvkd->topLevelItemCount() == 0)
        return true;
    return CommitOnCloseQuery(QStringLiteral("Želite li spremiti u skladište unešene podatke sa liste desno?"),
                              QStringLiteral("Unošenje u skladište!"), [this] {
                                  // A failed store keeps the window open with its rows.
                                  if (!storePendingRows())
                                      return false;
                                  StockDocumentLink::refillPartnerPicker(
                                      AppState::vrstadokumenta, StockDocumentLink::PartnerRefill::AfterClosingYes);
                                  return true;
                              });
}

void frmunos::releaseMenus()
{
    releaseMenusUnlessFromStockDocument();
    AppState::izprimke = false;
}
