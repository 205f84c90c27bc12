#pragma once

#include <QApplication>

#include <functional>

// The application object. An exception thrown by any handler stops that
// handler only: its text is shown in a message box owned by the active
// window and the program goes on. No exception crosses Qt's event loop.
class ErrorReportingApplication : public QApplication
{
    Q_OBJECT

public:
    ErrorReportingApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The same reporting for work done outside any event, such as start-up
    // before the loop runs.
    static void runReportingErrors(const std::function<void()> &work);

private:
    static void reportCurrentException();
};
