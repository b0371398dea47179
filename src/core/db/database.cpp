#include "database.h"

#include "bookschema.h"

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

#include <algorithm>
#include <atomic>
#include <memory>
#include <numeric>
#include <vector>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace {

// How long a statement waits for another copy of the program to finish its transaction.
constexpr int BusyTimeoutMs = 5000;

QString errorText(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return text;
}

// A failed statement on the file at path.
DbError statementError(const QString& path, const QSqlError& error)
{
    return DbError::engine(path, error.nativeErrorCode().toInt(), errorText(error));
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
    return compareHr(sa, sb); // names equal but for case compare equal: "collate hr, id" lets the id decide
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

DbError DbError::engine(const QString& path, int code, const QString& engineText)
{
    DbErrorKind kind = DbErrorKind::Statement;
    QString sentence;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        kind = DbErrorKind::Busy;
        sentence = QStringLiteral("Baza %1 je zauzeta: u nju upravo upisuje druga kopija programa. Pokušajte ponovo.");
        break;
    case SQLITE_FULL:
        sentence = QStringLiteral("Na disku nema mjesta za upis u bazu %1.");
        break;
    case SQLITE_READONLY:
        sentence = QStringLiteral("U bazu %1 se ne može upisivati: datoteka ili njezina mapa je samo za čitanje.");
        break;
    case SQLITE_NOTADB:
        kind = DbErrorKind::NotADatabase;
        sentence = QStringLiteral("Datoteka %1 nije baza podataka.");
        break;
    case SQLITE_CORRUPT:
        kind = DbErrorKind::NotADatabase;
        sentence = QStringLiteral("Datoteka %1 je oštećena: baza podataka u njoj nije ispravna.");
        break;
    case SQLITE_CANTOPEN:
        sentence = QStringLiteral("Datoteka %1 se ne može otvoriti.");
        break;
    default:
        if (engineText.startsWith(QLatin1String("no such table")))
            sentence = QStringLiteral("Datoteka %1 nema tablicu koju program treba: prazna je, oštećena ili je baza "
                                      "druge vrste.");
        break;
    }
    DbError error(kind, sentence.isEmpty() ? engineText
                                           : sentence.arg(path) + QStringLiteral(" (") + engineText + QLatin1Char(')'));
    error.m_engineCode = code;
    error.m_engineText = engineText;
    return error;
}

DbError DbError::about(const QString& path) const
{
    return m_engineText.isEmpty() ? *this : engine(path, m_engineCode, m_engineText);
}

namespace {

// The file's URI for SQLite: "rw" opens an existing file only, "rwc" may create it.
QString fileUri(const QString& path, bool create)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
}

// A connection of the engine alone, outside the driver, to an existing file; nothing when it cannot be opened.
// Closing it keeps the locks other connections of this process hold on the file.
using EngineConnection = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
EngineConnection openEngineConnection(const QString& path)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(fileUri(path, false).toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(handle);
        handle = nullptr;
    }
    return EngineConnection(handle, sqlite3_close);
}

// A book left in WAL mode by another program that cannot be written here, or whose folder cannot take the "-wal" and
// "-shm" files, cannot be switched back to the rollback journal, and reading it would make the engine create those
// files beside it or fail: it is refused before its schema is read. The mode is in the file header's version bytes
// (2 for WAL). The header is read through the engine's own file: closing a descriptor of our own on the file would
// release every lock this process holds on it.
void refuseUnwritableWal(sqlite3* handle, const QString& path)
{
    sqlite3_file* file = nullptr;
    if (!handle || sqlite3_file_control(handle, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return; // the engine tells why
    char header[20];
    if (file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK)
        return; // shorter than a header: no database in WAL mode
    const bool wal = QByteArray::fromRawData(header, 16) == QByteArray("SQLite format 3", 16) &&
                     (header[18] == 2 || header[19] == 2);
    if (!wal)
        return;
    QString reason;
    if (sqlite3_db_readonly(handle, "main") == 1)
        reason = QStringLiteral("datoteka je samo za čitanje");
    else if (::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) != 0)
        reason = QStringLiteral("njezina mapa je samo za čitanje");
    if (!reason.isEmpty())
        throw DbError(DbErrorKind::Statement,
                      QStringLiteral("Baza %1 se ne može otvoriti: %2, a njezin dnevnik izmjena (WAL) ne može se "
                                     "isključiti.")
                          .arg(path, reason));
}

} // namespace

