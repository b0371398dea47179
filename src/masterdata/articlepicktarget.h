#pragma once

#include "core/text/figure.h"
#include "core/stock/stockdocs.h"

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// The article the picker hands back: the chosen row's code and name, the article as the book now holds it
// (nothing when it is gone), and the quantity still available after the opener's pending lines.
struct PickedArticle
{
    QString sifra;
    QString naziv;
    std::optional<StockDocs::ArticleStock> stored;
    Figure available;
};

// A window that opens the article picker and takes the chosen article: the stock-document window and the
// products window of a production book.
class ArticlePickTarget
{
public:
    virtual ~ArticlePickTarget() = default;
    // The window the picker covers while it is open.
    virtual QWidget* pickerOwner() = 0;
    // The warehouse book whose articles are offered.
    virtual QString pickerBookPath() const = 0;
    // The pending lines, for the quantity still available.
    virtual QList<PendingQuantity> pendingQuantities() const = 0;
    // Shows the chosen article in the line-entry boxes and puts the focus into the quantity box.
    virtual void takePickedArticle(const PickedArticle& article) = 0;
};
