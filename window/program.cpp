#include "window/program.h"

#include "window/form1.h"

#include <QApplication>

namespace kz {

int runProgram(Form1 &form)
{
    // Hiding the window on a quit leaves the event loop running; the form says when to stop.
    QObject::connect(&form, &Form1::programEnded, qApp, &QCoreApplication::quit);
    form.Form_Load();
    if (form.hasEnded())
        return 0;
    form.show();
    return QApplication::exec();
}

} // namespace kz
