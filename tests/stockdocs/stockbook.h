#pragma once

#include "core/text/figure.h"
#include "support/fixture.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <optional>

class QComboBox;
class QWidget;

namespace stocktest {

// A fresh program folder with the warehouse book "Skladiste1.mdb" open (bazaknjige), and a main-window stand-in
// that shows working windows top-level and records what happens to the warehouse menus.
class StockBook
{
public:
    StockBook();
    ~StockBook();
    QString path() const;

    qint64 addArticle(const QString& sifra, const QString& naziv, const QString& stanje = "0",
                      const QString& proscijena = "0");
    qint64 addPartner(const QString& kind, const QString& name);
    qint64 addDocumentKind(const QString& name);
    void addHeaders(const QString& kindLetter, int count);
    void exec(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // stanje, vrijednost and proscijena of an article as short texts ("20", "1,5").
    QStringList figures(qint64 articleId);

    // The warehouse menus as the main window would have them (true = enabled).
    bool menusEnabled() const { return m_menusEnabled; }

private:
    knjtest::ProgramFolderFixture m_folder;
    bool m_menusEnabled = true;
};

// The shared helpers under the names these tests use.
inline void choose(QComboBox* combo, const QString& text)
{
    knjtest::chooseEntry(combo, text);
}
using knjtest::typeInto;

} // namespace stocktest