Database::Database(QString path, QString connectionName, bool create)
    : m_path(std::move(path)), m_connectionName(std::move(connectionName))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(fileUri(m_path, create));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!m_db.open()) {
        const DbError error = statementError(m_path, m_db.lastError());
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        m_connectionName.clear();
        throw DbError(create ? DbErrorKind::CannotCreate : DbErrorKind::FileNotFound, error.description());
    }
    registerFunctions(m_db);
}

Database Database::open(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw DbError(DbErrorKind::FileNotFound, QStringLiteral("Datoteka %1 ne postoji.").arg(path));
    Database db(path, nextConnectionName(), false);
    refuseUnwritableWal(nativeHandle(db.m_db), path);
    // The first statement reads the schema: it finds a file that holds no database (or one another copy holds, or
    // one that cannot be read), and it gives a book made by an earlier version the indexes of a new one (one
    // statement, as opening is part of every handler).
    UpgradeBookIndexes(db);
    db.keepRollbackJournal(QStringLiteral("main"), path);
    return db;
}

// Every book keeps the rollback journal, written through to the disk: only with it is a commit across attached books
// all or nothing (in WAL mode each file commits on its own). A file left in another mode is switched back.
void Database::keepRollbackJournal(const QString& schema, const QString& path)
{
    QSqlQuery mode = runOn(path, QStringLiteral("pragma %1.journal_mode = delete").arg(schema), {});
    if (!mode.next() || mode.value(0).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw DbError(DbErrorKind::Statement, QStringLiteral("U bazu %1 se ne može sigurno upisivati: njezin dnevnik "
                                                             "izmjena (WAL) ne može se isključiti.")
                                                  .arg(path));
    mode.finish();
    runOn(path, QStringLiteral("pragma %1.synchronous = full").arg(schema), {});
}

void Database::runWithoutWaiting(const std::function<void()>& work)
{
    sqlite3* handle = nativeHandle(m_db);
    if (handle)
        sqlite3_busy_timeout(handle, 0);
    try {
        work();
    } catch (...) {
        if (handle)
            sqlite3_busy_timeout(handle, BusyTimeoutMs);
        throw;
    }
    if (handle)
        sqlite3_busy_timeout(handle, BusyTimeoutMs);
}

void Database::attach(const QString& path, const QString& schema)
{
    if (!QFileInfo(path).isFile())
        throw DbError(DbErrorKind::FileNotFound, QStringLiteral("Datoteka %1 ne postoji.").arg(path));
    // The connection reads file names as URIs, so an attached file is opened the same way. Attaching reads the
    // file's schema: a file that is no database, is damaged or is held by another copy is told by its own name.
    refuseUnwritableWal(openEngineConnection(path).get(), path);
    runOn(path, QStringLiteral("attach database ? as %1").arg(schema), {fileUri(path, false)});
    keepRollbackJournal(schema, path);
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
    return runOn(m_path, sql, values);
}

QSqlQuery Database::runOn(const QString& path, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw statementError(path, query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw statementError(path, query.lastError());
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

namespace {

// The engine's last error on the handle.
DbError statementError(const QString& path, sqlite3* handle)
{
    return DbError::engine(path, sqlite3_extended_errcode(handle),
                           QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(handle))));
}

// Whether the driver would bind the value as null (a null text or date counts, as in QSqlQuery).
bool isNullValue(const QVariant& v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(v.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(v.constData())->isNull();
    default:
        return false;
    }
}

int bindValue(sqlite3_stmt* statement, int index, const QVariant& v)
{
    if (isNullValue(v))
        return sqlite3_bind_null(statement, index);
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlite3_bind_int64(statement, index, v.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, qint64(v.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray* bytes = static_cast<const QByteArray*>(v.constData());
        return sqlite3_bind_blob(statement, index, bytes->constData(), int(bytes->size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QString: {
        const QString* text = static_cast<const QString*>(v.constData());
        return sqlite3_bind_text16(statement, index, text->utf16(), int(text->size() * 2), SQLITE_TRANSIENT);
    }
    default: {
        const QString text = v.toString();
        return sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

PreparedQuery::PreparedQuery(Database& db, const QString& sql)
    : m_path(db.path()), m_handle(nativeHandle(db.connection()))
{
    if (!m_handle)
        throw DbError(DbErrorKind::Statement, QStringLiteral("Baza nije otvorena."));
    if (sqlite3_prepare16_v2(m_handle, sql.utf16(), int(sql.size() * 2), &m_statement, nullptr) != SQLITE_OK) {
        const DbError error = statementError(m_path, m_handle);
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        throw error;
    }
}

PreparedQuery::~PreparedQuery()
{
    sqlite3_finalize(m_statement);
}

bool PreparedQuery::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    // Done or failed: the statement holds no lock past this point.
    const int reset = sqlite3_reset(m_statement);
    if (rc != SQLITE_DONE || reset != SQLITE_OK)
        throw statementError(m_path, m_handle);
    return false;
}

void PreparedQuery::exec(std::initializer_list<QVariant> values)
{
    run(values.begin(), qsizetype(values.size()));
}

void PreparedQuery::exec(const QVariantList& values)
{
    run(values.constData(), values.size());
}

void PreparedQuery::run(const QVariant* values, qsizetype count)
{
    sqlite3_reset(m_statement);
    m_rowPending = m_onRow = false;
    if (count != sqlite3_bind_parameter_count(m_statement))
        throw DbError(DbErrorKind::Statement, QStringLiteral("Broj vrijednosti ne odgovara naredbi."));
    for (qsizetype i = 0; i < count; ++i) {
        if (bindValue(m_statement, int(i + 1), values[i]) != SQLITE_OK)
            throw statementError(m_path, m_handle);
    }
    m_rowPending = step();
    m_lastInsertId = sqlite3_last_insert_rowid(m_handle);
}

bool PreparedQuery::next()
{
    if (m_rowPending) {
        m_rowPending = false;
        m_onRow = true;
    } else {
        m_onRow = m_onRow && step();
    }
    return m_onRow;
}

QVariant PreparedQuery::value(int index) const
{
    if (!m_onRow)
        return QVariant();
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_statement, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, index));
    case SQLITE_TEXT: {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, index));
        return QVariant(QString::fromUtf16(text, sqlite3_column_bytes16(m_statement, index) / 2));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, index));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(m_statement, index)));
    }
    default:
        return QVariant();
    }
}

