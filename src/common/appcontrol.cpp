#include "appcontrol.h"

#include <QCoreApplication>

namespace {
std::function<void()>& handler()
{
    static std::function<void()> h;
    return h;
}
} // namespace

namespace AppControl {

void endProgram()
{
    if (handler()) {
        handler()();
        return;
    }
    QCoreApplication::exit(0);
}

void setEndProgramHandler(std::function<void()> h)
{
    handler() = std::move(h);
}

} // namespace AppControl
