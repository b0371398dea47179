#pragma once

#include "common/singleinstance.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

// The company editor: enters new companies one after another, or changes one company.
class frmUpisNove : public QWidget, public SingleInstance<frmUpisNove>
{
    Q_OBJECT
public:
    static inline const QString EntryCaption = QStringLiteral("&Upis nove tvrtke");
    static inline const QString ChangeCaption = QStringLiteral("I&zmjena");

    frmUpisNove();
    void load() {}

    // Entry mode: empty boxes, the store button waits for a name.
    void prepareEntry();
    // Edit mode for the company named in the title; values are the ten boxes' texts in their order.
    void prepareChange(const QString& name, const QStringList& values);

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLineEdit* Text10 = nullptr;
    QPushButton* cmdUpis = nullptr;
    QPushButton* cmdizlaz = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QLineEdit*> boxes() const;
    void cmdUpisClick();
    // The T/O box takes "T" or "O" in either case, or nothing; false when it refused (box emptied).
    bool checkTo();
    void normaliseBoxes();

    // The T/O box refused its value and takes the focus back; a click that took the focus stores nothing.
    bool m_toRefused = false;
};
