#pragma once

#include "common/hrmsgbox.h"
#include "common/printing.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <memory>

class QWidget;
class QAction;
class QComboBox;
class QTreeView;
class QTreeWidget;

namespace knjtest {

// A fresh, empty program folder for one test case; the process-wide state starts afresh too.
// Closing it deletes every window still open.
class ProgramFolderFixture
{
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// Makes a file or a folder read-only for this process while it lives, also for root (through the immutable attribute).
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    bool isReadOnly() const;

private:
    QString m_path;
    bool m_immutable = false;
};

// Runs "begin immediate" on the file in another process (this test program started again), without waiting, and
// returns the engine's result code: SQLITE_BUSY (5) while a connection holds the file for writing.
int beginWriteInAnotherProcess(const QString& path);

// Answers message boxes in place of a person and records every box shown.
// A box for which no answer is queued is answered with its escape button and counted as unexpected.
class MsgBoxScript
{
public:
    MsgBoxScript();
    ~MsgBoxScript();
    MsgBoxScript& answer(int button);
    const QList<MsgRequest>& calls() const { return m_calls; }
    // The last box shown; with none shown the test fails and an empty request comes back.
    const MsgRequest& last() const;
    int unanswered() const { return m_unanswered; }
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear();

private:
    std::deque<int> m_answers;
    QList<MsgRequest> m_calls;
    int m_unanswered = 0;
};

// Prints into a PDF file of the test's folder and records the printed text page by page.
class PrintRecorder
{
public:
    explicit PrintRecorder(const QString& pdfPath);
    ~PrintRecorder();
    const Printing::PrintedPages& pages() const { return m_pages; }
    // All printed lines of all pages, in order.
    QStringList lines() const;
    int jobs() const { return m_jobs; }

private:
    Printing::PrintedPages m_pages;
    int m_jobs = 0;
};

// Printing as on a machine without a default printer.
class NoPrinter
{
public:
    NoPrinter();
    ~NoPrinter();
};

// The texts of one row of a list, column by column; a missing row fails the test and gives an empty list.
QStringList rowTexts(const QTreeWidget* list, int row);
// Clicks the header of a list's column.
void clickHeader(QTreeView* list, int column);

// Types text into the focused child of a widget with key events that carry the text (Croatian letters too).
void typeText(QWidget* widget, const QString& text);

// Chooses the entry of a combo box as a click on it would; fails the test when there is no such entry.
void chooseEntry(QComboBox* combo, const QString& text);
// Whether a drop-down's rows are all one height, so that its list opens without laying out every row.
bool hasUniformRows(const QComboBox* combo);
// Puts the focus into the box and types the text as a person would.
void typeInto(QWidget* box, const QString& text);

// Finds a named widget or action below root; fails the test when it is missing.
template <class T> T* find(QObject* root, const QString& name);

// Triggers the menu action of that name below root.
void triggerAction(QObject* root, const QString& name);

// Closes every popup and deletes every window (between test cases).
void closeAllWindows();

// Adds an article to a warehouse book with its stock, its average price and the value they give; returns its id.
qint64 insertArticle(const QString& bookPath, const QString& sifra, const QString& naziv, const QString& stanje,
                     const QString& proscijena);

} // namespace knjtest

#include <QObject>
#include <QTest>

template <class T> T* knjtest::find(QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        qWarning("knjtest::find: no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}
