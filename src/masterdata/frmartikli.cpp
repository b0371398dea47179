#include "frmartikli.h"

#include "articlelistmodel.h"
#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/stockdoclink.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/stock/articles.h"

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

const QString ResetMinimum = QStringLiteral("0,00");

const QStringList HelpText = {
    QStringLiteral("F1 Pomoć i izlaz iz pomoći"),
    QStringLiteral("Šifra - najviše 10 znakova, mora biti jedinstvena. Unos je obavezan."),
    QStringLiteral("Barkod - najviše 13 znakova, ne smije se ponoviti. Unos nije obavezan."),
    QStringLiteral("Naziv - najviše 30 znakova. Dva artikla mogu imati isti naziv. Unos je obavezan."),
    QStringLiteral("Jed.mj. - jedinica mjere (kg, kom ili ...). Unos je obavezan."),
    QStringLiteral("Min.kol. - minimalna količina, bilo koji broj, može biti i nula."),
    QStringLiteral("Dodaj na listu - Dodaje artikl na listu desno. Još ne unosimo u bazu podataka."),
    QStringLiteral("Briši sa liste - Skida sa liste desno označeni artikl."),
    QStringLiteral("Primi u skladiste - Ako na pitanje odgovorite potvrdno, unosi sve artikle sa liste desno u bazu "
                   "artikala i obnavlja listu dolje."),
    QStringLiteral("Izlaz - Zatvara prozor."),
    QStringLiteral("Editiraj - Otvara označeni artikl liste dolje za izmjenu."),
    QStringLiteral("Izmjeni - Ako odgovorite potvrdno na pitanje, sprema izmjene artikla."),
    QStringLiteral("Odustani od promjene - Vraća se u mod unosa bez izmjene."),
    QStringLiteral("Dvoklik na listu dolje - Isto kao klik na dugme Editiraj.")};

void setArticleColumnWidths(QTreeView* list)
{
    const int widths[] = {70, 95, 170, 45, 85};
    for (int c = 0; c < 5; ++c)
        list->setColumnWidth(c, widths[c]);
}

} // namespace

