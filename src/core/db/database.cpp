#include "database.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QTextBoundaryFinder>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

#include <atomic>

#include <cerrno>
#include <signal.h>

namespace {

QString errorText(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return text;
}

// A failed statement on the file at path, told in Croatian where the engine's reason is one a user can act on;
// the engine's own text follows.
DbError statementError(const QString& path, const QSqlError& error)
{
    const QString text = errorText(error);
    QString sentence;
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        sentence = QStringLiteral("Baza %1 je zauzeta: u nju upravo upisuje druga kopija programa. Pokušajte ponovo.");
        break;
    case SQLITE_FULL:
        sentence = QStringLiteral("Na disku nema mjesta za upis u bazu %1.");
        break;
    case SQLITE_READONLY:
        sentence = QStringLiteral("U bazu %1 se ne može upisivati: datoteka ili njezina mapa je samo za čitanje.");
        break;
    case SQLITE_NOTADB:
        sentence = QStringLiteral("Datoteka %1 nije baza podataka.");
        break;
    default:
        if (text.startsWith(QLatin1String("no such table")))
            sentence = QStringLiteral("Datoteka %1 nema tablicu koju program treba: prazna je, oštećena ili je baza "
                                      "druge vrste.");
        break;
    }
    if (sentence.isEmpty())
        return DbError(DbErrorKind::Statement, text);
    return DbError(DbErrorKind::Statement, sentence.arg(path) + QStringLiteral(" (") + text + QLatin1Char(')'));
}

sqlite3* nativeHandle(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(v.constData());
    return nullptr;
}

QString argText(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char16_t*>(sqlite3_value_text16(value));
    const int bytes = sqlite3_value_bytes16(value);
    return QString::fromUtf16(text, bytes / 2);
}

void foldFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString folded = foldText(argText(argv[0]));
    sqlite3_result_text16(context, folded.utf16(), int(folded.size() * 2), SQLITE_TRANSIENT);
}

void beginsFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    sqlite3_result_int(context, foldText(argText(argv[0])).startsWith(foldText(argText(argv[1]))) ? 1 : 0);
}

void containsFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    sqlite3_result_int(context, foldText(argText(argv[0])).contains(foldText(argText(argv[1]))) ? 1 : 0);
}

int collateHr(void*, int lenA, const void* a, int lenB, const void* b)
{
    const QString sa = QString::fromUtf16(static_cast<const char16_t*>(a), lenA / 2);
    const QString sb = QString::fromUtf16(static_cast<const char16_t*>(b), lenB / 2);
    const int r = compareHr(sa, sb);
    if (r != 0)
        return r;
    return QString::compare(sa, sb); // a total order for equal-looking names
}

void registerFunctions(QSqlDatabase& db)
{
    if (sqlite3* handle = nativeHandle(db)) {
        sqlite3_create_function(handle, "hr_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, foldFunction,
                                nullptr, nullptr);
        sqlite3_create_function(handle, "hr_begins", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, beginsFunction,
                                nullptr, nullptr);
        sqlite3_create_function(handle, "hr_contains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, containsFunction,
                                nullptr, nullptr);
        sqlite3_create_collation(handle, "hr", SQLITE_UTF16_ALIGNED, nullptr, collateHr);
    }
}

// A creation builds ".<file name>.<process id>.<random>.tmp" beside the file it makes.
QString temporaryPrefix(const QFileInfo& info)
{
    return QStringLiteral(".") + info.fileName() + QStringLiteral(".");
}

bool processIsGone(qint64 pid)
{
    return pid > 0 && pid != QCoreApplication::applicationPid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files (and their journals) of earlier creations of the file whose process is gone.
void removeKilledCreations(const QFileInfo& info)
{
    const QString prefix = temporaryPrefix(info);
    QDir folder(info.absolutePath());
    const QStringList names =
        folder.entryList({prefix + QStringLiteral("*.tmp"), prefix + QStringLiteral("*.tmp-journal")},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool number = false;
        const qint64 pid = name.mid(prefix.size()).section(QLatin1Char('.'), 0, 0).toLongLong(&number);
        if (number && processIsGone(pid))
            QFile::remove(folder.filePath(name));
    }
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("knj-%1").arg(++counter);
}

} // namespace

