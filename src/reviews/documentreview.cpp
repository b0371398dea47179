#include "documentreview.h"

#include "common/controls.h"
#include "common/keyfilters.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/database.h"
#include "core/reports/reviewstext.h"
#include "core/text/datetext.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// A control's place in its container, in twips, and its position in the tab order.
struct Placement
{
    int left, top, width, height, tab;
};

// In the order of DocumentReview::placeControls(): the issue-note review, then the receipt review.
const Placement IssuePlaces[] = {
    {0, 0, 9516, 6168, 14},     {0, 0, 1755, 1188, 23},     {120, 360, 1455, 255, 0},   {120, 630, 1485, 465, 1},
    {1710, 0, 1245, 1188, 22},  {180, 360, 1005, 255, 2},   {180, 756, 825, 255, 3},    {2940, 0, 1770, 1188, 18},
    {120, 300, 1395, 255, 4},   {120, 720, 1560, 255, 5},   {4680, 0, 3075, 1188, 19},  {144, 288, 336, 276, 20},
    {540, 240, 2064, 312, 6},   {144, 756, 312, 276, 21},   {540, 756, 2028, 312, 7},   {4644, 0, 3075, 1188, 15},
    {90, 270, 675, 285, 17},    {900, 252, 2145, 288, 8},   {72, 696, 768, 288, 16},    {900, 756, 2145, 288, 9},
    {8028, 216, 1428, 315, 10}, {8028, 576, 1428, 315, 12}, {8028, 930, 1425, 315, 13}, {75, 1260, 9405, 4710, 11}};
const Placement ReceiptPlaces[] = {
    {0, 0, 9516, 6060, 11},    {0, 0, 1668, 1188, 7},     {144, 360, 1365, 255, 0},   {144, 630, 1485, 435, 12},
    {1710, 0, 1185, 1188, 8},  {180, 360, 945, 255, 1},   {180, 720, 825, 255, 13},   {2970, 0, 1584, 1188, 9},
    {108, 360, 1275, 255, 2},  {108, 720, 1440, 255, 16}, {4650, 0, 3075, 1188, 14},  {96, 324, 480, 276, 17},
    {540, 252, 2208, 312, 18}, {105, 750, 420, 270, 15},  {576, 720, 2172, 312, 19},  {4644, 0, 3180, 1188, 10},
    {72, 270, 675, 285, 21},   {1050, 252, 1995, 360, 3}, {75, 690, 915, 285, 22},    {1050, 684, 1995, 360, 20},
    {7992, 180, 1428, 312, 4}, {7992, 540, 1428, 312, 5}, {7992, 900, 1428, 312, 49}, {72, 1260, 9372, 4584, 6}};

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& title = QString())
{
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    // Opaque, so that the border of the frame around it does not run through it.
    frame->setAutoFillBackground(true);
    return frame;
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    // Tab enters a group at its chosen option, wherever the group's options stand in the tab order: Qt would keep
    // the stop on the option that last had the focus, or on the group's first option in the order.
    const auto followChoice = [option](bool chosen) {
        option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus);
    };
    followChoice(false);
    QObject::connect(option, &QAbstractButton::toggled, option, followChoice);
    return option;
}

QComboBox* makeBox(QWidget* parent, const QString& name, bool editable)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMaxVisibleItems(20);
    if (editable) {
        // Typed text stays text: it adds no entry and chooses nothing, not even an entry it spells exactly (the
        // box would otherwise choose that entry on Enter or when the focus leaves).
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
        QObject::disconnect(box->lineEdit(), &QLineEdit::returnPressed, box, nullptr);
    }
    return box;
}

} // namespace

