#include "frmunosdokumenta.h"

#include "common/entryfields.h"
#include "common/hrmsgbox.h"
#include "common/windowkeys.h"
#include "common/workspace.h"
#include "core/db/database.h"
#include "core/stock/stockdocs.h"
#include "stockdocs/frmPrimka.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmunosdokumenta::frmunosdokumenta()
{
    setObjectName(QStringLiteral("frmunosdokumenta"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Unos dokumenta:"));

    txtunos = new QLineEdit(this);
    txtunos->setObjectName(QStringLiteral("txtunos"));
    txtunos->setMaxLength(15);
    txtunos->setAccessibleName(QStringLiteral("Naziv novog dokumenta"));
    cmdunos = new QPushButton(QStringLiteral("&Unesi"), this);
    cmdunos->setObjectName(QStringLiteral("cmdunos"));
    cmdunos->setEnabled(false);
    cmdunos->setDefault(true);
    cmdodustani = new QPushButton(QStringLiteral("&Izlaz"), this);
    cmdodustani->setObjectName(QStringLiteral("cmdodustani"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdunos);
    buttons->addWidget(cmdodustani);
    auto* column = new QVBoxLayout(this);
    column->addWidget(txtunos);
    column->addLayout(buttons);
    setTabOrder(txtunos, cmdunos);
    setTabOrder(cmdunos, cmdodustani);
    resize(OwnSize);

    FocusFirstField(this, txtunos);
    SelectAllOnFocus({txtunos});
    EscCloses(this);
    connect(txtunos, &QLineEdit::textChanged, this,
            [this](const QString& text) { cmdunos->setEnabled(!text.isEmpty()); });
    // Enter acts as the default button.
    connect(txtunos, &QLineEdit::returnPressed, this, [this] {
        if (cmdunos->isEnabled())
            cmdunos->click();
    });
    connect(cmdunos, &QPushButton::clicked, this, &frmunosdokumenta::cmdunosClick);
    connect(cmdodustani, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

frmunosdokumenta* frmunosdokumenta::openFor(const QString& bookPath, QWidget* stockWindow)
{
    frmunosdokumenta* w = instance();
    w->m_bookPath = bookPath;
    Workspace::showWorkingWindow(w, nullptr);
    QWidget* mine = outerWindow(w);
    if (mine != w) // a child window of the main window: its frame around the window's own size
        mine->setFixedSize(OwnSize + (mine->size() - w->size()));
    if (stockWindow) {
        const QRect stock = outerWindow(stockWindow)->geometry();
        int left = int(1.8 * mine->width());
        int top = stock.top() + stock.height() - mine->height();
        // Never beyond the main window's edges, where nobody would see it.
        if (const QWidget* area = mine->parentWidget()) {
            left = qMax(0, qMin(left, area->width() - mine->width()));
            top = qMax(0, qMin(top, area->height() - mine->height()));
        }
        mine->move(left, top);
    }
    return w;
}

void frmunosdokumenta::cmdunosClick()
{
    if (HrMsgBox(QStringLiteral("Unosimo novi dokument?"), 36, QStringLiteral("Unosim dokument?")) != MsgYes)
        return;
    const QString name = txtunos->text();
    qint64 id = 0;
    try {
        id = StockDocs::addDocumentKind(m_bookPath, name);
    } catch (const DbError& e) {
        DbErrorMsgBox(e);
        return;
    }
    if (frmPrimka* receipt = frmPrimka::loaded())
        receipt->takeNewDocumentKind(id, name);
    HrMsgBox(QStringLiteral("Novi dokument unešen"), 64, QStringLiteral("Dokument unešen"));
    txtunos->clear();
    txtunos->setFocus();
}