DbError::DbError(DbErrorKind kind, QString description)
    : m_kind(kind), m_description(std::move(description)), m_what(m_description.toUtf8())
{
}

namespace {

// The file's URI for SQLite: "rw" opens an existing file only, "rwc" may create it.
QString fileUri(const QString& path, bool create)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
}

} // namespace

Database::Database(QString path, QString connectionName, bool create)
    : m_path(std::move(path)), m_connectionName(std::move(connectionName))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(fileUri(m_path, create));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!m_db.open()) {
        const QString text = errorText(m_db.lastError());
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        m_connectionName.clear();
        throw DbError(create ? DbErrorKind::CannotCreate : DbErrorKind::FileNotFound,
                      QStringLiteral("Datoteka %1 se ne može otvoriti: %2").arg(m_path, text));
    }
    registerFunctions(m_db);
}

Database Database::open(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw DbError(DbErrorKind::FileNotFound, QStringLiteral("Datoteka %1 ne postoji.").arg(path));
    Database db(path, nextConnectionName(), false);
    QSqlQuery probe(db.m_db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")))
        throw DbError(DbErrorKind::NotADatabase,
                      QStringLiteral("Datoteka %1 nije baza podataka: %2").arg(path, errorText(probe.lastError())));
    return db;
}

void Database::attach(const QString& path, const QString& schema)
{
    if (!QFileInfo(path).isFile())
        throw DbError(DbErrorKind::FileNotFound, QStringLiteral("Datoteka %1 ne postoji.").arg(path));
    try {
        // The connection reads file names as URIs, so an attached file is opened the same way.
        exec(QStringLiteral("attach database ? as %1").arg(schema), {fileUri(path, false)});
    } catch (const DbError& e) {
        throw DbError(DbErrorKind::FileNotFound,
                      QStringLiteral("Datoteka %1 se ne može otvoriti: %2").arg(path, e.description()));
    }
    try {
        scalar(QStringLiteral("select count(*) from %1.sqlite_master").arg(schema));
    } catch (const DbError& e) {
        throw DbError(DbErrorKind::NotADatabase,
                      QStringLiteral("Datoteka %1 nije baza podataka: %2").arg(path, e.description()));
    }
}

Database::Database(Database&& other) noexcept
    : m_path(std::move(other.m_path)), m_connectionName(std::move(other.m_connectionName)), m_db(other.m_db)
{
    other.m_db = QSqlDatabase();
    other.m_connectionName.clear();
}

sqlite3* Database::sqliteHandle()
{
    return nativeHandle(m_db);
}

Database::~Database()
{
    if (m_connectionName.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlQuery Database::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw statementError(m_path, query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw statementError(m_path, query.lastError());
    return query;
}

void Database::exec(const QString& sql, const QVariantList& values)
{
    run(sql, values);
}

qint64 Database::insert(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(sql, values);
    return query.lastInsertId().toLongLong();
}

QList<QSqlRecord> Database::select(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(sql, values);
    QList<QSqlRecord> rows;
    while (query.next())
        rows.append(query.record());
    if (query.lastError().isValid())
        throw statementError(m_path, query.lastError());
    return rows;
}

std::optional<QSqlRecord> Database::selectFirst(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(sql, values);
    if (query.next())
        return query.record();
    return std::nullopt;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(sql, values);
    if (query.next())
        return query.value(0);
    return QVariant();
}

PreparedQuery::PreparedQuery(Database& db, const QString& sql) : m_query(db.connection()), m_path(db.path())
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw statementError(m_path, m_query.lastError());
}

void PreparedQuery::exec(std::initializer_list<QVariant> values)
{
    exec(QVariantList(values));
}

void PreparedQuery::exec(const QVariantList& values)
{
    int index = 0;
    for (const QVariant& v : values)
        m_query.bindValue(index++, v);
    if (!m_query.exec())
        throw statementError(m_path, m_query.lastError());
}

Transaction::Transaction(Database& db) : m_db(db)
{
    // Immediate: the write lock is taken at once, so a second copy waits here through the busy timeout. A deferred
    // transaction that reads first cannot wait for the write lock later and fails with "database is locked".
    QSqlQuery begin(m_db.m_db);
    if (!begin.exec(QStringLiteral("begin immediate")))
        throw statementError(m_db.path(), begin.lastError());
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.m_db.rollback();
}

void Transaction::commit()
{
    if (!m_db.m_db.commit()) {
        const DbError error = statementError(m_db.path(), m_db.m_db.lastError());
        m_db.m_db.rollback();
        m_done = true;
        throw error;
    }
    m_done = true;
}

void createDatabase(const QString& path, const std::function<void(Database&)>& build)
{
    const QFileInfo info(path);
    // Something that is not a file (a folder of that name) cannot become the database, nor be taken for one.
    if (info.exists() && !info.isFile())
        throw DbError(DbErrorKind::CannotCreate,
                      QStringLiteral("Baza %1 nije stvorena: na njezinom mjestu je mapa.").arg(path));
    if (info.exists())
        throw DbError(DbErrorKind::AlreadyExists, QStringLiteral("Datoteka %1 već postoji.").arg(path));
    removeKilledCreations(info);
    const QString temp = info.absolutePath() + QLatin1Char('/') + temporaryPrefix(info) +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('.') +
                         QUuid::createUuid().toString(QUuid::Id128).left(8) + QStringLiteral(".tmp");
    auto discard = [&temp] {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
    };
    try {
        Database db(temp, nextConnectionName(), true);
        Transaction tx(db);
        build(db);
        tx.commit();
    } catch (const DbError& e) {
        discard();
        // The temporary name means nothing to the user: the message names the file being made.
        QString reason = e.description();
        reason.replace(temp, path);
        throw DbError(e.kind() == DbErrorKind::Statement ? DbErrorKind::Statement : DbErrorKind::CannotCreate,
                      QStringLiteral("Baza %1 nije stvorena: %2").arg(path, reason));
    }
    // A journal with no database beside it was left by a writer that crashed before the file was removed; the
    // engine would replay it into the new file at its first open.
    if (!QFileInfo::exists(path))
        QFile::remove(path + QStringLiteral("-journal"));
    // QFile::rename never replaces an existing file, so a file made meanwhile by another copy stays.
    if (!QFile::rename(temp, path)) {
        discard();
        if (QFileInfo::exists(path))
            throw DbError(DbErrorKind::AlreadyExists, QStringLiteral("Datoteka %1 već postoji.").arg(path));
        throw DbError(DbErrorKind::CannotCreate, QStringLiteral("Baza %1 nije stvorena.").arg(path));
    }
}

QString fitToWidth(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(width);
    if (!characters.isAtBoundary())
        characters.toPreviousBoundary();
    return text.left(qMax(0, int(characters.position())));
}

namespace {

const QCollator& hrCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Croatian, QLocale::Croatia)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

} // namespace

int compareHr(const QString& a, const QString& b)
{
    return hrCollator().compare(a, b);
}

QCollatorSortKey hrSortKey(const QString& text)
{
    return hrCollator().sortKey(text);
}

QString foldText(const QString& text)
{
    return text.toCaseFolded();
}

QString sqlEqualsIgnoringCase(const QString& column)
{
    return QStringLiteral("hr_fold(%1) = hr_fold(?)").arg(column);
}

QString sqlBeginsIgnoringCase(const QString& column)
{
    return QStringLiteral("hr_begins(%1, ?)").arg(column);
}

QString sqlContainsIgnoringCase(const QString& column)
{
    return QStringLiteral("hr_contains(%1, ?)").arg(column);
}
