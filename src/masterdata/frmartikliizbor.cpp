#include "frmartikliizbor.h"

#include "articlelistmodel.h"
#include "articlepicktarget.h"
#include "common/controls.h"
#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/windowkeys.h"
#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/stock/articles.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include <functional>

namespace {

QRadioButton* makeOption(QWidget* parent, const char* name, const QString& caption, QButtonGroup* group)
{
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QLatin1String(name));
    group->addButton(o);
    return o;
}

} // namespace

frmartikliizbor::frmartikliizbor()
{
    setObjectName(QStringLiteral("frmartikliizbor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(DesignCaption);
    resize(800, 520);

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->setFixedSize(770, 490);

    Label1 = new QLabel(QStringLiteral("Upis:"), frameartikli);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtupis = makeEntryBox(frameartikli, QStringLiteral("txtupis"), QStringLiteral("Unesite što tražite!"), 32767);
    Label1->setBuddy(txtupis);

    auto* fieldGroup = new QButtonGroup(this);
    auto* matchGroup = new QButtonGroup(this);
    Optponazivu = makeOption(frameartikli, "Optponazivu", QStringLiteral("Po nazivu"), fieldGroup);
    optposifri = makeOption(frameartikli, "optposifri", QStringLiteral("Po šifri"), fieldGroup);
    optcijelinaziv = makeOption(frameartikli, "optcijelinaziv", QStringLiteral("Cijeli naziv"), matchGroup);
    optpocinjesa = makeOption(frameartikli, "optpocinjesa", QStringLiteral("Počinje sa"), matchGroup);
    optimaunazivu = makeOption(frameartikli, "optimaunazivu", QStringLiteral("Ima u nazivu"), matchGroup);
    Optponazivu->setChecked(true);
    optpocinjesa->setChecked(true);

    cmdtrazi = makeButton(frameartikli, QStringLiteral("cmdtrazi"), QStringLiteral("&Traži..."),
                          QStringLiteral("Pretraga"), true);
    cmdodabir = makeButton(frameartikli, QStringLiteral("cmdodabir"), QStringLiteral("&Pošalji..."),
                           QStringLiteral("Pošalji artikl u primku ili izdatnicu"), true);
    cmdodustani = makeButton(frameartikli, QStringLiteral("cmdodustani"), QStringLiteral("&Izlaz"),
                             QStringLiteral("Izlaz i odustajanje"), true);

    m_articles = new ArticleListModel(this);
    lsvsviartikli = makeModelListView(frameartikli, QStringLiteral("lsvsviartikli"),
                                      QStringLiteral("Popis svih artikala"), m_articles);
    lsvsviartikli->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const int widths[ArticleListModel::ColumnCount] = {2540, 2540, 7408, 1235, 2205, 2};
    for (int c = 0; c < ArticleListModel::ColumnCount; ++c)
        lsvsviartikli->setColumnWidth(c, twips(widths[c]));
    lsvsviartikli->setColumnHidden(ArticleListModel::ColId, true);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(Label1);
    searchRow->addWidget(txtupis, 1);
    searchRow->addWidget(cmdtrazi);
    auto* fieldBox = new QHBoxLayout;
    fieldBox->addWidget(Optponazivu);
    fieldBox->addWidget(optposifri);
    fieldBox->addSpacing(30);
    fieldBox->addWidget(optcijelinaziv);
    fieldBox->addWidget(optpocinjesa);
    fieldBox->addWidget(optimaunazivu);
    fieldBox->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdodabir);
    buttons->addWidget(cmdodustani);
    auto* column = new QVBoxLayout(frameartikli);
    column->addLayout(searchRow);
    column->addLayout(fieldBox);
    column->addWidget(lsvsviartikli, 1);
    column->addLayout(buttons);

    txtpomoc = makeHelpPane(
        this,
        {QStringLiteral("F1 -  pomoć i izlaz iz pomoći"), QStringLiteral("Možete birati više vrsta pretrage:"),
         QStringLiteral("Po nazivu artikla, po šifri artikla te birati između cjelokupnog naziva ili šifre,"),
         QStringLiteral("početka naziva ili šifre te da naziv ili šifra u sebi sadržavaju vašu pretrage!"),
         QStringLiteral("Može biti odabran samo jedan artikl sa liste"),
         QStringLiteral("Dvoklik na pronađeni ili izabrani artikl na listi ili klik na dugme \"Pošalii\", šalje "),
         QStringLiteral("odabrani artikl u formu primke ili izdatnice i izlazi se iz programa pretrage."),
         QStringLiteral("Dvoklik na listu dolje - isto kao klik na dugme - \"Pošalji\"")});
    new HelpPaneToggle(
        this, txtpomoc, {frameartikli}, [] { return WorkingCaption; }, HelpPaneToggle::SearchModeCaption);
    EscCloses(this);
    FocusFirstField(this, txtupis);
    ListDblClickDefault(lsvsviartikli, cmdodabir);

    connect(cmdtrazi, &QPushButton::clicked, this, &frmartikliizbor::cmdtraziClick);
    // Enter in the search box searches, as the button does.
    connect(txtupis, &QLineEdit::returnPressed, cmdtrazi, &QPushButton::click);
    connect(cmdodabir, &QPushButton::clicked, this, &frmartikliizbor::cmdodabirClick);
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void frmartikliizbor::load()
{
    m_mode = AppState::vrstadokumenta;
}

frmartikliizbor* frmartikliizbor::openFor(ArticlePickTarget* target)
{
    const bool fresh = !isLoaded();
    frmartikliizbor* picker = instance();
    picker->m_mode = AppState::vrstadokumenta;
    picker->m_target = target;
    picker->m_targetWindow = target ? target->pickerOwner() : nullptr;
    // The picker serves its window only: it goes when that window is unloaded.
    disconnect(picker->m_targetGone);
    if (picker->m_targetWindow)
        picker->m_targetGone =
            connect(picker->m_targetWindow, &QObject::destroyed, picker, [picker] { closeWindow(picker); });
    if (fresh) {
        const bool ownBook = picker->m_mode == AppState::ModeReceipt || picker->m_mode == AppState::ModeIssue;
        picker->m_bookPath = target ? target->pickerBookPath()
                                    : ProgramFolder::filePath(ownBook ? AppState::bazaknjige : AppState::bazaskladista);
        picker->fillList(picker->m_bookPath);
    }
    Workspace::showWorkingWindow(picker, picker->frameartikli);
    if (picker->m_targetWindow)
        outerWindow(picker)->setGeometry(outerWindow(picker->m_targetWindow)->geometry());
    return picker;
}

void frmartikliizbor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    frameartikli->move((width() - frameartikli->width()) / 2, (height() - frameartikli->height()) / 2);
}

void frmartikliizbor::fillList(const QString& bookPath)
{
    try {
        m_articles->setArticles(Articles::rows(bookPath), ArticleListModel::Form::Picker);
    } catch (const DbError& e) {
        DbErrorMsgBox(e, 0);
    }
}

void frmartikliizbor::cmdtraziClick()
{
    const QString typed = txtupis->text();
    if (typed.isEmpty()) {
        txtupis->setFocus();
        return;
    }
    const int field = Optponazivu->isChecked() ? ArticleListModel::ColNaziv : ArticleListModel::ColSifra;
    const QString key = foldText(trimBlanks(typed));
    const QString contained = foldText(typed);
    std::function<bool(const QString&)> passes;
    if (optcijelinaziv->isChecked())
        passes = [&](const QString& text) { return foldText(trimBlanks(text)) == key; };
    else if (optpocinjesa->isChecked())
        passes = [&](const QString& text) { return foldText(trimBlanks(text)).startsWith(key); };
    else
        passes = [&](const QString& text) { return foldText(text).contains(contained); };

    // The rows found are selected in one go, a range for each run of neighbours: selecting them one by one costs the
    // square of their number, and so does replacing a large selection by them (the view compares every old range with
    // every new one), so the old selection goes first.
    QItemSelection found;
    const int rows = m_articles->rowCount();
    int runStart = -1;
    for (int i = 0; i <= rows; ++i) {
        const bool pass = i < rows && passes(m_articles->text(i, field));
        if (pass && runStart < 0) {
            runStart = i;
        } else if (!pass && runStart >= 0) {
            found.append(QItemSelectionRange(m_articles->index(runStart, 0),
                                             m_articles->index(i - 1, ArticleListModel::ColumnCount - 1)));
            runStart = -1;
        }
    }
    lsvsviartikli->clearSelection();
    lsvsviartikli->selectionModel()->select(found, QItemSelectionModel::Select);
    if (found.isEmpty())
        HrMsgBox(QStringLiteral("Nema traženog upisa"), 32, QStringLiteral("Nema traženog upisa"));
}

void frmartikliizbor::cmdodabirClick()
{
    const QVector<int> selected = selectedPositions(lsvsviartikli);
    if (selected.size() != 1) {
        HrMsgBox(QStringLiteral("Selektirajte samo jedan artikl ili nema selektiranog artikla"), 32,
                 QStringLiteral("Selekcija artikla"));
        return;
    }
    const bool knownMode =
        m_mode == AppState::ModeReceipt || m_mode == AppState::ModeIssue || m_mode == AppState::ModeProduction;
    if (!knownMode) {
        PlainMsgBox(m_mode);
        return;
    }
    QPointer<QWidget> owner = m_targetWindow;
    if (m_target && owner)
        handBack(selected.first());
    closeWindow(this);
    // The opener is in front again, with the focus where the hand-back put it.
    if (owner)
        activateWorkingWindow(owner);
}

// The chosen row names its article by id: read that article, so the line gets exactly the article shown.
void frmartikliizbor::handBack(int position)
{
    PickedArticle picked;
    picked.sifra = m_articles->text(position, ArticleListModel::ColSifra);
    picked.naziv = m_articles->text(position, ArticleListModel::ColNaziv);
    try {
        picked.stored = StockDocs::articleById(m_bookPath, m_articles->article(position).id);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
    }
    if (picked.stored)
        picked.available = AvailableQuantityRule(QString::number(picked.stored->id), picked.stored->stanje,
                                                 m_target->pendingQuantities());
    m_target->takePickedArticle(picked);
}
