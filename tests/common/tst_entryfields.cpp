#include "common/entryfields.h"
#include "common/workingwindow.h"
#include "support/fixture.h"
#include "support/testmain.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// A window with a number box, a plain box behind it and a button wired as the windows wire theirs.
class NumberWindow : public QWidget
{
public:
    explicit NumberWindow(std::optional<QString> resetText)
    {
        number = new QLineEdit(this);
        number->setObjectName("number");
        other = new QLineEdit(this);
        other->setObjectName("other");
        add = new QPushButton("&Dodaj", this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(number);
        layout->addWidget(other);
        layout->addWidget(add);
        DecimalKeyFilter(number);
        if (resetText)
            DecimalFieldCommit::reset(number, *resetText);
        else
            DecimalFieldCommit::keep(number);
        SelectAllOnFocus({number, other});
        onClickCommitted(add, this, [this] {
            ++handled;
            valueAtClick = number->text();
        });
    }
    QLineEdit* number;
    QLineEdit* other;
    QPushButton* add;
    int handled = 0;
    QString valueAtClick;
};

class PlainWorkingWindow : public WorkingWindow
{
public:
    PlainWorkingWindow() : WorkingWindow(MenuGroup::Warehouse) {}
    bool pendingRows = false;
    int writes = 0;
    bool writeSucceeds = true;

protected:
    bool confirmClose() override
    {
        if (!pendingRows)
            return true;
        return CommitOnCloseQuery("Pitanje?", "Naslov", [this] {
            ++writes;
            return writeSucceeds;
        });
    }
};

void showActive(QWidget* w)
{
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

} // namespace

class EntryFieldsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_folder = std::make_unique<knjtest::ProgramFolderFixture>(); }
    void cleanup()
    {
        Workspace::setHost({});
        m_folder.reset();
    }

    void keyFilterTakesDigitsAndOneComma();
    void commitResetVariant_data();
    void commitResetVariant();
    void commitKeepVariant_data();
    void commitKeepVariant();
    void popupTakingFocusDoesNotCommit();
    void mnemonicClickCommitsTheNumberBoxFirst();
    void workingWindowKeepsItsSize();
    void columnSortToggles();
    void closingQuestionAndMenus();

private:
    std::unique_ptr<knjtest::ProgramFolderFixture> m_folder;
};

void EntryFieldsTest::keyFilterTakesDigitsAndOneComma()
{
    NumberWindow w(QStringLiteral("0,00"));
    showActive(&w);
    w.number->setFocus();
    knjtest::typeText(w.number, ",");
    QCOMPARE(w.number->text(), QString());
    knjtest::typeText(w.number, "12.-a ,5,3");
    QCOMPARE(w.number->text(), QStringLiteral("12,53"));
    QTest::keyClick(w.number, Qt::Key_Backspace);
    QCOMPARE(w.number->text(), QStringLiteral("12,5"));

    // Entering the box selects "0,00"; a comma still counts the selected comma, a digit replaces all.
    w.number->setText(QStringLiteral("0,00"));
    w.other->setFocus();
    w.number->setFocus(Qt::TabFocusReason);
    QCOMPARE(w.number->selectedText(), QStringLiteral("0,00"));
    knjtest::typeText(w.number, ",");
    QCOMPARE(w.number->text(), QStringLiteral("0,00"));
    knjtest::typeText(w.number, "5");
    QCOMPARE(w.number->text(), QStringLiteral("5"));

    // Pasted text that is no number is refused.
    w.number->clear();
    QApplication::clipboard()->setText(QStringLiteral("12a"));
    w.number->paste();
    QCOMPARE(w.number->text(), QString());
}

void EntryFieldsTest::commitResetVariant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reset");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("limit kept") << "99999,99"
                                << "0,00"
                                << "99999,99" << false;
    QTest::newRow("over limit") << "100000"
                                << "0,00"
                                << "0,00" << true;
    QTest::newRow("over limit, quantity") << "100000"
                                          << "1,00"
                                          << "1,00" << true;
    QTest::newRow("rounds over the limit") << "99999,995"
                                           << "0,00"
                                           << "0,00" << true;
    QTest::newRow("emptied") << ""
                             << "0,00"
                             << "0,00" << false;
    QTest::newRow("leading comma") << ",5"
                                   << "0,00"
                                   << "0,50" << false;
    QTest::newRow("whole") << "7"
                           << "0,00"
                           << "7,00" << false;
    QTest::newRow("one decimal") << "1234,5"
                                 << "0,00"
                                 << "1234,50" << false;
    QTest::newRow("lone comma") << ","
                                << "1,00"
                                << "1,00" << false;
}

