#include "data/ConfiguredLocation.h"
#include "data/DatabaseLocation.h"
#include "ui/StartUp.h"
#include "ui/Unit6.h"
#include "widgets/ErrorReportingApplication.h"

#include <QIcon>

int main(int argc, char **argv)
{
    ErrorReportingApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Velmora"));
    // Lets the desktop match the window to its menu entry and icon.
    application.setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/velmora.png")));

    const QString location = configuredDatabaseLocation(application.arguments());
    if (!location.isEmpty())
        setCaseNumberDatabasePath(location);

    createFormsAndModules();
    Form6->show();
    const int exitCode = application.exec();
    destroyFormsAndModules();
    return exitCode;
}
