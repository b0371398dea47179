#pragma once

#include <QCollatorSortKey>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <exception>
#include <functional>
#include <initializer_list>
#include <optional>

struct sqlite3;

enum class DbErrorKind
{
    AlreadyExists, // creating a file that is there (the old engine's error 3204)
    FileNotFound,  // opening a file that is not there
    NotADatabase,  // the file is there but holds no database of ours
    CannotCreate,  // the folder cannot be written, or building the new file failed
    Statement,     // a statement failed
    FileSystem     // a file could not be removed or renamed
};

// An error of the data layer; description() is the text shown to the user.
class DbError : public std::exception
{
public:
    DbError(DbErrorKind kind, QString description);
    DbErrorKind kind() const { return m_kind; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    DbErrorKind m_kind;
    QString m_description;
    QByteArray m_what;
};

// One open connection to one database file; closed when the object goes.
// Opening never creates a file. Every value reaches SQL as a bound parameter.
class Database
{
public:
    static Database open(const QString& path);
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&&) = delete;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }

    // Runs one statement with its bound values; throws DbError on failure.
    void exec(const QString& sql, const QVariantList& values = {});
    // Runs an insert and returns the new row's id.
    qint64 insert(const QString& sql, const QVariantList& values = {});
    // Runs a query and returns all its rows (the query is finished before returning).
    QList<QSqlRecord> select(const QString& sql, const QVariantList& values = {});
    std::optional<QSqlRecord> selectFirst(const QString& sql, const QVariantList& values = {});
    // Attaches another database file under schema ("w1") for reading and writing; like open(), never creates it.
    // Outside a transaction only. Throws DbError FileNotFound or NotADatabase.
    void attach(const QString& path, const QString& schema);
    // The first column of the first row, or an invalid variant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {});

    QSqlDatabase& connection() { return m_db; }
    // The engine's own handle of the connection, for reading many rows without wrapping each value;
    // nothing when the driver is not SQLite's.
    sqlite3* sqliteHandle();

private:
    friend class Transaction;
    friend void createDatabase(const QString&, const std::function<void(Database&)>&);
    Database(QString path, QString connectionName, bool create);
    QSqlQuery run(const QString& sql, const QVariantList& values);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
};

// One statement prepared once and run again with new bound values (a loop of inserts or updates).
// Throws DbError on failure, like Database.
class PreparedQuery
{
public:
    PreparedQuery(Database& db, const QString& sql);
    // Binds the values in order and runs the statement.
    void exec(std::initializer_list<QVariant> values);
    void exec(const QVariantList& values);
    bool next() { return m_query.next(); }
    QVariant value(int index) const { return m_query.value(index); }
    qint64 lastInsertId() const { return m_query.lastInsertId().toLongLong(); }
    // Releases the result of a select that was not read to its end.
    void finish() { m_query.finish(); }

private:
    QSqlQuery m_query;
    QString m_path;
};

// Begins a transaction; rolls it back unless commit() was reached.
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

// Creates a new database file at path and lets build() lay out its tables and rows, in one transaction.
// The file is built under a temporary name and renamed when complete, so a failure leaves nothing behind.
// Throws DbError AlreadyExists (file untouched) when the file is there, CannotCreate or Statement otherwise.
void createDatabase(const QString& path, const std::function<void(Database&)>& build);

// The text cut to at most width characters (UTF-16 units, as the entry boxes count them) for a column of that width,
// always on a character boundary: a letter with its accents, or an emoji, is kept whole or left out whole.
QString fitToWidth(const QString& text, int width);

// Text folded for case-insensitive comparison (Č Ć Đ Š Ž too); the same rule as SQL's hr_fold().
QString foldText(const QString& text);

// Compares two texts as Croatian names, without regard to letter case (<0, 0, >0); the `hr` collation's rule.
int compareHr(const QString& a, const QString& b);
// The same rule as a key, for sorting many names: keys compare as compareHr compares their texts.
QCollatorSortKey hrSortKey(const QString& text);

// SQL fragment: column equal to the bound value, ignoring letter case, taken literally.
QString sqlEqualsIgnoringCase(const QString& column);
// SQL fragment: column begins with / contains the bound value, ignoring letter case, taken literally.
QString sqlBeginsIgnoringCase(const QString& column);
QString sqlContainsIgnoringCase(const QString& column);
// Every connection also has the collation `hr` for ordering names by compareHr: "order by ime collate hr".
