#include "frmPregledart.h"

#include "common/controls.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/database.h"
#include "core/reports/stockcard.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QFrame* makeFrame(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    placeInTwips(frame, left, top, width, height);
    return frame;
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption, bool set, int left, int top,
                         int width, int height)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setChecked(set);
    placeInTwips(option, left, top, width, height);
    return option;
}

} // namespace

frmPregledart::frmPregledart() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmPregledart"));
    setWindowTitle(QStringLiteral("Pregled artikala"));

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->resize(twips(9588), twips(6168));
    QWidget* f = frameartikli;

    Frame5 = makeFrame(f, QStringLiteral("Frame5"), 0, 0, 1275, 1188);
    optstanjeart =
        makeOption(Frame5, QStringLiteral("optstanjeart"), QStringLiteral("Stanje"), true, 120, 360, 1065, 255);
    optkarticeart =
        makeOption(Frame5, QStringLiteral("optkarticeart"), QStringLiteral("Kartice"), false, 120, 720, 1065, 255);

    Frame2 = makeFrame(f, QStringLiteral("Frame2"), 1248, 0, 1596, 1188);
    Optjedanart =
        makeOption(Frame2, QStringLiteral("Optjedanart"), QStringLiteral("1 artikl"), true, 108, 324, 1095, 255);
    optviseart =
        makeOption(Frame2, QStringLiteral("optviseart"), QStringLiteral("Više artikala"), false, 108, 720, 1425, 255);

    Frame3 = makeFrame(f, QStringLiteral("Frame3"), 2820, 0, 3135, 1188);
    optnazivart = makeOption(Frame3, QStringLiteral("optnazivart"), QStringLiteral("Naziv"), true, 432, 288, 855, 255);
    optsifraart =
        makeOption(Frame3, QStringLiteral("optsifraart"), QStringLiteral("Šifra"), false, 1836, 288, 705, 255);
    cbood = new QComboBox(Frame3);
    cbood->setObjectName(QStringLiteral("cbood"));
    cbood->setEditable(false);
    placeInTwips(cbood, 648, 720, 2328, 288);
    lblizbor = makeLabelFor(Frame3, QStringLiteral("Izbor >"), cbood, QStringLiteral("lblizbor"));
    placeInTwips(lblizbor, 108, 756, 516, 264);
    // The chooser starts after its caption.
    const int shift = qMax(0, lblizbor->geometry().right() + 4 - cbood->x());
    cbood->setGeometry(cbood->x() + shift, cbood->y(), cbood->width() - shift, cbood->height());

    Frame4 = makeFrame(f, QStringLiteral("Frame4"), 2880, 0, 3084, 1188);
    optsveart =
        makeOption(Frame4, QStringLiteral("optsveart"), QStringLiteral("Svi artikli"), true, 120, 180, 1968, 255);
    optminkolicinaart = makeOption(Frame4, QStringLiteral("optminkolicinaart"), QStringLiteral("Min. količina"), false,
                                   120, 468, 1764, 255);
    optkolicinanulart = makeOption(Frame4, QStringLiteral("optkolicinanulart"), QStringLiteral("Količina nula"), false,
                                   120, 756, 1728, 255);

    cmdprikazart = makeButton(f, QStringLiteral("cmdprikazart"), QStringLiteral("&Prikaz"), QString(), true);
    placeInTwips(cmdprikazart, 8136, 180, 1368, 345);
    // An article's whole name shows in the closed chooser; it and its frame may take the room up to the buttons.
    fitBoxFor(cbood, 30, cmdprikazart->x() - Frame3->x() - cbood->x() - 8);
    fitLongDropDownFor(cbood, 30, ValueKind::Letters);
    Frame3->resize(qMax(Frame3->width(), cbood->geometry().right() + 6), Frame3->height());
    cmdprikazart->setDefault(true);
    cmdispisart = makeButton(f, QStringLiteral("cmdispisart"), QStringLiteral("I&spis"), QString(), true);
    placeInTwips(cmdispisart, 8136, 576, 1356, 315);
    cmdizlaz = makeButton(f, QStringLiteral("cmdizlaz"), QStringLiteral("&Izlaz"), QString(), true);
    placeInTwips(cmdizlaz, 8136, 930, 1380, 315);

    rtfart = new ReportPane(f);
    rtfart->setObjectName(QStringLiteral("rtfart"));
    rtfart->setAccessibleName(QStringLiteral("Izvještaj o artiklima"));
    placeInTwips(rtfart, 108, 1260, 9408, 4620);

    // Tab order as designed.
    setTabOrder(optstanjeart, optkarticeart);
    setTabOrder(optkarticeart, Optjedanart);
    setTabOrder(Optjedanart, optviseart);
    setTabOrder(optviseart, optnazivart);
    setTabOrder(optnazivart, optsifraart);
    setTabOrder(optsifraart, cbood);
    setTabOrder(cbood, optsveart);
    setTabOrder(optsveart, optminkolicinaart);
    setTabOrder(optminkolicinaart, optkolicinanulart);
    setTabOrder(optkolicinanulart, cmdprikazart);
    setTabOrder(cmdprikazart, rtfart);
    setTabOrder(rtfart, cmdispisart);
    setTabOrder(cmdispisart, cmdizlaz);

    setFrame(frameartikli);
    EnterClicksDefault(this);

    connect(Optjedanart, &QRadioButton::clicked, this, &frmPregledart::showOneArticleChooser);
    connect(optviseart, &QRadioButton::clicked, this, &frmPregledart::showSeveralArticles);
    connect(optnazivart, &QRadioButton::clicked, this, [this] { fillChooser(false); });
    connect(optsifraart, &QRadioButton::clicked, this, [this] { fillChooser(true); });
    connect(cmdprikazart, &QPushButton::clicked, this, &frmPregledart::dispatch);
    connect(cmdispisart, &QPushButton::clicked, this, [this] { PrintQuestion(rtfart); });
    connect(cmdizlaz, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void frmPregledart::load()
{
    showOneArticleChooser();
    fillChooser(false);
}

void frmPregledart::openFromMenu()
{
    instance()->showFromMenu();
}

void frmPregledart::showOneArticleChooser()
{
    Frame4->hide();
    Frame3->show();
}

void frmPregledart::showSeveralArticles()
{
    Frame4->show();
    Frame3->hide();
    rtfart->show();
}

void frmPregledart::fillChooser(bool byCode)
{
    QList<ArticleChoice> choices;
    try {
        choices = StockReports::articleChoices(bookPath(), byCode);
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    // A book without articles leaves the chooser as it was.
    if (choices.isEmpty())
        return;
    cbood->clear();
    for (const ArticleChoice& c : choices)
        cbood->addItem(c.text, c.id);
    cbood->setCurrentIndex(0);
}

qint64 frmPregledart::chosenArticle() const
{
    return cbood->currentIndex() < 0 ? 0 : cbood->currentData().toLongLong();
}

StockSelection frmPregledart::chosenSelection() const
{
    if (optkolicinanulart->isChecked())
        return StockSelection::ZeroStock;
    if (optminkolicinaart->isChecked())
        return StockSelection::BelowMinimum;
    return StockSelection::All;
}

void frmPregledart::dispatch()
{
    rtfart->hide();
    const bool one = Optjedanart->isChecked();
    if (optstanjeart->isChecked()) {
        if (one)
            stockListOfChosen();
        else
            stockListOfSelection(chosenSelection());
    } else {
        if (one)
            cardOfChosen();
        else
            cardsOfSelection();
    }
}

void frmPregledart::stockListOfChosen()
{
    try {
        const QList<StockListRow> rows =
            chosenArticle() ? StockReports::oneArticle(bookPath(), chosenArticle()) : QList<StockListRow>();
        // An article that is not there leaves the report area empty, without a message.
        if (rows.isEmpty())
            return;
        rtfart->setReport(buildStockList(rows));
        rtfart->show();
    } catch (const DbError& e) {
        rtfart->clearReport();
        ReportErrTail(e.description());
    }
}

void frmPregledart::stockListOfSelection(StockSelection which)
{
    try {
        rtfart->setReport(buildStockList(StockReports::selection(bookPath(), which)));
    } catch (const DbError& e) {
        rtfart->clearReport();
        ReportErrTail(e.description());
    }
    rtfart->show();
}

void frmPregledart::cardOfChosen()
{
    try {
        const StockCardData card = chosenArticle() ? StockCards::oneCard(bookPath(), chosenArticle()) : StockCardData();
        // An article that is not there leaves the report empty.
        if (card.articles.isEmpty())
            rtfart->clearReport();
        else
            rtfart->setReport(buildStockCard(card.articles.first(), card.lines.value(card.articles.first().id)));
    } catch (const DbError& e) {
        rtfart->clearReport();
        ReportErrTail(e.description());
    }
    rtfart->show();
}

void frmPregledart::cardsOfSelection()
{
    QString failure;
    {
        BusyPointer busy;
        try {
            rtfart->setReport(joinStockCards(StockCards::selectionCards(bookPath(), chosenSelection())));
        } catch (const DbError& e) {
            rtfart->clearReport();
            failure = e.description();
        }
    }
    rtfart->show();
    ReportErrTail(failure);
}
