#include "frmIzborTvrtke.h"

#include "common/appcontrol.h"
#include "common/appsetup.h"
#include "common/controls.h"
#include "common/hrmsgbox.h"
#include "common/printing.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"
#include "core/text/datetext.h"
#include "frame/frmIzborKnjige.h"
#include "frame/frmSkladiste.h"
#include "frame/frmUpisNove.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The list's column widths in twips.
constexpr int ColumnTwips[frmIzborTvrtke::ColumnCount] = {1440, 1440, 1440, 500, 1440, 800, 1440, 1440, 1440, 1440, 0};

} // namespace

frmIzborTvrtke::frmIzborTvrtke()
{
    setObjectName(QStringLiteral("frmIzborTvrtke"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(WorkingCaption);

    auto* label1 = new QLabel(QStringLiteral("Knjigovodstveni programi Lotrak"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(AppSetup::serifFont(16));
    auto* label2 = new QLabel(QStringLiteral("Izaberite sa liste :"), this);
    label2->setObjectName(QStringLiteral("Label2"));

    cmdUlaz = makeButton(this, QStringLiteral("cmdUlaz"), QStringLiteral("&Ulaz"),
                         QStringLiteral("Ulazimo u odabranu tvrtku ili obrt"), false);
    cmdUlaz->setDefault(true);
    cmdNova =
        makeButton(this, QStringLiteral("cmdNova"), QStringLiteral("&Dodaj novu tvrtku ili obrt..."), QString(), true);
    cmdUredjivanje = makeButton(this, QStringLiteral("cmdUredjivanje"), QStringLiteral("U&ređivanje..."),
                                QStringLiteral("Izmjena odabrane tvrtke"), false);
    cmdBrisanje = makeButton(this, QStringLiteral("cmdBrisanje"), QStringLiteral("&Brisanje"),
                             QStringLiteral("Brisanje tvrtke ili obrta"), false);
    cmdispis = makeButton(this, QStringLiteral("cmdispis"), QStringLiteral("I&spis"),
                          QStringLiteral("Ispis odabrane knjige na pisač"), true);
    cmdizlaz = makeButton(this, QStringLiteral("cmdizlaz"), QStringLiteral("&Izlaz"), QString(), true);

    // Made after the buttons: the tab order runs over the buttons first and then the list, so the window opens
    // with the focus on "&Ulaz" (on "&Dodaj novu tvrtku ili obrt..." while "&Ulaz" is off).
    lsvLista = makeListView(this, QStringLiteral("lsvLista"), QStringLiteral("Popis tvrtki i obrta"),
                            {QStringLiteral("Naziv"), QStringLiteral("m.b."), QStringLiteral("Šifra dj."),
                             QStringLiteral("T/O"), QStringLiteral("Žiro račun"), QStringLiteral("Pošt.br."),
                             QStringLiteral("Mjesto"), QStringLiteral("Ulica i br."), QStringLiteral("Telefon"),
                             QStringLiteral("Kontakt"), QString()});
    lsvLista->setFont(AppSetup::fixedFont(8));
    lsvLista->setColumnHidden(ColId, true);
    lsvLista->headerItem()->setTextAlignment(ColTo, Qt::AlignCenter);
    label2->setBuddy(lsvLista);

    lblIme = makeHiddenLabel(this, QStringLiteral("lblIme"));
    lblidt = makeHiddenLabel(this, QStringLiteral("lblidt"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdUlaz, cmdNova, cmdUredjivanje, cmdBrisanje, cmdispis, cmdizlaz})
        buttons->addWidget(b, b == cmdNova ? 2 : 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1, 0, Qt::AlignHCenter);
    layout->addWidget(label2);
    layout->addWidget(lsvLista, 1);
    layout->addLayout(buttons);

    txtpomoc = makeHelpPane(
        this,
        {QStringLiteral("F1 Pomoć i izlaz iz pomoći"),
         QStringLiteral(
             "Ulaz - Prilikom prvog ulaska onemogućen. Ako na listi nema nijedne tvrtke ili obrta potrebno unijeti "
             "novu "
             "tvrtku ili obrt. (Klik na dugme - Dodaj novu tvrtku ili obrt. Kada tvrtka ili obrt postoje, označimo na "
             "listi tvrtku ili obrt u koji želimo ući i klik na dugme - ulaz, ulazimo u izbor knjige. "),
         QStringLiteral(
             "Uređivanje - Klik na dugme uređivanje otvara novi prozor gdje se omogućava da se izmjene podaci o tvrtki "
             "ili obrtu koji su prije unešeni. Potrebno je prethodno na listi označiti koju tvrtku ili obrt želite "
             "uređivati. U novom prozoru se izvrše promjene i klikom na dugme - izmjeni ( u novom prozoru), i nakon "
             "potvrdnog odgovora na pitanje vrši se izmjena."),
         QStringLiteral("Brisanje - Označi se tvrtka ili obrt na listi i ista se nakon upozorenja i potvrdnog odgovora "
                        "na pitanje briše a s njom i sve njene pripadajuće knjige. Napomena:  Budite pažljivi jer sa "
                        "brisanjem se nepovratno gube svi podaci o tvrtki ili obrtu."),
         QStringLiteral("Dodaj novu tvrtku ili obrt -  Klik na dugme otvara novi prozor u kojem se unose podaci za "
                        "novu tvrtku ili obrt i isti se unose u bazu tvrtke. Može se dodati neograničeni broj tvrtki "
                        "ili obrta."),
         QStringLiteral("Ispis - Ispis na pisač. Ako je odgovor na postavljeno pitanje potvrdan, podaci o tvrtki ili "
                        "obrtu ispisuju se na pisač..")});
    new HelpPaneToggle(this, txtpomoc, {lsvLista, cmdUlaz, cmdizlaz, cmdUredjivanje, cmdBrisanje, cmdispis, cmdNova},
                       [] { return WorkingCaption; });
    EscCloses(this);
    EnterClicksDefault(this);
    ListDblClickDefault(lsvLista, cmdUlaz);

    // The current company follows the selection, by mouse or by keyboard.
    connect(lsvLista, &QTreeWidget::itemSelectionChanged, this, &frmIzborTvrtke::lsvListaClick);
    connect(cmdUlaz, &QPushButton::clicked, this, &frmIzborTvrtke::cmdUlazClick);
    connect(cmdNova, &QPushButton::clicked, this, &frmIzborTvrtke::cmdNovaClick);
    connect(cmdUredjivanje, &QPushButton::clicked, this, &frmIzborTvrtke::cmdUredjivanjeClick);
    connect(cmdBrisanje, &QPushButton::clicked, this, &frmIzborTvrtke::cmdBrisanjeClick);
    connect(cmdispis, &QPushButton::clicked, this, &frmIzborTvrtke::cmdispisClick);
    connect(cmdizlaz, &QPushButton::clicked, this, &frmIzborTvrtke::cmdizlazClick);

    fitColumns();
    FixedBorder(this, QSize(960, 420));
}

void frmIzborTvrtke::fitColumns()
{
    // Each column is as wide as its design width, or wider when its header or a company's text needs it.
    for (int c = 0; c < ColId; ++c) {
        lsvLista->resizeColumnToContents(c);
        lsvLista->setColumnWidth(c, qMax(twips(ColumnTwips[c]), lsvLista->columnWidth(c)));
    }
}

void frmIzborTvrtke::load()
{
    ucitajtvrtke();
}

void frmIzborTvrtke::ucitajtvrtke()
{
    QList<Registry::Company> companies;
    try {
        Registry::ensureExists();
        companies = Registry::companies();
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    lsvLista->setUpdatesEnabled(false);
    for (const Registry::Company& c : companies) {
        auto* item = new QTreeWidgetItem(lsvLista);
        const QString texts[ColumnCount] = {c.ime,    c.mb,    c.sifradj, c.to,      c.ziroracun,          c.posta,
                                            c.mjesto, c.ulica, c.telefon, c.kontakt, QString::number(c.id)};
        for (int col = 0; col < ColumnCount; ++col)
            item->setText(col, texts[col]);
        item->setTextAlignment(ColTo, Qt::AlignCenter);
    }
    fitColumns();
    lsvLista->setUpdatesEnabled(true);
    if (lsvLista->topLevelItemCount() > 0) {
        cmdUlaz->setEnabled(true);
        cmdUredjivanje->setEnabled(true);
        cmdBrisanje->setEnabled(true);
        lsvLista->setCurrentItem(lsvLista->topLevelItem(0));
        lsvLista->topLevelItem(0)->setSelected(true);
        lsvListaClick();
    } else {
        cmdUredjivanje->setEnabled(false);
        cmdBrisanje->setEnabled(false);
    }
}

QTreeWidgetItem* frmIzborTvrtke::selectedRow() const
{
    const auto selected = lsvLista->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void frmIzborTvrtke::lsvListaClick()
{
    QTreeWidgetItem* row = selectedRow();
    if (!row)
        return;
    lblidt->setText(row->text(ColId));
    lblIme->setText(row->text(ColIme));
    cmdUlaz->setEnabled(true);
    cmdUredjivanje->setEnabled(true);
    cmdBrisanje->setEnabled(true);
}

void frmIzborTvrtke::cmdUlazClick()
{
    QTreeWidgetItem* row = selectedRow();
    if (!row)
        return;
    AppState::idizabranetvrtke = row->text(ColId).toDouble();
    frmIzborKnjige* books = frmIzborKnjige::instance();
    books->takeCompany(AppState::companyIdText(),
                       row->text(ColIme) + QStringLiteral(" - izbor knjige ") + QStringLiteral("     Pomoć F1"));
    books->show();
    books->raise();
    books->activateWindow();
}

void frmIzborTvrtke::cmdNovaClick()
{
    frmUpisNove* editor = frmUpisNove::instance();
    editor->prepareEntry();
    editor->show();
    close();
}

void frmIzborTvrtke::cmdUredjivanjeClick()
{
    // Without a selected row nothing opens, and the chooser stays.
    QTreeWidgetItem* row = selectedRow();
    if (!row)
        return;
    AppState::idizabranetvrtke = row->text(ColId).toDouble();
    QStringList values;
    for (int col = ColIme; col <= ColKontakt; ++col)
        values.append(row->text(col));
    frmUpisNove* editor = frmUpisNove::instance();
    editor->prepareChange(row->text(ColIme), values);
    editor->show();
    close();
}

void frmIzborTvrtke::cmdizlazClick()
{
    // The open book's working windows close first, each through its closing question; one kept open keeps the
    // program running.
    if (frmSkladiste* main = frmSkladiste::loaded())
        if (!main->close())
            return;
    AppControl::endProgram();
}

// Whether the main window or one of its working windows works on one of the company's books.
bool frmIzborTvrtke::holdsOpenBook(qint64 companyId) const
{
    if (frmSkladiste::openBookFile().isEmpty())
        return false;
    try {
        for (const Registry::Book& book : Registry::booksOfCompany(companyId))
            if (frmSkladiste::holdsBook(BookFileName(book.vrstaknjige.trimmed(), book.id)))
                return true;
    } catch (const DbError&) {
        // The deletion itself reports an unreadable registry.
    }
    return false;
}

void frmIzborTvrtke::cmdBrisanjeClick()
{
    const QString idText = lblidt->text();
    if (idText.isEmpty())
        return;
    AppState::idizabranetvrtke = idText.toDouble();
    const QString name = lblIme->text();
    if (holdsOpenBook(idText.toLongLong())) {
        HrMsgBox(QStringLiteral("Tvrtka ") + name +
                     QStringLiteral(" ima knjigu otvorenu u glavnom prozoru i ne može se obrisati.\r\n"
                                    "Zatvorite knjigu pa ponovite brisanje."),
                 48, QStringLiteral("Knjiga je otvorena"));
        return;
    }
    const int answer = HrMsgBox(QStringLiteral("Želite trajno ukloniti tvtku: ") + name +
                                    QStringLiteral("  i sve njezine knjige?\r\nMolim budite pažljivi!!!"),
                                276, QStringLiteral("Brisanje tvrtke /obrta"));
    if (answer != MsgYes)
        return;

    const Registry::DeleteOutcome outcome = Registry::deleteCompany(idText.toLongLong());
    if (!outcome.complete) {
        HrMsgBox(QStringLiteral("Tvrtka nije obrisana do kraja:\n") + outcome.failures.join(QLatin1Char('\n')), 16,
                 QString());
        return;
    }
    for (int i = lsvLista->topLevelItemCount() - 1; i >= 0; --i)
        if (lsvLista->topLevelItem(i)->text(ColId) == idText)
            delete lsvLista->takeTopLevelItem(i);
    // The book chooser offers no book of a company that is gone.
    if (frmIzborKnjige* books = frmIzborKnjige::loaded())
        if (books->listedCompany() == idText.toLongLong())
            books->close();
    HrMsgBox(QStringLiteral("Tvrtka i sve knjige su nepovratno obrisane!"), 32, QStringLiteral("Brisanje završeno"));
    cmdUredjivanje->setEnabled(false);
    cmdBrisanje->setEnabled(false);
    const int count = lsvLista->topLevelItemCount();
    if (count > 0) {
        QTreeWidgetItem* last = lsvLista->topLevelItem(count - 1);
        lsvLista->setCurrentItem(last);
        last->setSelected(true);
        lsvListaClick();
    }
}

void frmIzborTvrtke::cmdispisClick()
{
    QTreeWidgetItem* row = selectedRow();
    if (lsvLista->topLevelItemCount() == 0 || !row)
        return;
    if (HrMsgBox(QStringLiteral(" Ispis podataka za: ") + lblIme->text() + QStringLiteral("?"), 36,
                 QStringLiteral("Ispis podataka!")) != MsgYes)
        return;
    printSheet(row);
}

void frmIzborTvrtke::printSheet(const QTreeWidgetItem* row)
{
    std::unique_ptr<QPrinter> printer = Printing::acquirePrinter();
    if (!printer)
        return;
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);

    const QString indent(10, QLatin1Char(' '));
    QStringList lines;
    lines << QString() << QString() << QString();
    lines << indent + QStringLiteral("Ispis podataka za: !") + row->text(ColIme) + QStringLiteral("  na dan: ") +
                 DateText::toShort(QDate::currentDate());
    const std::pair<const char*, int> fields[] = {{"Naziv T/O   :  ", ColIme},       {"Matični br. :  ", ColMb},
                                                  {"Šifra djel. :  ", ColSifradj},   {"Tvrtka/obrt :  ", ColTo},
                                                  {"Žiro račun  :  ", ColZiroracun}, {"Pošt. br.   :  ", ColPosta},
                                                  {"Mjesto      :  ", ColMjesto},    {"Ulica i br. :  ", ColUlica},
                                                  {"Telefon     :  ", ColTelefon},   {"Kontaktiraj :  ", ColKontakt}};
    for (const auto& [label, column] : fields) {
        lines << QString();
        lines << indent + QString::fromUtf8(label) + row->text(column);
    }

    QPainter painter;
    if (!Printing::beginPainting(painter, printer.get())) {
        return;
    }
    const QFont font = AppSetup::fixedFont(12);
    painter.setFont(font);
    const QFontMetrics metrics(font, printer.get());
    Printing::recordNewPage();
    int y = metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(0, y, line);
        Printing::recordLine(line);
        y += metrics.lineSpacing();
    }
    painter.end();
}
