#pragma once

#include "core/reports/reviews.h"

#include <QStringList>

#include <optional>

// The text of the receipt and issue-note reviews, 83 characters wide, as lines without line ends.
namespace ReviewsText {

enum class Summary
{
    OneDocument, // the document chosen in the document box
    DateRange,   // the documents dated in a range
    Partner      // the documents of one partner
};

// A summary: its header, the rule under it and one line per document. A date range without documents gives no
// text at all (not even the header).
QStringList summary(bool receipt, Summary which, const QList<Reviews::ReviewDocument>& documents);

// The full listing of one document: its summary, the column header, one line per document line and the total.
// Without a document the summary holds its header only and the total is 0,00.
QStringList fullListing(bool receipt, const std::optional<Reviews::ReviewDocument>& document,
                        const QList<Reviews::ListingLine>& lines);

} // namespace ReviewsText
