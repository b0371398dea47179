#include "stockdoclink.h"

namespace {
StockDocumentLink::Receiver& receiver()
{
    static StockDocumentLink::Receiver r;
    return r;
}
} // namespace

namespace StockDocumentLink {

void setReceiver(Receiver r)
{
    receiver() = std::move(r);
}

void clearReceiver()
{
    receiver() = Receiver();
}

bool hasReceiver()
{
    return bool(receiver().showArticles) || bool(receiver().refillArticlePickers) ||
           bool(receiver().refillPartnerPicker);
}

void showArticles(const QList<StockDocs::ArticleChoice>& articles)
{
    if (receiver().showArticles)
        receiver().showArticles(articles);
}

void refillArticlePickers()
{
    if (receiver().refillArticlePickers)
        receiver().refillArticlePickers();
}

void refillPartnerPicker(const QString& mode, PartnerRefill step)
{
    if (receiver().refillPartnerPicker)
        receiver().refillPartnerPicker(mode, step);
}

} // namespace StockDocumentLink
