#include "support/testmain.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include <memory>

// Qt's own texts that a user meets (the entry boxes' context menu, a child window's system menu) are Croatian:
// the start-up loads Qt's translation.
class QtTextsTest : public QObject
{
    Q_OBJECT
private slots:
    void menusOfTheToolkitAreCroatian();
};

void QtTextsTest::menusOfTheToolkitAreCroatian()
{
    QLineEdit box;
    box.setText(QStringLiteral("Čavli"));
    std::unique_ptr<QMenu> context(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* a : context->actions())
        if (!a->isSeparator())
            texts << a->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY(!texts.isEmpty());
    for (const char* english : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
        QVERIFY2(!texts.contains(QLatin1String(english)), qPrintable(texts.join(QLatin1Char('|'))));

    QMdiArea area;
    QMdiSubWindow* sub = area.addSubWindow(new QWidget);
    QVERIFY(sub->systemMenu());
    QStringList system;
    for (const QAction* a : sub->systemMenu()->actions())
        if (!a->isSeparator())
            system << a->text();
    for (const char* english : {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "&Close"})
        QVERIFY2(!system.contains(QLatin1String(english)), qPrintable(system.join(QLatin1Char('|'))));
}

KNJ_REGISTER_TEST(QtTextsTest)
#include "tst_qttexts.moc"
