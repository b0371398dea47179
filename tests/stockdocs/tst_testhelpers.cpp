#include "support/fixture.h"
#include "support/testmain.h"

#include <QTest>
#include <QTreeWidget>

// The shared helpers fail a test that looks for what is not there; they never take the executable down.
class TestHelpersTest : public QObject
{
    Q_OBJECT
private slots:
    void lastBoxOfNoneFails()
    {
        knjtest::MsgBoxScript msgs;
        QEXPECT_FAIL("", "no box was shown", Continue);
        const MsgRequest& none = msgs.last();
        QCOMPARE(none.prompt, QString());
    }

    void missingRowFails()
    {
        QTreeWidget list;
        list.setColumnCount(2);
        QEXPECT_FAIL("", "the list is empty", Continue);
        const QStringList cells = knjtest::rowTexts(&list, 0);
        QVERIFY(cells.isEmpty());
        new QTreeWidgetItem(&list, QStringList{QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(knjtest::rowTexts(&list, 0), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }
};

KNJ_REGISTER_TEST(TestHelpersTest)
#include "tst_testhelpers.moc"
