#include "stockcard.h"

#include "core/db/database.h"
#include "core/stock/posting.h"
#include "core/text/reporttext.h"

#include <QStringBuilder>

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
        for (const auto& [bytes, text] : m_kinds)
            if (bytes == utf8)
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

// A row per line, each handed to add; the running figures move as the posting moved the article's.
template <class Add> void writeRows(Add add, const QList<StockCardLine>& lines)
{
    StockFigures running;
    int number = 0;
    for (const StockCardLine& line : lines) {
        const bool receipt = line.kind == QLatin1String("P");
        const Figure amount = Figure::multiply(line.kolicina, line.cijena);
        running = AveragePriceRule(running, line.kolicina, amount, receipt);
        const Figure zero;
        add(PadLeftTo(QString::number(++number), 4) % QLatin1String(". ") % PadRightTo(line.kind, 1) %
                   PadLeftTo(line.number ? QString::number(*line.number) : QString(), 6) %
                   figureColumn(receipt ? line.kolicina : zero, 9) % figureColumn(receipt ? line.cijena : zero, 9) %
                   figureColumn(receipt ? zero : line.kolicina, 9) % figureColumn(receipt ? zero : line.cijena, 9) %
                   figureColumn(running.stanje, 11) % figureColumn(running.vrijednost, 13) %
                   figureColumn(running.proscijena, 10));
    }
}

// The cards of several articles in order, each line handed to add.
template <class Add> void writeCards(Add add, const StockCardData& data)
{
    add(labelLine());
    add(ReportRule(ReportText::ReportWidth, u'_'));
    add(QString());
    const QList<StockCardLine> none;
    const QString end = ReportRule(ReportText::ReportWidth, u'-');
    const QString blank(ReportText::ReportWidth, u' ');
    for (const StockListRow& article : data.articles) {
        for (const QString& line : articleBlock(article))
            add(line);
        const auto found = data.lines.constFind(article.id);
        writeRows(add, found == data.lines.cend() ? none : *found);
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
    // Each article's lines are made once at their size: how many there are comes first.
    const qsizetype articles = data.articles.size();
    QHash<qint64, qsizetype> position;
    position.reserve(articles);
    for (qsizetype i = 0; i < articles; ++i)
        position.insert(data.articles[i].id, i);
    std::vector<QList<StockCardLine>> lines(static_cast<size_t>(articles));
    PreparedQuery count(db, QStringLiteral("select cast(idartikla as integer), count(*) from ulazizlaz "
                                           "group by idartikla"));
    count.exec({});
    while (count.next())
        if (const auto at = position.constFind(count.integer(0)); at != position.cend())
            lines[size_t(*at)].reserve(count.integer(1));
    PreparedQuery q(db, LineColumns + QStringLiteral(" order by u.id"));
    q.exec({});
    KindTexts kinds;
    while (q.next())
        if (const auto at = position.constFind(q.integer(0)); at != position.cend())
            lines[size_t(*at)].append(lineOf(q, kinds));
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
    writeRows([&out](const QString& line) { out.append(line); }, lines);
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
    report.reserve((lines + 8 * data.articles.size()) * (ReportText::ReportWidth + 1));
    writeCards([&report](const QString& line) { report.append(line); }, data);
    return report;
}
