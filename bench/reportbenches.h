#pragma once

#include <QString>

// Timings of the reports on the book at bookPath, printed to standard output.
void benchStockReports(const QString& bookPath);
void benchReviews(const QString& bookPath);
void benchJournal(const QString& bookPath);
