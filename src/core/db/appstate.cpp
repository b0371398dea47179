#include "appstate.h"

#include <cmath>

namespace AppState {

double idizabranetvrtke = 0;
QString bazaknjige;
QString vrstabaze;
qint64 openBookCompany = 0;
QString bazaskladista;
QString vrstadokumenta;
bool izprimke = false;

QString companyIdText()
{
    return QString::number(qint64(std::llround(idizabranetvrtke)));
}

void reset()
{
    idizabranetvrtke = 0;
    bazaknjige.clear();
    vrstabaze.clear();
    openBookCompany = 0;
    bazaskladista.clear();
    vrstadokumenta.clear();
    izprimke = false;
}

} // namespace AppState