frmartikli::frmartikli() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmartikli"));
    setWindowTitle(WorkingCaption);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frameartikli);

    txtsifra = makeEntryBox(frameartikli, QStringLiteral("txtsifra"), QStringLiteral("Unos šifre(jedinstven)"), 10);
    txtbarkod = makeEntryBox(frameartikli, QStringLiteral("txtbarkod"), QStringLiteral("Unos barkoda(13 znakova)"), 13);
    // The name column holds 30 characters: the box takes no more, so nothing is cut when storing.
    txtnaziv = makeEntryBox(frameartikli, QStringLiteral("txtnaziv"), QStringLiteral("Naziv artikla"), 30);
    txtjedmjere = makeEntryBox(frameartikli, QStringLiteral("txtjedmjere"), QStringLiteral("kg,kom ili ..."), 5);
    txtminkolicina =
        makeEntryBox(frameartikli, QStringLiteral("txtminkolicina"), QStringLiteral("Unos min.kolicine"), 8);
    txtminkolicina->setText(ResetMinimum);
    txtminkolicina->setAlignment(Qt::AlignRight);

    auto* fields = new QGridLayout;
    const QList<QPair<QString, QLineEdit*>> labelled = {{QStringLiteral("Šifra:"), txtsifra},
                                                        {QStringLiteral("Barkod:"), txtbarkod},
                                                        {QStringLiteral("Naziv:"), txtnaziv},
                                                        {QStringLiteral("Jed.mj.:"), txtjedmjere},
                                                        {QStringLiteral("Min.kol.:"), txtminkolicina}};
    for (int row = 0; row < labelled.size(); ++row) {
        fields->addWidget(makeLabelFor(frameartikli, labelled[row].first, labelled[row].second), row, 0);
        fields->addWidget(labelled[row].second, row, 1);
    }
    fields->setRowStretch(labelled.size(), 1);
    txtsifra->setFixedWidth(110);
    txtbarkod->setFixedWidth(130);
    txtnaziv->setFixedWidth(230);
    txtjedmjere->setFixedWidth(60);
    txtminkolicina->setFixedWidth(90);

    lsvartikli = makeListView(frameartikli, QStringLiteral("lsvartikli"), QStringLiteral("Artikli za unos u skladište"),
                              ArticleListModel::Headers);
    lsvartikli->headerItem()->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    setArticleColumnWidths(lsvartikli);
    m_stored = new ArticleListModel(this);
    lsvsviartikli = makeModelListView(frameartikli, QStringLiteral("lsvsviartikli"),
                                      QStringLiteral("Svi artikli skladišta"), m_stored);
    setArticleColumnWidths(lsvsviartikli);
    widenColumnFor(lsvsviartikli, ArticleListModel::ColBarkod, 13, ValueKind::Digits);
    widenColumnFor(lsvsviartikli, ArticleListModel::ColNaziv, 30, ValueKind::Letters);
    lsvsviartikli->setColumnHidden(ArticleListModel::ColId, true);
    useTooltipBackground(lsvsviartikli);

    cmddodaj = makeButton(frameartikli, QStringLiteral("cmddodaj"), QStringLiteral("&Dodaj na listu"),
                          QStringLiteral("Dodavanje na listu desno"), false);
    cmdbrisi = makeButton(frameartikli, QStringLiteral("cmdbrisi"), QStringLiteral("&Briši sa liste"),
                          QStringLiteral("Skidanje sa liste desno"), false);
    cmdprihvati = makeButton(frameartikli, QStringLiteral("cmdprihvati"), QStringLiteral("&Primi u skladiste"),
                             QStringLiteral("Unošenje sa liste u bazu"), false);
    cmdodustani = makeButton(frameartikli, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);
    cmdeditiraj = makeButton(frameartikli, QStringLiteral("cmdeditiraj"), QStringLiteral("&Editiraj"),
                             QStringLiteral("Editiraj označeni artikl"), false);
    cmdizmjena = makeButton(frameartikli, QStringLiteral("cmdizmjena"), QStringLiteral("I&zmjeni"),
                            QStringLiteral("Spremi promjene"), false);
    cmdne = makeButton(frameartikli, QStringLiteral("cmdne"), QStringLiteral("&Odustani od promjene"),
                       QStringLiteral("Odustajanje od promjene artikla"), false);

    lblida = makeHiddenLabel(frameartikli, QStringLiteral("lblida"));
    lblsifra = makeHiddenLabel(frameartikli, QStringLiteral("lblsifra"));

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(lsvartikli, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch(1);
    for (QPushButton* b : {cmddodaj, cmdbrisi, cmdprihvati, cmdodustani})
        listButtons->addWidget(b);
    auto* editButtons = new QHBoxLayout;
    editButtons->addStretch(1);
    for (QPushButton* b : {cmdeditiraj, cmdizmjena, cmdne})
        editButtons->addWidget(b);
    auto* frameLayout = new QVBoxLayout(frameartikli);
    frameLayout->addLayout(top, 3);
    frameLayout->addLayout(listButtons);
    frameLayout->addWidget(lsvsviartikli, 4);
    frameLayout->addLayout(editButtons);

    setFrame(frameartikli);
    txtpomoc = installHelp(HelpText, WorkingCaption);

    SelectAllOnFocus({txtsifra, txtbarkod, txtnaziv, txtjedmjere, txtminkolicina});
    DecimalKeyFilter(txtminkolicina);
    DecimalFieldCommit::reset(txtminkolicina, ResetMinimum);
    ColumnSortToggle(lsvsviartikli);
    ListDblClickDefault(lsvsviartikli, cmdeditiraj);

    for (QLineEdit* box : {txtsifra, txtnaziv, txtjedmjere, txtminkolicina})
        connect(box, &QLineEdit::textChanged, this, &frmartikli::updateAddGate);
    onClickCommitted(cmddodaj, this, [this] { addToList(); });
    connect(cmdbrisi, &QPushButton::clicked, this, &frmartikli::removeFromList);
    connect(cmdprihvati, &QPushButton::clicked, this, &frmartikli::acceptList);
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
    connect(cmdeditiraj, &QPushButton::clicked, this, &frmartikli::beginEdit);
    onClickCommitted(cmdizmjena, this, [this] { storeChange(); });
    connect(cmdne, &QPushButton::clicked, this, &frmartikli::leaveEdit);
    connect(lsvsviartikli, &QTreeView::clicked, this, &frmartikli::storedListClicked);
}

void frmartikli::load()
{
    loud();
}

void frmartikli::openFromMenu()
{
    instance()->showFromMenu();
}

void frmartikli::openFromStockDocument()
{
    AppState::izprimke = true;
    instance()->showWorking();
}

