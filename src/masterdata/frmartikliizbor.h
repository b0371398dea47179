#pragma once

#include "common/singleinstance.h"

#include <QPointer>
#include <QWidget>

class ArticleListModel;
class ArticlePickTarget;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTreeView;

// The article picker: finds an article by code or name among all articles of a warehouse book and hands the
// chosen one to the window that opened it.
class frmartikliizbor : public QWidget, public SingleInstance<frmartikliizbor>
{
    Q_OBJECT
public:
    static inline const QString DesignCaption = QStringLiteral("Pretraga artikala     Pomoć  F1");
    static inline const QString WorkingCaption = QStringLiteral("Pretraga artikala    Pomoć  F1");

    frmartikliizbor();
    void load();

    // Shows the picker over the target's window with the articles of the target's book. Without a target the
    // book follows vrstadokumenta ("Primka"/"Izdatnica": bazaknjige, otherwise bazaskladista).
    static frmartikliizbor* openFor(ArticlePickTarget* target);

    QFrame* frameartikli = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtupis = nullptr;
    QRadioButton* Optponazivu = nullptr;
    QRadioButton* optposifri = nullptr;
    QRadioButton* optcijelinaziv = nullptr;
    QRadioButton* optpocinjesa = nullptr;
    QRadioButton* optimaunazivu = nullptr;
    QPushButton* cmdtrazi = nullptr;
    QPushButton* cmdodabir = nullptr;
    QPushButton* cmdodustani = nullptr;
    QTreeView* lsvsviartikli = nullptr;
    QTextEdit* txtpomoc = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillList(const QString& bookPath);
    void cmdtraziClick();
    void cmdodabirClick();
    void handBack(int position);

    ArticleListModel* m_articles = nullptr;
    ArticlePickTarget* m_target = nullptr;
    QPointer<QWidget> m_targetWindow;
    QMetaObject::Connection m_targetGone;
    QString m_mode;
    QString m_bookPath;
};
