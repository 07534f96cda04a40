// vexa: the program's work from the command line, over the same device library and export code as the
// window. No window, no display needed.

#include <QCoreApplication>

#include "CCliInterrupt.h"
#include "CCliProgram.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    CCliProgram::LoadTranslation();
    CCliInterrupt::Install();
    return CCliProgram().Run(QCoreApplication::arguments());
}
