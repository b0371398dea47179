#pragma once

#include <QString>

// The process-wide state shared by the windows.
namespace AppState {

// The company last chosen in the company chooser (0 until a company is chosen); enters SQL as a plain integer.
extern double idizabranetvrtke;
// The open book's file name (BookFileName form), its kind, "Skladiste" or "Proizvodnja", and its company: all three
// change only when a book is entered, whatever the choosers select meanwhile.
extern QString bazaknjige;
extern QString vrstabaze;
extern qint64 openBookCompany;
// The warehouse book a production book takes its components from.
extern QString bazaskladista;
// The document the article and partner windows work for: one of the modes below.
extern QString vrstadokumenta;
inline const QString ModeReceipt = QStringLiteral("Primka");
inline const QString ModeIssue = QStringLiteral("Izdatnica");
inline const QString ModeProduction = QStringLiteral("proizvodnja");
// The articles or partners window was opened from the stock-document window.
extern bool izprimke;

// The company id as the integer text that enters SQL and the registry's idtvrtke column ("7").
QString companyIdText();

// Back to the state of a fresh start (tests).
void reset();

} // namespace AppState
