#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash window: shown at start, hands over to the company chooser after half a second.
class frmUvod : public QWidget
{
    Q_OBJECT
public:
    frmUvod();

    QLabel* lblNaziv = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void handOver();
};
