#include "menuwindows.h"

#include "journal/frmpregleddnevnika.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmunos.h"
#include "products/frmproizvodi.h"
#include "reviews/documentreview.h"
#include "stockdocs/frmPrimka.h"
#include "stockreports/frmPregledart.h"
#include "stockreports/frmpregledkupacadobavljaca.h"
#include "workorders/frmrn.h"

#include <QHash>

namespace {

using Table = QHash<QString, MenuWindows::Opener>;

// The program's working windows, one line each: menu item's objectName -> what opens its window.
// Items: mnuArtikala, mnuPrimki, mnuIzdatnica, mnuKupaca (warehouse entry); mnuArtikala1, mnuPrimki1,
// mnuIzdatnica1, mnuKupaca1, mnuDnevnika1 (warehouse reviews); mnuproizvodi, mnuradninalozi (production).
void registerProgramWindows(Table& table)
{
    table[QStringLiteral("mnuArtikala")] = [] { frmartikli::openFromMenu(); };
    table[QStringLiteral("mnuKupaca")] = [] { frmunos::openFromMenu(); };
    table[QStringLiteral("mnuPrimki")] = [] { frmPrimka::openFromMenu(AppState::ModeReceipt); };
    table[QStringLiteral("mnuIzdatnica")] = [] { frmPrimka::openFromMenu(AppState::ModeIssue); };
    table[QStringLiteral("mnuArtikala1")] = [] { frmPregledart::openFromMenu(); };
    table[QStringLiteral("mnuKupaca1")] = [] { frmpregledkupacadobavljaca::openFromMenu(); };
    table[QStringLiteral("mnuPrimki1")] = [] { frmpregledprimki::openFromMenu(); };
    table[QStringLiteral("mnuIzdatnica1")] = [] { frmpregledizdatnice::openFromMenu(); };
    table[QStringLiteral("mnuDnevnika1")] = [] { frmpregleddnevnika::openFromMenu(); };
    table[QStringLiteral("mnuproizvodi")] = [] { frmproizvodi::openFromMenu(); };
    table[QStringLiteral("mnuradninalozi")] = [] { frmrn::openFromMenu(); };
}

Table& table()
{
    static Table t = [] {
        Table fresh;
        registerProgramWindows(fresh);
        return fresh;
    }();
    return t;
}

} // namespace

namespace MenuWindows {

Opener opener(const QString& actionName)
{
    return table().value(actionName);
}

void setOpener(const QString& actionName, Opener opener)
{
    if (opener)
        table().insert(actionName, std::move(opener));
    else
        table().remove(actionName);
}

void reset()
{
    table().clear();
    registerProgramWindows(table());
}

} // namespace MenuWindows