void EntryFieldsTest::commitResetVariant()
{
    QFETCH(QString, typed);
    QFETCH(QString, reset);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    knjtest::MsgBoxScript boxes;
    NumberWindow w(reset);
    showActive(&w);
    w.number->setFocus();
    w.number->setText(typed);
    QTest::keyClick(w.number, Qt::Key_Tab);
    QCOMPARE(w.number->text(), shown);
    QCOMPARE(boxes.calls().size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(boxes.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
        QCOMPARE(boxes.last().style, 48);
        QCOMPARE(boxes.last().title, QStringLiteral("Prevelik broj"));
        QTRY_VERIFY(w.number->hasFocus());
    } else {
        QTRY_VERIFY(w.other->hasFocus());
    }
}

void EntryFieldsTest::commitKeepVariant_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("over limit stays") << "100000"
                                      << "100000" << true;
    QTest::newRow("rounds over the limit") << "99999,995"
                                           << "99999,995" << true;
    QTest::newRow("three decimals") << "12345,678"
                                    << "12345,68" << false;
    QTest::newRow("one decimal") << "12,5"
                                 << "12,50" << false;
    QTest::newRow("leading comma") << ",5"
                                   << "0,50" << false;
    QTest::newRow("emptied stays empty") << ""
                                         << "" << false;
}

void EntryFieldsTest::commitKeepVariant()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    knjtest::MsgBoxScript boxes;
    NumberWindow w(std::nullopt);
    showActive(&w);
    w.number->setFocus();
    w.number->setText(typed);
    QTest::keyClick(w.number, Qt::Key_Tab);
    QCOMPARE(w.number->text(), shown);
    QCOMPARE(boxes.calls().size(), refused ? 1 : 0);
    if (refused) {
        QTRY_VERIFY(w.number->hasFocus());
        QTRY_COMPARE(w.number->selectedText(), shown);
    }
}

void EntryFieldsTest::popupTakingFocusDoesNotCommit()
{
    knjtest::MsgBoxScript boxes;
    NumberWindow w(QStringLiteral("0,00"));
    showActive(&w);
    w.number->setFocus();
    w.number->setText(QStringLiteral("100000"));
    // Another window coming to the front (as a message box does) takes the focus without leaving the box.
    QWidget box;
    showActive(&box);
    QVERIFY(!w.number->hasFocus());
    QCOMPARE(w.number->text(), QStringLiteral("100000"));
    QCOMPARE(boxes.calls().size(), 0);

    // Nor is a child window of the main window closing while the box has the focus.
    QMdiArea area;
    auto* inner = new NumberWindow(QStringLiteral("0,00"));
    QMdiSubWindow* sub = area.addSubWindow(inner);
    showActive(&area);
    inner->number->setFocus();
    QVERIFY(inner->number->hasFocus());
    inner->number->setText(QStringLiteral("100000"));
    sub->close();
    QCOMPARE(boxes.calls().size(), 0);
}

void EntryFieldsTest::mnemonicClickCommitsTheNumberBoxFirst()
{
    knjtest::MsgBoxScript boxes;
    NumberWindow w(std::nullopt);
    showActive(&w);
    w.number->setFocus();
    knjtest::typeText(w.number, "100000");
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(boxes.calls().size(), 1);
    QCOMPARE(boxes.last().prompt, QStringLiteral("Možete upisati samo do 99 999!"));
    QTest::qWait(200);
    QCOMPARE(w.handled, 0);

    w.number->setText(QStringLiteral("7"));
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(w.handled, 1);
    QCOMPARE(w.valueAtClick, QStringLiteral("7,00"));
    QCOMPARE(boxes.calls().size(), 1);
}

