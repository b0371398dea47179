#include "reporttext.h"

#include <utility>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

QString PadRightTo(const QString& text, int width)
{
    return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}

QString PadLeftTo(const QString& text, int width)
{
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString MoneyColumn12(Figure value)
{
    return PadLeftTo(value.text00(), 12);
}

QString MoneyColumn12(const std::optional<Figure>& value)
{
    return value ? MoneyColumn12(*value) : QString();
}

QString ReportRule(int length, QChar ch)
{
    return QString(qMax(0, length), ch);
}

QString CutTo(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    int end = qMax(0, width);
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

void JoinedReport::reserve(qsizetype characters)
{
    // A part may run a block past its size.
    m_text.reserve(qMin(characters, m_partSize + 65536));
#ifdef Q_OS_LINUX
    // A report of many megabytes is written into fresh memory: in pages of 2 MB where the system offers them, not
    // a page fault every 4 kB.
    constexpr quintptr Huge = 2 * 1024 * 1024;
    const auto start = (quintptr(m_text.data()) + Huge - 1) & ~(Huge - 1);
    const auto end = quintptr(m_text.data() + m_text.capacity()) & ~(Huge - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}

void JoinedReport::append(const QString& line)
{
    if (m_lines % LinesPerBlock == 0 && m_text.size() >= m_partSize) {
        m_parts.append(std::exchange(m_text, QString()));
        reserve(m_partSize + 65536);
    }
    if (m_lines > 0)
        m_text += m_lines % LinesPerBlock == 0 ? QChar(u'\n') : QChar(QChar::LineSeparator);
    m_text += line;
    ++m_lines;
}

QStringList JoinedReport::takeParts()
{
    if (m_lines > 0)
        m_parts.append(std::exchange(m_text, QString()));
    m_lines = 0;
    return std::exchange(m_parts, QStringList());
}
