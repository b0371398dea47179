#pragma once

#include <QString>

#include <functional>
#include <vector>

// The size of a benchmark book.
struct BenchBookSize
{
    int articles = 20000;
    int partners = 2000;
    int documents = 20000;
    int linesPerDocument = 25; // 500 000 lines
};

// Builds a warehouse book of that size at path through the real posting: 60 % receipts, and issue notes that take
// only stock the book holds, so every posting is valid. Returns an empty text when done; otherwise what went wrong
// (a refused or failed posting), and path is removed.
QString buildBenchBook(const QString& path, const BenchBookSize& size, bool showProgress = false);

// The path of a cached warehouse book of the default size, built on first use and reused afterwards; empty, with
// the reason on standard error, when it cannot be built.
QString bigWarehouseBook();
// The same for a book of 100 000 documents of 5 lines (the review summaries of a year).
QString manyDocumentsBook();

// The median time of reading every row of the statements through SQLite's C API on one read-only connection, each
// value taken once as the loader takes it: the floor a loader of the same rows is measured against.
double bareReadMs(const QString& book, const QList<QByteArray>& statements, int runs);

// The process's peak resident memory so far, in kB (getrusage).
long peakMemoryKb();
// A figure of the process's memory status in kB: "VmRSS:" now, "VmHWM:" the peak since the last reset; 0 unknown.
qint64 memoryStatusKb(const char* key);
// Resets the peak of the resident memory (VmHWM) to what the process holds now; false where it cannot.
bool resetPeakMemory();

// The median of the values (of the middle two when their number is even); 0 when there are none.
double median(std::vector<double> values);
// The median of runs of f, in milliseconds.
double medianMs(int runs, const std::function<void()>& f);
// Runs f once; adds its wall-clock and its thread's processor milliseconds to the lists.
void measureOnce(std::vector<double>& wallMs, std::vector<double>& cpuMs, const std::function<void()>& f);