DocumentReview::DocumentReview(bool receipt) : WorkingWindow(MenuGroup::Warehouse), m_receipt(receipt)
{
    setWindowTitle(receipt ? ReceiptCaption : IssueCaption);

    frameartikli = makeFrame(this, QStringLiteral("frameartikli"), QStringLiteral("Frame1"));
    QWidget* f = frameartikli;
    Frame5 = makeFrame(f, QStringLiteral("Frame5"));
    optzakljucak = makeOption(Frame5, QStringLiteral("optzakljucak"), QStringLiteral("Zaključak"));
    optprikaz = makeOption(Frame5, QStringLiteral("optprikaz"), QStringLiteral("Cjelovit prikaz"));
    Frame2 = makeFrame(f, QStringLiteral("Frame2"));
    Optjedne = makeOption(Frame2, QStringLiteral("Optjedne"), QStringLiteral("Jedne"));
    optvise = makeOption(Frame2, QStringLiteral("optvise"), QStringLiteral("Više"));
    Frame4 = makeFrame(f, QStringLiteral("Frame4"));
    optdatumu = makeOption(Frame4, QStringLiteral("optdatumu"), QStringLiteral("Datumu"));
    optdobavljacu = makeOption(Frame4, QStringLiteral("optdobavljacu"), QStringLiteral("Dobavljaču"));
    Framedatum = makeFrame(f, QStringLiteral("Framedatum"));
    dtpod = makeDatePicker(Framedatum, QStringLiteral("dtpod"), DateText::PickerFormatDmy);
    lblod = makeLabelFor(Framedatum, QStringLiteral("Od :"), dtpod, QStringLiteral("lblod"));
    dtpdo = makeDatePicker(Framedatum, QStringLiteral("dtpdo"), DateText::PickerFormatDmy);
    lbldo = makeLabelFor(Framedatum, QStringLiteral("Do:"), dtpdo, QStringLiteral("lbldo"));
    frameprimkadobavljac = makeFrame(f, QStringLiteral("frameprimkadobavljac"));
    cboizborprimke = makeBox(frameprimkadobavljac, QStringLiteral("cboizborprimke"), false);
    lblprimka = makeLabelFor(frameprimkadobavljac, receipt ? QStringLiteral("Primka:") : QStringLiteral("Izdatnica:"),
                             cboizborprimke, QStringLiteral("lblprimka"));
    cboizbordobavljaca = makeBox(frameprimkadobavljac, QStringLiteral("cboizbordobavljaca"), true);
    lbldobavljac =
        makeLabelFor(frameprimkadobavljac, receipt ? QStringLiteral("Dobavljač:") : QStringLiteral("Mj.troška:"),
                     cboizbordobavljaca, QStringLiteral("lbldobavljac"));
    cmdprikazart = makeButton(f, QStringLiteral("cmdprikazart"), QStringLiteral("&Prikaz"), QString(), true);
    cmdispisart = makeButton(f, QStringLiteral("cmdispisart"), QStringLiteral("I&spis"), QString(), true);
    exitButton = makeButton(f, receipt ? QStringLiteral("Command1") : QStringLiteral("cmdizlaz"),
                            QStringLiteral("&Izlaz"), QString(), true);
    rtfprimke = new ReportPane(f);
    rtfprimke->setObjectName(QStringLiteral("rtfprimke"));
    rtfprimke->setAccessibleName(receipt ? ReceiptCaption : IssueCaption);

    // The controls' small design type, so that every caption fits its place (the pane keeps its own font).
    QFont small = frameartikli->font();
    small.setPointSize(8);
    frameartikli->setFont(small);

    optzakljucak->setChecked(true);
    Optjedne->setChecked(true);
    optdatumu->setChecked(true);
    // Typing changes nothing in the document box, closed or open.
    NoTypingKeyFilter(cboizborprimke);
    NoTypingKeyFilter(cboizborprimke->view());
    (receipt ? exitButton : cmdprikazart)->setDefault(true);
    EnterClicksDefault(this);
    placeControls();
    setFrame(frameartikli);

    connect(optzakljucak, &QRadioButton::clicked, this, &DocumentReview::summaryClicked);
    connect(optprikaz, &QRadioButton::clicked, this, &DocumentReview::fullListingClicked);
    connect(Optjedne, &QRadioButton::clicked, this, &DocumentReview::oneDocumentClicked);
    connect(optvise, &QRadioButton::clicked, this, &DocumentReview::severalClicked);
    connect(optdatumu, &QRadioButton::clicked, this, &DocumentReview::dateRangeClicked);
    connect(optdobavljacu, &QRadioButton::clicked, this, &DocumentReview::partnerModeClicked);
    connect(cboizborprimke, qOverload<int>(&QComboBox::activated), this, &DocumentReview::documentChosen);
    connect(cboizbordobavljaca, qOverload<int>(&QComboBox::activated), this, &DocumentReview::partnerChosen);
    connect(cmdprikazart, &QPushButton::clicked, this, &DocumentReview::showReport);
    connect(cmdispisart, &QPushButton::clicked, this, [this] { PrintQuestion(rtfprimke); });
    connect(exitButton, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void DocumentReview::placeControls()
{
    QWidget* const controls[] = {frameartikli, Frame5,         optzakljucak, optprikaz,
                                 Frame2,       Optjedne,       optvise,      Frame4,
                                 optdatumu,    optdobavljacu,  Framedatum,   lblod,
                                 dtpod,        lbldo,          dtpdo,        frameprimkadobavljac,
                                 lblprimka,    cboizborprimke, lbldobavljac, cboizbordobavljaca,
                                 cmdprikazart, cmdispisart,    exitButton,   rtfprimke};
    const Placement* places = m_receipt ? ReceiptPlaces : IssuePlaces;
    QList<std::pair<int, QWidget*>> tabOrder;
    for (int i = 0; i < int(std::size(controls)); ++i) {
        QWidget* w = controls[i];
        const Placement& p = places[i];
        // Boxes and pickers keep at least the height their text needs, captions at least their width.
        const bool entry = qobject_cast<QComboBox*>(w) || qobject_cast<QDateEdit*>(w);
        const bool caption = qobject_cast<QLabel*>(w) || qobject_cast<QRadioButton*>(w);
        const int height = entry ? std::max(twips(p.height), w->sizeHint().height()) : twips(p.height);
        const int width = caption ? std::max(twips(p.width), w->sizeHint().width()) : twips(p.width);
        w->setGeometry(twips(p.left), twips(p.top), width, height);
        if ((w->focusPolicy() & Qt::TabFocus) || qobject_cast<QRadioButton*>(w))
            tabOrder.append({p.tab, w});
    }
    // A partner's whole name shows in the closed box; the box and its frame may take the room up to the buttons.
    QWidget* frame = frameprimkadobavljac;
    fitBoxFor(cboizbordobavljaca, 30, cmdprikazart->x() - frame->x() - cboizbordobavljaca->x() - 8);
    frame->resize(std::max(frame->width(), cboizbordobavljaca->geometry().right() + 6), frame->height());
    std::sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void DocumentReview::load()
{
    dtpdo->setDate(QDate::currentDate());
    dtpod->setDate(QDate::currentDate());
    QList<Reviews::DocumentChoice> documents;
    QString failure;
    try {
        documents = Reviews::documents(bookPath(), m_receipt);
    } catch (const DbError& e) {
        failure = e.description();
    }
    fillDocumentBox(documents);
    showOneDocumentLayout();
    if (!documents.isEmpty())
        documentChosen();
    ReportErrTail(failure);
}

void DocumentReview::showOneDocumentLayout()
{
    for (QWidget* w : QList<QWidget*>{optdatumu, optdobavljacu, Framedatum, cboizbordobavljaca, lbldobavljac})
        w->hide();
    frameprimkadobavljac->show();
}

void DocumentReview::fillDocumentBox(const QList<Reviews::DocumentChoice>& documents)
{
    cboizborprimke->clear();
    for (const Reviews::DocumentChoice& d : documents)
        cboizborprimke->addItem(QString::number(d.number), d.id);
    cboizborprimke->setCurrentIndex(int(documents.size()) - 1);
}

void DocumentReview::summaryClicked()
{
    Optjedne->setChecked(true);
    lblprimka->show();
    oneDocumentClicked();
    optvise->show();
}

void DocumentReview::fullListingClicked()
{
    Optjedne->setChecked(true);
    for (QWidget* w : QList<QWidget*>{optdatumu, optdobavljacu, lbldobavljac, dtpod, dtpdo, optvise, lblod, lbldo,
                                      cboizbordobavljaca})
        w->hide();
    for (QWidget* w : QList<QWidget*>{lblprimka, cboizborprimke, frameprimkadobavljac})
        w->show();
    oneDocumentClicked();
}

void DocumentReview::severalClicked()
{
    for (QWidget* w : QList<QWidget*>{optdatumu, optdobavljacu, dtpod, dtpdo, lblod, lbldo})
        w->show();
    if (!optzakljucak->isChecked())
        return;
    if (optdatumu->isChecked()) {
        Framedatum->show();
        for (QWidget* w : QList<QWidget*>{cboizbordobavljaca, lbldobavljac, frameprimkadobavljac})
            w->hide();
    } else {
        Framedatum->hide();
        cboizbordobavljaca->show();
        lbldobavljac->show();
        cboizborprimke->clear();
        partnerChosen(cboizbordobavljaca->currentIndex());
    }
}

void DocumentReview::dateRangeClicked()
{
    if (optzakljucak->isChecked() && optvise->isChecked()) {
        Framedatum->show();
        frameprimkadobavljac->hide();
    }
}

void DocumentReview::oneDocumentClicked()
{
    cboizborprimke->clear();
    showOneDocumentLayout();
    try {
        fillDocumentBox(Reviews::documents(bookPath(), m_receipt));
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    if (cboizborprimke->count() > 0)
        documentChosen();
}

void DocumentReview::documentChosen()
{
    m_chosen.reset();
    const QVariant id = cboizborprimke->currentData();
    if (!id.isValid())
        return;
    try {
        m_chosen = Reviews::document(bookPath(), m_receipt, id.toLongLong());
    } catch (const DbError& e) {
        ReportErrTail(e.description());
    }
}

void DocumentReview::partnerModeClicked()
{
    cboizborprimke->clear();
    m_partnerDocuments.clear();
    Framedatum->hide();
    for (QWidget* w : QList<QWidget*>{frameprimkadobavljac, cboizbordobavljaca, lbldobavljac})
        w->show();
    cboizbordobavljaca->clear();
    try {
        m_partners = Reviews::partners(bookPath(), m_receipt);
    } catch (const DbError& e) {
        m_partners.clear();
        ReportErrTail(e.description());
        return;
    }
    for (const Reviews::PartnerChoice& p : m_partners)
        cboizbordobavljaca->addItem(p.name);
    // The open list shows long names whole.
    cboizbordobavljaca->view()->setMinimumWidth(cboizbordobavljaca->view()->sizeHintForColumn(0) + 8);
    cboizbordobavljaca->setCurrentIndex(int(m_partners.size()) - 1);
    if (m_partners.isEmpty())
        return;
    m_partnerId = m_partners.last().id;
    partnerChosen(-1);
}

void DocumentReview::partnerChosen(int index)
{
    cboizbordobavljaca->lineEdit()->setCursorPosition(0); // a long name shows from its start
    cboizborprimke->clear();
    m_partnerDocuments.clear();
    if (index >= 0 && index < m_partners.size())
        m_partnerId = m_partners[index].id;
    if (!m_partnerId)
        return;
    try {
        m_partnerDocuments = Reviews::documentsOfPartner(bookPath(), m_receipt, *m_partnerId);
    } catch (const DbError& e) {
        ReportErrTail(e.description());
        return;
    }
    QList<Reviews::DocumentChoice> choices;
    for (const Reviews::ReviewDocument& d : m_partnerDocuments)
        choices.append({d.id, d.number});
    fillDocumentBox(choices);
}

void DocumentReview::showReport()
{
    using ReviewsText::Summary;
    QList<Reviews::ReviewDocument> chosen;
    if (m_chosen && cboizborprimke->count() > 0)
        chosen.append(*m_chosen);
    try {
        if (optprikaz->isChecked()) {
            const QList<Reviews::ListingLine> lines =
                chosen.isEmpty() ? QList<Reviews::ListingLine>() : Reviews::documentLines(bookPath(), chosen[0].id);
            rtfprimke->setReport(ReviewsText::fullListing(
                m_receipt, chosen.isEmpty() ? std::nullopt : std::make_optional(chosen[0]), lines));
        } else if (Optjedne->isChecked()) {
            rtfprimke->setReport(ReviewsText::summary(m_receipt, Summary::OneDocument, chosen));
        } else if (optdatumu->isChecked()) {
            rtfprimke->setReport(
                ReviewsText::summary(m_receipt, Summary::DateRange,
                                     Reviews::documentsDated(bookPath(), m_receipt, dtpod->date(), dtpdo->date())));
        } else {
            rtfprimke->setReport(ReviewsText::summary(m_receipt, Summary::Partner, m_partnerDocuments));
        }
    } catch (const DbError& e) {
        rtfprimke->clearReport();
        ReportErrTail(e.description());
    }
}

frmpregledprimki::frmpregledprimki() : DocumentReview(true)
{
    setObjectName(QStringLiteral("frmpregledprimki"));
}

void frmpregledprimki::openFromMenu()
{
    instance()->showFromMenu();
}

frmpregledizdatnice::frmpregledizdatnice() : DocumentReview(false)
{
    setObjectName(QStringLiteral("frmpregledizdatnice"));
}

void frmpregledizdatnice::openFromMenu()
{
    instance()->showFromMenu();
}
