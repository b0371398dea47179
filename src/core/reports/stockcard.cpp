#include "stockcard.h"

#include "core/db/database.h"
#include "core/stock/posting.h"
#include "core/text/reporttext.h"

#include <QStringBuilder>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QString LineColumns = QStringLiteral("select u.idartikla, p.pi, p.brojpi, u.kolicina, u.cijena from ulazizlaz u "
                                           "left join pi p on p.id = u.idpi");

// The kind letters of the lines: one shared text for each, not a text per line.
class KindTexts
{
public:
    QString of(QByteArrayView utf8)
    {
        // Mostly one letter: compared byte by byte, without a call per line.
        for (const auto& [bytes, text] : m_kinds)
            if (std::equal(bytes.cbegin(), bytes.cend(), utf8.cbegin(), utf8.cend()))
                return text;
        m_kinds.append({utf8.toByteArray(), QString::fromUtf8(utf8)});
        return m_kinds.constLast().second;
    }

private:
    QList<std::pair<QByteArray, QString>> m_kinds;
};

StockCardLine lineOf(const PreparedQuery& q, KindTexts& kinds)
{
    StockCardLine line;
    line.kind = kinds.of(q.utf8(1));
    if (!q.isNull(2))
        line.number = q.integer(2);
    line.kolicina = Figure::fromDouble(q.real(3));
    line.cijena = Figure::fromDouble(q.real(4));
    return line;
}

// The money column's text without its blanks, that is the "0,00" form, right-aligned.
QString figureColumn(Figure value, int width)
{
    return PadLeftTo(value.text00(), width);
}

QString labelLine()
{
    return QStringLiteral("Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.");
}

// Article line, rule, the two heading lines and the rule.
QStringList articleBlock(const StockListRow& a)
{
    return {PadRightTo(a.sifra, 14) + PadRightTo(a.naziv, 40) + PadRightTo(a.barkod, 14) + PadRightTo(a.jedmjere, 6) +
                PadLeftTo(a.minkolicina ? a.minkolicina->text00() : QString(), 9),
            ReportRule(ReportText::ReportWidth, u'_'),
            QStringLiteral("R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena"),
            QString(14, u' ') + QStringLiteral("Količina Cijena   Količina Cijena   ") + QString(38, u' '),
            ReportRule(ReportText::ReportWidth, u'_')};
}

// Columns whose texts repeat over the rows of a report (row numbers, document numbers, quantities and prices), each
// made once.
class RepeatedColumns
{
public:
    QString rowNumber(qint64 n) { return cached(m_rowNumbers, n, [n] { return PadLeftTo(QString::number(n), 4); }); }
    QString documentNumber(const std::optional<qint64>& n)
    {
        return n ? cached(m_documentNumbers, *n, [&n] { return PadLeftTo(QString::number(*n), 6); }) : m_noNumber;
    }
    // A quantity or a price, nine wide.
    QString figure(Figure value)
    {
        return cached(m_figures, value.cents(), [value] { return figureColumn(value, 9); });
    }

private:
    template <class Make> static QString cached(QHash<qint64, QString>& texts, qint64 key, Make make)
    {
        auto found = texts.constFind(key);
        if (found == texts.cend())
            found = texts.insert(key, make());
        return *found;
    }
    QHash<qint64, QString> m_rowNumbers, m_documentNumbers, m_figures;
    const QString m_noNumber = PadLeftTo(QString(), 6);
};

// A row per line, each handed to add; the running figures move as the posting moved the article's.
template <class Add> void writeRows(Add add, const QList<StockCardLine>& lines, RepeatedColumns& columns)
{
    StockFigures running;
    int number = 0;
    const QString zero = columns.figure(Figure());
    for (const StockCardLine& line : lines) {
        const bool receipt = line.kind == QLatin1String("P");
        const Figure amount = Figure::multiply(line.kolicina, line.cijena);
        running = AveragePriceRule(running, line.kolicina, amount, receipt);
        const QString quantity = columns.figure(line.kolicina);
        const QString price = columns.figure(line.cijena);
        add(columns.rowNumber(++number) % QLatin1String(". ") % PadRightTo(line.kind, 1) %
            columns.documentNumber(line.number) % (receipt ? quantity : zero) % (receipt ? price : zero) %
            (receipt ? zero : quantity) % (receipt ? zero : price) % figureColumn(running.stanje, 11) %
            figureColumn(running.vrijednost, 13) % figureColumn(running.proscijena, 10));
    }
}

