#include "frmIzborKnjige.h"

#include "frmSkladiste.h"

#include "common/appsetup.h"
#include "common/controls.h"
#include "common/hrmsgbox.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "frame/frmIzborTvrtke.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

frmIzborKnjige::frmIzborKnjige()
{
    setObjectName(QStringLiteral("frmIzborKnjige"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* label1 = new QLabel(QStringLiteral("Knjigovodstveni programi Lotrak"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(AppSetup::serifFont(16));
    auto* label2 = new QLabel(QStringLiteral("Izaberite knjigu :"), this);

    lsvotvorene = makeListView(this, QStringLiteral("lsvotvorene"), QStringLiteral("Popis knjiga"),
                               {QStringLiteral("Naziv knjige"), QStringLiteral("Vrsta knjige"),
                                QStringLiteral("Adresa"), QStringLiteral("i")});
    lsvotvorene->setFont(AppSetup::fixedFont(9));
    lsvotvorene->setColumnWidth(ColNaziv, 220);
    lsvotvorene->setColumnWidth(ColVrsta, 120);
    lsvotvorene->setColumnWidth(ColAdresa, 220);
    lsvotvorene->setColumnHidden(ColId, true);
    label2->setBuddy(lsvotvorene);

    cmdUlaz = makeButton(this, QStringLiteral("cmdUlaz"), QStringLiteral("&Ulaz"),
                         QStringLiteral("Ulaz u odabranu knjigu"), false);
    cmdUlaz->setDefault(true);
    cmdizlaz = makeButton(this, QStringLiteral("cmdizlaz"), QStringLiteral("< Vrat&i se"),
                          QStringLiteral("Povratak u izbor tvrtke"), true);
    cmdBrisanje = makeButton(this, QStringLiteral("cmdBrisanje"), QStringLiteral("&Brisanje"),
                             QStringLiteral("Brisanje označene knjige"), false);
    cmdUredjivanje = makeButton(this, QStringLiteral("cmdUredjivanje"), QStringLiteral("Iz&mjena"),
                                QStringLiteral("Izmjena izabrane knjige"), false);
    cmdNova = makeButton(this, QStringLiteral("cmdNova"), QStringLiteral("U&pis nove knjige"),
                         QStringLiteral("Ulaz u mod upisa nove knjige"), true);
    cmdalati = makeButton(this, QStringLiteral("cmdalati"), QStringLiteral("Alati..."),
                          QStringLiteral("Otvara se forma sa alatima"), true);
    cmdalati->hide();

    Frame1 = new QGroupBox(QStringLiteral("Upis nove knjige"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtnaziv = new QLineEdit(Frame1);
    txtnaziv->setObjectName(QStringLiteral("txtnaziv"));
    txtnaziv->setMaxLength(30);
    txtadresa = new QLineEdit(Frame1);
    txtadresa->setObjectName(QStringLiteral("txtadresa"));
    txtadresa->setMaxLength(30);
    lstpostojece = new QListWidget(Frame1);
    lstpostojece->setObjectName(QStringLiteral("lstpostojece"));
    lstpostojece->setMaximumHeight(48);
    cmdunosimo =
        makeButton(Frame1, QStringLiteral("cmdunosimo"), EntryCaption, QStringLiteral("Unosimo novu knjigu"), true);
    cmdodustani = makeButton(Frame1, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz iz unosa"),
                             QStringLiteral("Izlaz iz moda unosa"), true);
    auto* frameForm = new QFormLayout;
    auto* nazivLabel = new QLabel(QStringLiteral("Naziv knjige:"), Frame1);
    nazivLabel->setBuddy(txtnaziv);
    auto* adresaLabel = new QLabel(QStringLiteral("Adresa knjige:"), Frame1);
    adresaLabel->setBuddy(txtadresa);
    auto* vrstaLabel = new QLabel(QStringLiteral("Izbor vrste               knjige:"), Frame1);
    vrstaLabel->setBuddy(lstpostojece);
    vrstaLabel->setWordWrap(true);
    vrstaLabel->setFixedWidth(nazivLabel->sizeHint().width());
    frameForm->addRow(nazivLabel, txtnaziv);
    frameForm->addRow(adresaLabel, txtadresa);
    frameForm->addRow(vrstaLabel, lstpostojece);
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addStretch(1);
    frameButtons->addWidget(cmdunosimo);
    frameButtons->addWidget(cmdodustani);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addLayout(frameForm);
    frameLayout->addLayout(frameButtons);
    Frame1->hide();

    lblimeknjige = makeHiddenLabel(this, QStringLiteral("lblimeknjige"));
    lblvrstaknjige = makeHiddenLabel(this, QStringLiteral("lblvrstaknjige"));
    lblid = makeHiddenLabel(this, QStringLiteral("lblid"));
    lblimebaze = makeHiddenLabel(this, QStringLiteral("lblimebaze"));
    lblidtvrtke = makeHiddenLabel(this, QStringLiteral("lblidtvrtke"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdUlaz, cmdNova, cmdUredjivanje, cmdBrisanje, cmdalati, cmdizlaz})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1, 0, Qt::AlignHCenter);
    layout->addWidget(label2);
    layout->addWidget(lsvotvorene, 1);
    layout->addLayout(buttons);
    layout->addWidget(Frame1);

    txtpomoc = makeHelpPane(
        this,
        {QStringLiteral("F1 Pomoć i izlaz iz pomoći"),
         QStringLiteral(
             "Ulaz - Prilikom prvog ulaska onemogućen. Ako na listi knjiga ne postoji  nijedna knjiga, "
             "potrebno je unijeti novu knjigu. (Klik na dugme - Upis nove knjige.) Kada knjiga postoji, "
             "označimo na listi knjigu  u koji želimo ući i klik na dugme - ulaz, ulazimo u označenu knjigu. "),
         QStringLiteral("Uređivanje - Klik na dugme uređivanje otvara novi prozor gdje se omogućava da se izvrše "
                        "izmjene bilo koje unešene  knjige. Potrebno je prethodno na listi označiti koju knjigu želite "
                        "uređivati.  U novom prozoru se izvrše promjene (samo ime knjige i adresa knjige), i klikom na "
                        "dugme - izmjeni ( u novom prozoru), i nakon potvrdnog odgovora na pitanje, vrši se izmjena "
                        "knjige."),
         QStringLiteral("Brisanje - Označi se knjiga na listi i ista se nakon upozorenja i potvrdnog odgovora na "
                        "pitanje briše. Napomena:  Budite pažljivi jer sa brisanjem se nepovratno gube svi podaci iz "
                        "knjige kao i sama knjiga."),
         QStringLiteral("Upis nove knjige -  Klik na dugme otvara novi prozor u kojem se unose naziv i adresa knjige, "
                        "a vrsta knjige se bira sa liste postojećih vrsta knjige i ista se unosi u bazu postojećih "
                        "knjiga. Istodobno se nova knjiga prikazuje na listi novih knjiga. Može se dodati neograničeni "
                        "broj knjiga."),
         // The three paragraphs of the tools follow one another without an empty line.
         QStringLiteral("Alati - Klik na dugme alati omogućava kompaktiranje baze podataka. Ako se puno piše i briše u "
                        "bazi podataka, vremenom se baza uspori jer ima puno praznih polja koja je opterećuju. I takvu "
                        "bazu potrebno je kompaktirati(obrisati prazna polja). To se vrši ako se odabere kompaktiranje "
                        "baze. Reparacija baze (vraćanje u stanje prije kompaktiranja) vrši se ako se odabere baza i "
                        "klikne na start. \n"
                        "Poželjno je napraviti sigurnosnu kopiju baza koje ste mijenjali, za slučaj da se dogodi "
                        "pogrešan unos ili pad sistema. To se radi odabirom dugmeta - napravi sigurnosnu kopiju baze. "
                        "Sigurnosna kopija se vraća odabirom dugmeta - Vraćanje baze iz sigurnosne kopije.\n"
                        "U naslovu forme piše put do odabrane baze podataka koju trenutno obrađujete i istu bazu "
                        "podataka možete spremiti na sigurno ili po potrebi kompaktirati."),
         QStringLiteral("Ispis - Ispis na pisač. Ako je odgovor na postavljeno pitanje potvrdan, podaci o označenoj "
                        "knjizi ispisuju se na pisač.."),
         QStringLiteral("Vrati se - Povratak u prethodni izbornik tvrtke ili obrta")});
    auto* help = new HelpPaneToggle(
        this, txtpomoc, {cmdalati, Frame1, lsvotvorene, cmdUlaz, cmdizlaz, cmdUredjivanje, cmdBrisanje, cmdNova},
        [this] { return windowTitle(); });
    connect(help, &HelpPaneToggle::paneHidden, this, &frmIzborKnjige::afterHelpPane);
    EscCloses(this);
    EnterClicksDefault(this);
    ListDblClickDefault(lsvotvorene, cmdUlaz);

    // The current book follows the selection, by mouse or by keyboard; a click on the current row counts too.
    connect(lsvotvorene, &QTreeWidget::itemSelectionChanged, this, &frmIzborKnjige::lsvotvoreneClick);
    connect(lsvotvorene, &QTreeWidget::itemClicked, this, &frmIzborKnjige::lsvotvoreneClick);
    connect(cmdUlaz, &QPushButton::clicked, this, &frmIzborKnjige::cmdUlazClick);
    connect(cmdNova, &QPushButton::clicked, this, &frmIzborKnjige::cmdNovaClick);
    connect(cmdUredjivanje, &QPushButton::clicked, this, &frmIzborKnjige::cmdUredjivanjeClick);
    connect(cmdunosimo, &QPushButton::clicked, this, &frmIzborKnjige::cmdunosimoClick);
    connect(cmdodustani, &QPushButton::clicked, this, &frmIzborKnjige::cmdodustaniClick);
    connect(cmdBrisanje, &QPushButton::clicked, this, &frmIzborKnjige::cmdBrisanjeClick);
    connect(cmdizlaz, &QPushButton::clicked, this, &QWidget::close);

    FixedBorder(this, QSize(700, 460));
}

void frmIzborKnjige::load()
{
    try {
        lstpostojece->addItems(Registry::bookKinds());
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
    m_listedCompany = AppState::companyIdText().toLongLong();
    listBooks();
    if (lsvotvorene->topLevelItemCount() > 0) {
        QTreeWidgetItem* first = lsvotvorene->topLevelItem(0);
        lsvotvorene->setCurrentItem(first);
        first->setSelected(true);
        lsvotvoreneClick();
    }
}

void frmIzborKnjige::takeCompany(const QString& companyIdText, const QString& caption)
{
    lblidtvrtke->setText(companyIdText);
    // Another company's books replace the list at once, so no book of the former company stays on offer.
    if (companyIdText.toLongLong() != m_listedCompany) {
        m_listedCompany = companyIdText.toLongLong();
        for (QLabel* label : {lblimeknjige, lblvrstaknjige, lblid, lblimebaze})
            label->clear();
        setBrowseButtonsEnabled(false);
        listBooks();
        if (lsvotvorene->topLevelItemCount() > 0) {
            lsvotvorene->topLevelItem(0)->setSelected(true);
            lsvotvoreneClick();
        }
    }
    setWindowTitle(literalTitle(caption));
}

void frmIzborKnjige::listBooks()
{
    QList<Registry::Book> books;
    try {
        books = Registry::booksOfCompany(m_listedCompany);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
    const QSignalBlocker quiet(lsvotvorene);
    lsvotvorene->clear();
    for (const Registry::Book& b : books) {
        auto* item = new QTreeWidgetItem(lsvotvorene);
        item->setText(ColNaziv, b.nazivknjige.trimmed());
        item->setText(ColVrsta, b.vrstaknjige.trimmed());
        item->setText(ColAdresa, b.adresa.trimmed());
        item->setText(ColId, QString::number(b.id));
    }
}

QTreeWidgetItem* frmIzborKnjige::selectedRow() const
{
    const auto selected = lsvotvorene->selectedItems();
    return selected.isEmpty() ? nullptr : selected.last();
}

void frmIzborKnjige::setBrowseButtonsEnabled(bool enabled)
{
    cmdUlaz->setEnabled(enabled);
    cmdBrisanje->setEnabled(enabled);
    cmdUredjivanje->setEnabled(enabled);
}

QString frmIzborKnjige::currentBookFile() const
{
    return BookFileName(lblvrstaknjige->text().trimmed(), lblid->text().trimmed().toLongLong());
}

bool frmIzborKnjige::mainWindowHoldsABook()
{
    return !(openBookFile ? openBookFile() : frmSkladiste::openBookFile()).isEmpty();
}

bool frmIzborKnjige::bookInUse(const QString& bookFile)
{
    return openBookFile ? openBookFile() == bookFile : frmSkladiste::holdsBook(bookFile);
}

void frmIzborKnjige::followCurrentBook(const QString& bookFile)
{
    if (!mainWindowHoldsABook())
        AppState::bazaknjige = bookFile;
}

void frmIzborKnjige::reselectCurrentBook()
{
    QTreeWidgetItem* current = nullptr;
    for (int i = 0; i < lsvotvorene->topLevelItemCount() && !lblid->text().isEmpty(); ++i) {
        QTreeWidgetItem* row = lsvotvorene->topLevelItem(i);
        if (row->text(ColId) == lblid->text().trimmed() && row->text(ColVrsta) == lblvrstaknjige->text().trimmed())
            current = row;
    }
    if (current) {
        const QSignalBlocker quiet(lsvotvorene);
        lsvotvorene->setCurrentItem(current);
        current->setSelected(true);
    }
    setBrowseButtonsEnabled(current != nullptr);
}

void frmIzborKnjige::lsvotvoreneClick()
{
    QTreeWidgetItem* row = selectedRow();
    if (!row)
        return;
    lblid->setText(row->text(ColId));
    lblvrstaknjige->setText(row->text(ColVrsta));
    lblimeknjige->setText(row->text(ColNaziv));
    followCurrentBook(currentBookFile());
    const QString base = QStringLiteral("Baza: ") + ProgramFolder::filePath(currentBookFile());
    setWindowTitle(literalTitle(base + QString(13, QLatin1Char(' ')) + QStringLiteral("Pomoć F1")));
    lblimebaze->setText(base);
    setBrowseButtonsEnabled(true);
}

void frmIzborKnjige::cmdUlazClick()
{
    if (lsvotvorene->topLevelItemCount() == 0)
        return;
    if (QTreeWidgetItem* row = selectedRow()) {
        lblid->setText(row->text(ColId));
        lblvrstaknjige->setText(row->text(ColVrsta));
    }
    const QString kind = lblvrstaknjige->text().trimmed();
    if (kind != BookKindWarehouse && kind != BookKindProduction) {
        followCurrentBook(currentBookFile());
        setBrowseButtonsEnabled(false);
        return;
    }
    AppState::bazaknjige = currentBookFile();
    AppState::vrstabaze = kind;
    AppState::openBookCompany = m_listedCompany;
    const QString caption =
        QStringLiteral("Knjiga: ") + lblimeknjige->text() + QString(6, QLatin1Char(' ')) + lblimebaze->text();
    if (onEnterBook)
        onEnterBook(caption);
    else if (!frmSkladiste::openBook(caption))
        return; // the main window stays on its book (a working window kept open, or the file not made)
    setBrowseButtonsEnabled(false);
}

void frmIzborKnjige::cmdNovaClick()
{
    cmdunosimo->setText(EntryCaption);
    cmdunosimo->setToolTip(QStringLiteral("Unos nove knjige"));
    Frame1->show();
    cmdNova->setEnabled(false);
    setBrowseButtonsEnabled(false);
    txtnaziv->setFocus(Qt::OtherFocusReason);
}

void frmIzborKnjige::cmdUredjivanjeClick()
{
    if (lsvotvorene->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* row = selectedRow();
    if (!row) {
        HrMsgBox(QStringLiteral("Molim označite što želite mijenjati na listi!"), 48,
                 QStringLiteral("Nije ništa označeno!"));
        return;
    }
    m_editBookId = row->text(ColId).toLongLong();
    Frame1->setTitle(QStringLiteral("Izmjena: - ") + row->text(ColNaziv));
    txtnaziv->setText(row->text(ColNaziv));
    txtadresa->setText(row->text(ColAdresa));
    cmdunosimo->setText(ChangeCaption);
    cmdunosimo->setToolTip(QStringLiteral("Izmjena naziva i adrese knjige (ne i vrste knjige)"));
    Frame1->show();
    cmdNova->setEnabled(false);
    setBrowseButtonsEnabled(false);
    txtnaziv->selectAll();
    txtnaziv->setFocus(Qt::OtherFocusReason);
}

void frmIzborKnjige::cmdunosimoClick()
{
    const bool entry = cmdunosimo->text() == EntryCaption;
    if (txtnaziv->text().isEmpty() || txtadresa->text().isEmpty()) {
        HrMsgBox(QStringLiteral("Nije unešen naziv ili adresa knjige!"), 32, QStringLiteral("Nepotpun unos"));
        if (txtadresa->text().isEmpty())
            txtadresa->setFocus(Qt::OtherFocusReason);
        if (txtnaziv->text().isEmpty())
            txtnaziv->setFocus(Qt::OtherFocusReason);
        return;
    }
    QString kind;
    if (entry) {
        const auto kinds = lstpostojece->selectedItems();
        if (kinds.isEmpty()) {
            HrMsgBox(QStringLiteral("Nije izabrana vrsta knjige!"), 48, QStringLiteral("Nije izabrano!"));
            return;
        }
        kind = kinds.last()->text();
    }
    if (HrMsgBox(entry ? QStringLiteral("Unosimo novu knjigu?") : QStringLiteral("Mijenjamo označenu knjigu?"), 33,
                 QStringLiteral("Unos nove knjige")) != MsgOk)
        return;
    bool bookGone = false;
    try {
        if (entry) {
            Registry::insertBook(m_listedCompany, txtnaziv->text(), kind, txtadresa->text());
        } else {
            Registry::updateBook(m_editBookId, txtnaziv->text(), txtadresa->text());
            // An update of a book deleted meanwhile changes nothing.
            const QList<Registry::Book> books = Registry::booksOfCompany(m_listedCompany);
            bookGone = std::none_of(books.begin(), books.end(),
                                    [this](const Registry::Book& book) { return book.id == m_editBookId; });
        }
    } catch (const DbError& e) {
        // The frame keeps what was typed.
        DbErrorMsgBox(e);
        return;
    }
    listBooks();
    if (bookGone) {
        // Still in edit mode, with what was typed.
        reselectCurrentBook();
        setBrowseButtonsEnabled(false);
        HrMsgBox(QStringLiteral("Knjiga koju mijenjate više ne postoji; izmjena nije spremljena."), 48,
                 QStringLiteral("Knjiga ne postoji"));
        return;
    }
    backToBrowseMode();
}

void frmIzborKnjige::backToBrowseMode()
{
    Frame1->hide();
    cmdNova->setEnabled(true);
    reselectCurrentBook();
    cmdizlaz->setEnabled(true);
    txtnaziv->clear();
    txtadresa->clear();
}

void frmIzborKnjige::cmdodustaniClick()
{
    Frame1->hide();
    cmdNova->setEnabled(true);
    if (selectedRow())
        lsvotvoreneClick();
    else
        reselectCurrentBook();
    cmdizlaz->setEnabled(true);
    txtnaziv->clear();
    txtadresa->clear();
}

void frmIzborKnjige::cmdBrisanjeClick()
{
    QTreeWidgetItem* row = selectedRow();
    if (!row) {
        HrMsgBox(QStringLiteral("Molim označite što želite brisati na listi!"), 48,
                 QStringLiteral("Nije ništa označeno!"));
        return;
    }
    const QString file = currentBookFile();
    if (bookInUse(file)) {
        HrMsgBox(QStringLiteral("Knjiga ") + lblimeknjige->text() +
                     QStringLiteral(" je otvorena u glavnom prozoru i ne može se obrisati.\r\n"
                                    "Zatvorite knjigu pa ponovite brisanje."),
                 48, QStringLiteral("Knjiga je otvorena"));
        return;
    }
    if (HrMsgBox(QStringLiteral("Dobro razmislite! Brišete knjigu: ") + lblimeknjige->text() +
                     QStringLiteral("\r\nOvim brisanjem gubite sve podatke vezane uz nju"),
                 273, QStringLiteral("Nepovratno brisanje!!!")) != MsgOk)
        return;
    followCurrentBook(file);
    try {
        if (!Registry::deleteBook(lblid->text().trimmed().toLongLong()))
            return;
    } catch (const DbError& e) {
        HrMsgBox(QStringLiteral("Knjiga nije obrisana.\r\n") + e.description(), 16, QString());
        return;
    }
    {
        const QSignalBlocker quiet(lsvotvorene);
        delete row;
    }
    HrMsgBox(QStringLiteral("Knjiga je nepovratno uklonjena!"), 0, QString());
    const int count = lsvotvorene->topLevelItemCount();
    if (count > 0) {
        QTreeWidgetItem* last = lsvotvorene->topLevelItem(count - 1);
        lsvotvorene->setCurrentItem(last);
        last->setSelected(true);
        lsvotvoreneClick();
    } else {
        setBrowseButtonsEnabled(false);
    }
}

void frmIzborKnjige::afterHelpPane()
{
    lsvotvoreneClick();
    Frame1->hide();
    cmdNova->setEnabled(true);
    if (!txtnaziv->text().isEmpty() || !txtadresa->text().isEmpty()) {
        Frame1->show();
        cmdNova->setEnabled(false);
    }
}

void frmIzborKnjige::closeEvent(QCloseEvent* event)
{
    // The company chooser, open underneath, comes to the front again.
    if (frmIzborTvrtke* chooser = frmIzborTvrtke::loaded()) {
        chooser->raise();
        chooser->activateWindow();
    }
    event->accept();
}
