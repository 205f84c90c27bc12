#include "ErrorReportingApplication.h"

#include "ModalDialogs.h"

#include <exception>

ErrorReportingApplication::ErrorReportingApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool ErrorReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return true;
    }
}

void ErrorReportingApplication::runReportingErrors(const std::function<void()> &work)
{
    try {
        work();
    } catch (...) {
        reportCurrentException();
    }
}

void ErrorReportingApplication::reportCurrentException()
{
    QString text;
    try {
        throw;
    } catch (const std::exception &error) {
        // The data layer's errors carry their Russian text as UTF-8.
        text = QString::fromUtf8(error.what());
    } catch (...) {
        text = QStringLiteral("Непредвиденная ошибка: действие прервано.");
    }
    ModalDialogs::current().showError(QApplication::activeWindow(), text);
}
