#pragma once

#include <QDate>
#include <QString>

// Every date the program writes or reads as text goes through here.
namespace DateText {

// The program's short date, "dd.MM.yyyy", whatever the desktop's locale says.
inline constexpr const char* ShortFormat = "dd.MM.yyyy";
// Date pickers of the journal, stock documents and work orders.
inline constexpr const char* PickerFormatYmd = "yyyy.MM.dd";
// Date pickers of the document reviews.
inline constexpr const char* PickerFormatDmy = "dd.MM.yyyy";

QString toShort(const QDate& date);     // "09.12.2026"
QDate fromShort(const QString& text);   // invalid date when the text is not "dd.MM.yyyy"
QString toShortYear(const QDate& date); // "09.12.26"
QString toIso(const QDate& date);       // storage form "2026-12-09"
QDate fromIso(const QString& text);

} // namespace DateText