qint64 PreparedQuery::integer(int index) const
{
    return m_onRow ? sqlite3_column_int64(m_statement, index) : 0;
}

double PreparedQuery::real(int index) const
{
    return m_onRow ? sqlite3_column_double(m_statement, index) : 0.0;
}

QString PreparedQuery::text(int index) const
{
    if (!m_onRow)
        return QString();
    // The book keeps its texts in UTF-8: one conversion, straight into the QString.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_statement, index)) : QString();
}

bool PreparedQuery::isNull(int index) const
{
    return !m_onRow || sqlite3_column_type(m_statement, index) == SQLITE_NULL;
}

QByteArrayView PreparedQuery::utf8(int index) const
{
    if (!m_onRow)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    return text ? QByteArrayView(text, sqlite3_column_bytes(m_statement, index)) : QByteArrayView();
}

void PreparedQuery::finish()
{
    sqlite3_reset(m_statement);
    m_rowPending = m_onRow = false;
}

Transaction::Transaction(Database& db, Kind kind) : m_db(db)
{
    // Immediate: the write lock is taken at once, so a second copy waits here through the busy timeout. A deferred
    // transaction that reads first cannot wait for the write lock later and fails with "database is locked".
    QSqlQuery begin(m_db.m_db);
    if (!begin.exec(kind == Write ? QStringLiteral("begin immediate") : QStringLiteral("begin")))
        throw statementError(m_db.path(), begin.lastError());
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.m_db.rollback();
}

void Transaction::commit()
{
    // Run as a statement: the driver's own commit keeps the engine's text but not its code, which the message needs.
    QSqlQuery commit(m_db.m_db);
    if (!commit.exec(QStringLiteral("commit"))) {
        const DbError error = statementError(m_db.path(), commit.lastError());
        m_db.m_db.rollback();
        m_done = true;
        throw error;
    }
    m_done = true;
}

QString fileHeldElsewhere(const QStringList& paths)
{
    // A lock taken at once or not at all: "immediate" is refused while another connection writes the file,
    // "exclusive" while one reads it too. Closing the connection ends its transaction.
    for (const char* begin : {"begin immediate", "begin exclusive"}) {
        for (const QString& path : paths) {
            const EngineConnection handle = openEngineConnection(path);
            if (handle && (sqlite3_exec(handle.get(), begin, nullptr, nullptr, nullptr) & 0xff) == SQLITE_BUSY)
                return path;
        }
    }
    return QString();
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

QList<int> orderHr(const QStringList& names)
{
    // Each name's key is made once; comparing two keys is a plain comparison of bytes.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const QString& name : names)
        keys.push_back(hrSortKey(name));
    QList<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    return order;
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