void frmartikli::loud()
{
    m_stored->setArticles({}, ArticleListModel::Form::Loaded); // a failed read leaves the list empty
    try {
        QVector<ArticleRow> articles = Articles::rows(bookPath());
        // Opened from the stock-document window: its pickers take the same rows, in the same order.
        if (AppState::izprimke && !articles.isEmpty()) {
            QList<StockDocs::ArticleChoice> choices;
            choices.reserve(articles.size());
            for (const ArticleRow& a : articles)
                choices.append({a.id, a.sifra().toString(), a.naziv().toString()});
            StockDocumentLink::showArticles(choices);
        }
        m_stored->setArticles(std::move(articles), ArticleListModel::Form::Loaded);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
    }
    cmdprihvati->setEnabled(false);
    cmdbrisi->setEnabled(false);
}

void frmartikli::izmjenacomboboxova()
{
    StockDocumentLink::refillArticlePickers();
}

void frmartikli::updateAddGate()
{
    const bool filled = !txtsifra->text().isEmpty() && !txtnaziv->text().isEmpty() && !txtjedmjere->text().isEmpty() &&
                        !txtminkolicina->text().isEmpty();
    cmddodaj->setEnabled(lblida->text().isEmpty() && filled);
}

void frmartikli::addToList()
{
    m_changed = true;
    const QString code = txtsifra->text().trimmed();
    const QString barcode = txtbarkod->text().trimmed();
    auto refuse = [](QLineEdit* box, const QString& message, const QString& title) {
        HrMsgBox(message, 48, title);
        box->setFocus();
    };
    for (const QStringList& row : PendingList::rows(lsvartikli)) {
        switch (articleClash(code, barcode, row.value(0), row.value(1))) {
        case ArticleClash::Code:
            return refuse(txtsifra, QStringLiteral("Ista šifra postoji već na listi desno, promjenite šifru"),
                          QStringLiteral("Šifra postoji"));
        case ArticleClash::BarCode:
            return refuse(txtbarkod, QStringLiteral("Isti barkod postoji već na listi desno, promjenite barkod"),
                          QStringLiteral("Barkod postoji!"));
        case ArticleClash::None:
            break;
        }
    }
    ArticleClash stored = ArticleClash::None;
    try {
        stored = Articles::findClash(bookPath(), code, barcode);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
        return;
    }
    if (stored == ArticleClash::Code)
        return refuse(txtsifra, QStringLiteral("Šifra artikla postoji, ne može se unijeti ista šifra"),
                      QStringLiteral("Šifra postoji"));
    if (stored == ArticleClash::BarCode)
        return refuse(txtbarkod, QStringLiteral("Isti barkod postoji već u bazi artikala! Promjenite barkod!"),
                      QStringLiteral("Barkod postoji!"));

    PendingList::append(lsvartikli, {code, barcode, txtnaziv->text().trimmed(), txtjedmjere->text().trimmed(),
                                     txtminkolicina->text().trimmed()});
    cmddodaj->setEnabled(false);
    cmdprihvati->setEnabled(true);
    cmdbrisi->setEnabled(true);
    emptyEntryBoxes();
    txtsifra->setFocus();
}

void frmartikli::removeFromList()
{
    if (!PendingList::removeSelected(lsvartikli))
        return;
    if (lsvartikli->topLevelItemCount() == 0) {
        cmdbrisi->setEnabled(false);
        cmdprihvati->setEnabled(false);
        cmddodaj->setEnabled(false);
    }
}

QList<ArticleEntry> frmartikli::pendingEntries() const
{
    QList<ArticleEntry> entries;
    for (const QStringList& row : PendingList::rows(lsvartikli))
        entries.append(
            {row.value(0), row.value(1), row.value(2), row.value(3), Figure::parse(row.value(4)).value_or(Figure())});
    return entries;
}

bool frmartikli::storePendingRows()
{
    try {
        Articles::insertAll(bookPath(), pendingEntries());
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
        return false;
    }
    lsvartikli->clear();
    return true;
}

void frmartikli::acceptList()
{
    if (lsvartikli->topLevelItemCount() == 0)
        return;
    if (HrMsgBox(QStringLiteral("Unosimo u bazu artikle iz liste desno"), 33, QStringLiteral("Unošenje podataka")) !=
        MsgOk)
        return;
    if (!storePendingRows())
        return;
    loud();
}

void frmartikli::storedListClicked()
{
    if (lsvartikli->topLevelItemCount() == 0)
        cmdeditiraj->setEnabled(true);
}

