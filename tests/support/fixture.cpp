#include "fixture.h"

#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/text/figure.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace knjtest {

ProgramFolderFixture::ProgramFolderFixture()
{
    closeAllWindows();
    ProgramFolder::setPath(m_dir.path());
    AppState::reset();
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    closeAllWindows();
    ProgramFolder::setPath(QString());
    AppState::reset();
}

QString ProgramFolderFixture::filePath(const QString& name) const
{
    return m_dir.filePath(name);
}

namespace {

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// Read for everyone; a folder can be entered too.
QFile::Permissions readablePermissions(const QString& path)
{
    QFile::Permissions permissions = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (QFileInfo(path).isDir())
        permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    return permissions;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const QString& path) : m_path(path)
{
    if (::geteuid() == 0)
        m_immutable = setImmutable(path, true);
    else
        QFile::setPermissions(path, readablePermissions(path));
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_immutable)
        setImmutable(m_path, false);
    QFile::setPermissions(m_path, readablePermissions(m_path) | QFile::WriteOwner);
}

bool ReadOnlyFile::isReadOnly() const
{
    return ::access(QFile::encodeName(m_path).constData(), W_OK) != 0;
}

int beginWriteInAnotherProcess(const QString& path)
{
    return QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--begin-write"), path});
}

MsgBoxScript::MsgBoxScript()
{
    MsgBoxHook::setAnswerer([this](const MsgRequest& request) {
        m_calls.append(request);
        if (m_answers.empty()) {
            ++m_unanswered;
            const int set = request.style & 7;
            return set == 0 ? int(MsgOk) : (set == 4 ? int(MsgNo) : int(MsgCancel));
        }
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
}

MsgBoxScript::~MsgBoxScript()
{
    MsgBoxHook::setAnswerer({});
}

MsgBoxScript& MsgBoxScript::answer(int button)
{
    m_answers.push_back(button);
    return *this;
}

const MsgRequest& MsgBoxScript::last() const
{
    static const MsgRequest none;
    if (m_calls.isEmpty()) {
        QTest::qFail("no message box was shown", __FILE__, __LINE__);
        return none;
    }
    return m_calls.last();
}

QStringList rowTexts(const QTreeWidget* list, int row)
{
    const QTreeWidgetItem* item = list ? list->topLevelItem(row) : nullptr;
    if (!item) {
        QTest::qFail(qPrintable(QStringLiteral("the list has no row %1").arg(row)), __FILE__, __LINE__);
        return {};
    }
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c)
        cells.append(item->text(c));
    return cells;
}

void clickHeader(QTreeView* list, int column)
{
    QHeaderView* header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void MsgBoxScript::clear()
{
    m_calls.clear();
    m_answers.clear();
    m_unanswered = 0;
}

PrintRecorder::PrintRecorder(const QString& pdfPath)
{
    Printing::setRecorder(&m_pages);
    Printing::setPrinterFactory([this, pdfPath] {
        ++m_jobs;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        return printer;
    });
}

PrintRecorder::~PrintRecorder()
{
    Printing::setRecorder(nullptr);
    Printing::setPrinterFactory({});
}

QStringList PrintRecorder::lines() const
{
    QStringList all;
    for (const QStringList& page : m_pages)
        all += page;
    return all;
}

NoPrinter::NoPrinter()
{
    Printing::setPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
}

NoPrinter::~NoPrinter()
{
    Printing::setPrinterFactory({});
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void chooseEntry(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("no entry ") + text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

bool hasUniformRows(const QComboBox* combo)
{
    const auto* list = qobject_cast<const QListView*>(combo->view());
    return list && list->uniformItemSizes();
}

void typeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    typeText(box, text);
}

void triggerAction(QObject* root, const QString& name)
{
    QAction* action = root->findChild<QAction*>(name);
    QVERIFY2(action, qPrintable(QStringLiteral("no action named ") + name));
    action->trigger();
}

void closeAllWindows()
{
    // Open popups first, each the way its owner hides it: a combo box must hide its own list.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (auto* combo = qobject_cast<QComboBox*>(popup->parentWidget()))
            combo->hidePopup();
        else
            popup->close();
        if (QApplication::activePopupWidget() == popup)
            popup->hide();
        if (QApplication::activePopupWidget() == popup)
            break;
    }
    // Only windows without a parent: the top-level children of a window (a combo box's list, a menu, a dialog) go
    // with it, and a popup without a parent (a completer's list, a tool tip) belongs to the object that made it.
    // Deleting a window deletes other windows too, so hold them weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            windows.append(w);
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
    QApplication::processEvents();
}

qint64 insertArticle(const QString& bookPath, const QString& sifra, const QString& naziv, const QString& stanje,
                     const QString& proscijena)
{
    const Figure s = Figure::parse(stanje).value_or(Figure());
    const Figure p = Figure::parse(proscijena).value_or(Figure());
    Database db = Database::open(bookPath);
    return db.insert(QStringLiteral("insert into artikli(sifra, barkod, naziv, jedmjere, minkolicina, stanje, "
                                    "vrijednost, proscijena) values(?, '', ?, 'kom', 0, ?, ?, ?)"),
                     {sifra, naziv, s.toDouble(), Figure::multiply(s, p).toDouble(), p.toDouble()});
}

} // namespace knjtest
