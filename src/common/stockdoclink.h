#pragma once

#include "core/stock/stockdocs.h"

#include <QList>
#include <QString>

#include <functional>

// How the master-data windows hand their results to the stock-document window while it is loaded.
// The stock-document window installs the receiver when it loads and clears it when it closes; with no
// receiver the calls do nothing.
namespace StockDocumentLink {

// Which step of the partners window refills the partner picker: they differ in the name shown afterwards and in
// what a mode without partners leaves.
enum class PartnerRefill
{
    AfterAccept,     // the newest partner is shown; none leaves the picker empty
    AfterClosingYes, // the oldest partner is shown; none leaves the picker empty
    OnExit,          // the newest partner is shown; none leaves the picker as it was
    AfterChange      // the partner shown stays, under its changed name; none leaves the picker empty
};

struct Receiver
{
    // The articles window's articles in the order stored: the article pickers take them, and the last becomes the
    // line's article.
    std::function<void(const QList<StockDocs::ArticleChoice>& articles)> showArticles;
    // Articles stored or changed: the article pickers afresh from the book, in name order, none shown.
    std::function<void()> refillArticlePickers;
    // New partners: refill the partner picker with the partner kinds of the given mode
    // ("Primka": suppliers D and S; any other: customers and cost places K and S).
    std::function<void(const QString& mode, PartnerRefill step)> refillPartnerPicker;
};

void setReceiver(Receiver receiver);
void clearReceiver();
bool hasReceiver();
void showArticles(const QList<StockDocs::ArticleChoice>& articles);
void refillArticlePickers();
void refillPartnerPicker(const QString& mode, PartnerRefill step);

} // namespace StockDocumentLink
