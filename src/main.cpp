#include "ui/StartUp.h"
#include "ui/Unit6.h"
#include "widgets/ErrorReportingApplication.h"

int main(int argc, char **argv)
{
    ErrorReportingApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Velmora"));

    createFormsAndModules();
    Form6->show();
    const int exitCode = application.exec();
    destroyFormsAndModules();
    return exitCode;
}