void frmartikli::beginEdit()
{
    if (lsvartikli->topLevelItemCount() > 0) {
        HrMsgBox(QStringLiteral(" Editiranje onemogućeno. Trebali bi prvo riješiti listu za unošenje. Obrisati listu "
                                "ili je unijeti"),
                 48, QStringLiteral("Lista za unošenje nije prazna!"));
        cmdizmjena->setEnabled(false);
        cmdeditiraj->setEnabled(false);
        cmdne->setEnabled(false);
        return;
    }
    const int position = lastSelectedPosition(lsvsviartikli);
    if (position < 0)
        return;
    const QStringList row = m_stored->line(position);
    txtsifra->setText(row[0].trimmed());
    txtbarkod->setText(row[1].trimmed());
    txtnaziv->setText(row[2].trimmed());
    txtjedmjere->setText(row[3].trimmed());
    txtminkolicina->setText(row[4].trimmed());
    lblida->setText(row[5].trimmed());
    lblsifra->setText(row[0].trimmed());
    txtsifra->setFocus();
    cmdizmjena->setText(QStringLiteral("Izmjena: ") + lblsifra->text());
    cmdizmjena->setEnabled(true);
    cmdeditiraj->setEnabled(false);
    cmdne->setText(QStringLiteral("&Odustajem od promjene: ") + lblsifra->text());
    cmdne->setEnabled(true);
    cmddodaj->setEnabled(false);
}

void frmartikli::storeChange()
{
    if (txtsifra->text().isEmpty() || txtnaziv->text().isEmpty() || txtjedmjere->text().isEmpty() ||
        txtminkolicina->text().isEmpty()) {
        HrMsgBox(QStringLiteral("Sve osim barkoda mora biti unešeno!"), 32, QStringLiteral("Unos nepotpun"));
        txtsifra->setFocus();
        return;
    }
    const qint64 id = lblida->text().toLongLong();
    const QString oldCode = lblsifra->text();
    const ArticleEntry entry{txtsifra->text().trimmed(), txtbarkod->text().trimmed(), txtnaziv->text().trimmed(),
                             txtjedmjere->text().trimmed(),
                             DecimalFieldCommit::valueOf(txtminkolicina).value_or(Figure())};
    try {
        if (entry.sifra != oldCode && Articles::codeTaken(bookPath(), entry.sifra, id)) {
            HrMsgBox(QStringLiteral("Šifra artikla postoji, ne može se unijeti ista šifra"), 48,
                     QStringLiteral("Šifra postoji"));
            txtsifra->setFocus();
            return;
        }
        if (HrMsgBox(QStringLiteral("Želite mijenjati artikl pod šifrom: ") + oldCode, 36,
                     QStringLiteral("Izmjena: ") + oldCode) != MsgYes) {
            leaveEdit();
            return;
        }
        Articles::update(bookPath(), id, entry);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
        return;
    }
    m_changed = true;
    m_stored->setArticles({}, ArticleListModel::Form::AfterChange);
    try {
        m_stored->setArticles(Articles::rows(bookPath()), ArticleListModel::Form::AfterChange);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
    }
    cmdne->setText(QStringLiteral("Ostajem od promjene"));
    cmdizmjena->setText(QStringLiteral("I&zmjena"));
    cmdizmjena->setEnabled(false);
    cmdeditiraj->setEnabled(false);
    cmdne->setEnabled(false);
    lblida->clear();
    lblsifra->clear();
    emptyEntryBoxes();
}

void frmartikli::leaveEdit()
{
    cmdizmjena->setText(QStringLiteral("Izmjena"));
    cmdizmjena->setEnabled(false);
    cmdeditiraj->setEnabled(false);
    cmdne->setText(QStringLiteral("Odustajem od promjene"));
    cmdne->setEnabled(false);
    lblida->clear();
    lblsifra->clear();
    emptyEntryBoxes();
}

void frmartikli::emptyEntryBoxes()
{
    ClearTextBoxes(frameartikli);
    txtminkolicina->setText(ResetMinimum);
}

bool frmartikli::confirmClose()
{
    if (!m_changed)
        return true;
    izmjenacomboboxova();
    if (lsvartikli->topLevelItemCount() == 0)
        return true;
    return CommitOnCloseQuery(QStringLiteral("Želite li pospremiti u skladište artikle na listi desno?"),
                              QStringLiteral("Posprema u skladište"), [this] {
                                  // A failed store keeps the window open with its rows.
                                  if (!storePendingRows())
                                      return false;
                                  izmjenacomboboxova();
                                  return true;
                              });
}

void frmartikli::releaseMenus()
{
    releaseMenusUnlessFromStockDocument();
}
