#pragma once

#include <QByteArrayView>
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
struct sqlite3_stmt;

enum class DbErrorKind
{
    AlreadyExists, // creating a file that is there (the old engine's error 3204)
    FileNotFound,  // opening a file that is not there
    NotADatabase,  // the file is there but holds no database of ours, or a damaged one
    Busy,          // another copy of the program holds the file
    CannotCreate,  // the folder cannot be written, or building the new file failed
    Statement,     // a statement failed
    FileSystem     // a file could not be removed or renamed
};

// An error of the data layer; description() is the text shown to the user.
class DbError : public std::exception
{
public:
    DbError(DbErrorKind kind, QString description);
    // The engine's error (its result code and text) on the file at path, told in Croatian naming the file where the
    // engine's reason is one a user can act on; the engine's own text follows.
    static DbError engine(const QString& path, int code, const QString& engineText);
    // The same engine error told of another file: a book attached to the connection the statement ran on.
    DbError about(const QString& path) const;
    DbErrorKind kind() const { return m_kind; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    DbErrorKind m_kind;
    QString m_description;
    QByteArray m_what;
    int m_engineCode = 0;
    QString m_engineText;
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
    // Outside a transaction only. Attach in one fixed order: a write transaction locks the files in the order they
    // were attached. Throws DbError naming that file.
    void attach(const QString& path, const QString& schema);
    // The first column of the first row, or an invalid variant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {});

    QSqlDatabase& connection() { return m_db; }
    // The engine's own handle of the connection, for reading many rows without wrapping each value;
    // nothing when the driver is not SQLite's.
    sqlite3* sqliteHandle();

    // Runs work with statements that fail at once, instead of waiting, when another copy of the program holds the
    // file (for work that can as well be done another time).
    void runWithoutWaiting(const std::function<void()>& work);

private:
    friend class Transaction;
    friend void createDatabase(const QString&, const std::function<void(Database&)>&);
    Database(QString path, QString connectionName, bool create);
    QSqlQuery run(const QString& sql, const QVariantList& values);
    // run() whose failure is told of the file at path.
    QSqlQuery runOn(const QString& path, const QString& sql, const QVariantList& values);
    void keepRollbackJournal(const QString& schema, const QString& path);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
};

// One statement prepared once and run again with new bound values (a loop of reads, inserts or updates).
// It runs on the engine's own statement, without the per-run cost of QSqlQuery, so a posting of many lines is not
// slowed by the layer. Throws DbError on failure, like Database. It must not outlive its Database.
class PreparedQuery
{
public:
    PreparedQuery(Database& db, const QString& sql);
    ~PreparedQuery();
    PreparedQuery(const PreparedQuery&) = delete;
    PreparedQuery& operator=(const PreparedQuery&) = delete;

    // Binds the values in order and runs the statement up to its first row.
    void exec(std::initializer_list<QVariant> values);
    void exec(const QVariantList& values);
    // Moves to the next row (the first after exec); false after the last.
    bool next();
    // A column of the current row: integer, real, text, blob, or a null variant.
    QVariant value(int index) const;
    // The same column read straight as a number or a text (null as 0 or a null text), for loops over many rows.
    qint64 integer(int index) const;
    double real(int index) const;
    QString text(int index) const;
    bool isNull(int index) const;
    // A text column's UTF-8 bytes as the engine holds them, valid until the next row.
    QByteArrayView utf8(int index) const;
    qint64 lastInsertId() const { return m_lastInsertId; }
    // Releases the result of a select that was not read to its end.
    void finish();

private:
    void run(const QVariant* values, qsizetype count);
    bool step();

    QString m_path;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_rowPending = false; // exec stepped onto a row that next() has not handed out yet
    bool m_onRow = false;
    qint64 m_lastInsertId = 0;
};

// Begins a transaction; rolls it back unless commit() was reached.
class Transaction
{
public:
    // A write takes the write lock at once; a read (a report that reads several tables as of one moment) shares
    // the book with other readers and with a writer that has not yet committed.
    enum Kind
    {
        Write,
        Read
    };
    explicit Transaction(Database& db, Kind kind = Write);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

// The first of the files that another connection keeps from being written now (one that writes it before one that
// reads it), or an empty text. A busy error of a connection with attached files does not say which file it was.
QString fileHeldElsewhere(const QStringList& paths);

// Creates a new database file at path and lets build() lay out its tables and rows, in one transaction.
// The file is built under a temporary name and renamed when complete, so a failure leaves nothing behind.
// Throws DbError AlreadyExists (file untouched) when the file is there, CannotCreate or Statement otherwise.
void createDatabase(const QString& path, const std::function<void(Database&)>& build);

// The text cut to at most width characters (UTF-16 units, as the entry boxes count them) for a column of that width,
// always on a character boundary: a letter with its accents, or an emoji, is kept whole or left out whole.
QString fitToWidth(const QString& text, int width);

// Text folded for case-insensitive comparison (Č Ć Đ Š Ž too); the same rule as SQL's hr_fold().
QString foldText(const QString& text);

// Compares two texts as Croatian names, without regard to letter case (<0, 0, >0); the `hr` collation's rule. Names
// that differ only in case compare equal, so that the id (or the order given) decides between them.
int compareHr(const QString& a, const QString& b);
// The same rule as a key, for sorting many names: keys compare as compareHr compares their texts.
QCollatorSortKey hrSortKey(const QString& text);
// The order of the names by the same rule (names that compare equal, such as "abc" and "ABC", as given), as indexes
// into names. Much faster than comparing the texts afresh in every step of a sort of thousands of names.
QList<int> orderHr(const QStringList& names);

// SQL fragment: column equal to the bound value, ignoring letter case, taken literally.
QString sqlEqualsIgnoringCase(const QString& column);
// SQL fragment: column begins with / contains the bound value, ignoring letter case, taken literally.
QString sqlBeginsIgnoringCase(const QString& column);
QString sqlContainsIgnoringCase(const QString& column);
// Every connection also has the collation `hr` for ordering names by compareHr: "order by ime collate hr".