// The cards of several articles in order, each line handed to add.
template <class Add> void writeCards(Add add, const StockCardData& data)
{
    add(labelLine());
    add(ReportRule(ReportText::ReportWidth, u'_'));
    add(QString());
    const QList<StockCardLine> none;
    RepeatedColumns columns;
    const QString end = ReportRule(ReportText::ReportWidth, u'-');
    const QString blank(ReportText::ReportWidth, u' ');
    for (const StockListRow& article : data.articles) {
        for (const QString& line : articleBlock(article))
            add(line);
        const auto found = data.lines.constFind(article.id);
        writeRows(add, found == data.lines.cend() ? none : *found, columns);
        add(end);
        add(blank);
        add(blank);
    }
}

} // namespace

namespace StockCards {

StockCardData oneCard(const QString& book, qint64 articleId)
{
    Database db = Database::open(book);
    // The article and its lines as one moment of the book, whatever another copy of the program posts meanwhile.
    Transaction snapshot(db, Transaction::Read);
    StockCardData data;
    data.articles = StockReports::oneArticle(db, articleId);
    if (data.articles.isEmpty())
        return data;
    PreparedQuery q(db, LineColumns + QStringLiteral(" where cast(u.idartikla as integer) = ? order by u.id"));
    q.exec({articleId});
    QList<StockCardLine>& lines = data.lines[articleId];
    KindTexts kinds;
    while (q.next())
        lines.append(lineOf(q, kinds));
    return data;
}

StockCardData selectionCards(const QString& book, StockSelection which)
{
    Database db = Database::open(book);
    Transaction snapshot(db, Transaction::Read);
    StockCardData data;
    data.articles = StockReports::selection(db, which);
    if (data.articles.isEmpty())
        return data;
    // The lines come in the order they were stored, articles mixed: they are read into one array first and then
    // given to their articles, each article's list made once at its size. Appending to twenty thousand lists while
    // reading would wait for memory at every line.
    const qsizetype articles = data.articles.size();
    QHash<qint64, qsizetype> position;
    position.reserve(articles);
    for (qsizetype i = 0; i < articles; ++i)
        position.insert(data.articles[i].id, i);
    struct Read
    {
        qsizetype article;
        StockCardLine line;
    };
    std::vector<Read> read;
    read.reserve(size_t(db.scalar(QStringLiteral("select count(*) from ulazizlaz")).toLongLong()));
    std::vector<qsizetype> counts(static_cast<size_t>(articles), 0);
    PreparedQuery q(db, LineColumns + QStringLiteral(" order by u.id"));
    q.exec({});
    KindTexts kinds;
    while (q.next())
        if (const auto at = position.constFind(q.integer(0)); at != position.cend()) {
            read.push_back({*at, lineOf(q, kinds)});
            ++counts[size_t(*at)];
        }
    std::vector<QList<StockCardLine>> lines(static_cast<size_t>(articles));
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i].reserve(counts[i]);
    for (Read& r : read)
        lines[size_t(r.article)].append(std::move(r.line));
    read = {};
    data.lines.reserve(articles);
    for (qsizetype i = 0; i < articles; ++i)
        data.lines.insert(data.articles[i].id, std::move(lines[size_t(i)]));
    return data;
}

} // namespace StockCards

QStringList buildStockCard(const StockListRow& article, const QList<StockCardLine>& lines)
{
    QStringList out;
    out.reserve(lines.size() + 6);
    out << labelLine() << articleBlock(article);
    RepeatedColumns columns;
    writeRows([&out](const QString& line) { out.append(line); }, lines, columns);
    return out;
}

QStringList buildStockCards(const StockCardData& data)
{
    QStringList out;
    writeCards([&out](const QString& line) { out.append(line); }, data);
    return out;
}

JoinedReport joinStockCards(const StockCardData& data)
{
    qsizetype lines = 3;
    for (const auto& articleLines : data.lines)
        lines += articleLines.size();
    JoinedReport report;
    // Room for lines a little longer than the rule (the second heading line, long names): running out of it at the
    // end would copy the whole report.
    report.reserve((lines + 8 * data.articles.size()) * (ReportText::ReportWidth + 8));
    writeCards([&report](const QString& line) { report.append(line); }, data);
    return report;
}
