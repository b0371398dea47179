#pragma once

#include "common/singleinstance.h"

#include <QSize>
#include <QWidget>

class QLineEdit;
class QPushButton;

// Adds kinds of supplier documents to the open book; each one is offered and selected in the receipt at once.
class frmunosdokumenta : public QWidget, public SingleInstance<frmunosdokumenta>
{
    Q_OBJECT
public:
    frmunosdokumenta();
    void load() {}

    // The window keeps this size of its own.
    static inline const QSize OwnSize{260, 90};

    // Shows the window for the receipt being written in stockWindow, which works on the book at bookPath:
    // its left edge at 1.8 times its own width, its bottom edge on the stock window's bottom edge, and never
    // beyond the main window's edges.
    static frmunosdokumenta* openFor(const QString& bookPath, QWidget* stockWindow);

    QLineEdit* txtunos = nullptr;
    QPushButton* cmdunos = nullptr;
    QPushButton* cmdodustani = nullptr;

private:
    void cmdunosClick();

    QString m_bookPath;
};