void EntryFieldsTest::workingWindowKeepsItsSize()
{
    PlainWorkingWindow w;
    w.show();
    w.resize(1000, 700);
    QCOMPARE(w.size(), QSize(800, 520));
    w.resize(300, 200);
    QCOMPARE(w.size(), QSize(800, 520));

    // Inside the main window the child window (title bar included) is 800 × 520 and the window fits in it.
    QMdiArea area;
    area.resize(1200, 900);
    auto* inner = new PlainWorkingWindow;
    QMdiSubWindow* sub = area.addSubWindow(inner);
    area.show();
    sub->show();
    sub->resize(1000, 700);
    QCOMPARE(sub->size(), QSize(800, 520));
    QVERIFY(inner->geometry().bottom() < sub->height());
}

void EntryFieldsTest::columnSortToggles()
{
    QTreeWidget list;
    list.setHeaderLabels({"Naziv", "Šifra"});
    const QList<QStringList> rows = {{"Zagreb", "2"}, {"čelik", "10"}, {"Cesta", "3"}, {"Ćevap", "1"}, {"apple", "9"}};
    for (const QStringList& row : rows)
        new QTreeWidgetItem(&list, row);
    ColumnSortToggle(&list);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto column = [&list](int c) {
        QStringList texts;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            texts.append(list.topLevelItem(i)->text(c));
        return texts;
    };
    list.topLevelItem(2)->setSelected(true); // Cesta
    knjtest::clickHeader(&list, 0);
    QCOMPARE(column(0), QStringList({"apple", "Cesta", "čelik", "Ćevap", "Zagreb"}));
    QVERIFY(list.topLevelItem(1)->isSelected());
    knjtest::clickHeader(&list, 0);
    QCOMPARE(column(0), QStringList({"Zagreb", "Ćevap", "čelik", "Cesta", "apple"}));
    knjtest::clickHeader(&list, 1); // compared as text
    QCOMPARE(column(1), QStringList({"1", "10", "2", "3", "9"}));

    // A book's worth of rows sorts at once (no work per row that grows with the list).
    for (int n = 0; n < 20000; ++n)
        new QTreeWidgetItem(&list, {QStringLiteral("Članak %1").arg((n * 7919) % 20000), QString::number(n)});
    QElapsedTimer timer;
    timer.start();
    knjtest::clickHeader(&list, 0);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("apple"));
    QCOMPARE(list.topLevelItem(list.topLevelItemCount() - 1)->text(0), QStringLiteral("Zagreb"));
}

void EntryFieldsTest::closingQuestionAndMenus()
{
    QList<QPair<MenuGroup, bool>> menus;
    Workspace::setHost({[](QWidget* w, QWidget*) { w->show(); },
                        [&menus](MenuGroup g, bool on) {
                            menus.append({g, on});
                        }});
    knjtest::MsgBoxScript boxes;
    QPointer<PlainWorkingWindow> w = new PlainWorkingWindow;
    w->showFromMenu();
    QCOMPARE(menus, (QList<QPair<MenuGroup, bool>>{{MenuGroup::Warehouse, false}}));
    w->pendingRows = true;

    boxes.answer(MsgCancel);
    QVERIFY(!w->close());
    QCOMPARE(boxes.last().prompt, QStringLiteral("Pitanje?"));
    QCOMPARE(boxes.last().style, 35);
    QCOMPARE(menus.size(), 1); // a called-off closing leaves the menus as they are

    w->writeSucceeds = false; // Yes whose write fails keeps the window open
    boxes.answer(MsgYes);
    QVERIFY(!w->close());
    QCOMPARE(menus.size(), 1);

    w->writeSucceeds = true;
    boxes.answer(MsgYes);
    QVERIFY(w->close());
    QCOMPARE(w->writes, 2);
    QCOMPARE(menus.last(), qMakePair(MenuGroup::Warehouse, true));
    QTRY_VERIFY(w.isNull());

    w = new PlainWorkingWindow;
    w->showFromMenu();
    w->pendingRows = true;
    boxes.answer(MsgNo);
    QVERIFY(w->close());
    QCOMPARE(w->writes, 0);
    QCOMPARE(menus.last(), qMakePair(MenuGroup::Warehouse, true));
    QCOMPARE(boxes.unanswered(), 0);
}

KNJ_REGISTER_TEST(EntryFieldsTest)
#include "tst_entryfields.moc"
