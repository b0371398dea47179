#pragma once

#include <QString>

// The report benchmarks, each timing its reports on the big book at path.
void benchStockReports(const QString& book);
void benchReviews(const QString& book);
void benchJournal(const QString& book);
