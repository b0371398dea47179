#include "appstate.h"

#include <cmath>

namespace AppState {

double idizabranetvrtke = 0;
QString bazaknjige;
QString vrstabaze;
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
    bazaskladista.clear();
    vrstadokumenta.clear();
    izprimke = false;
}

} // namespace AppState
