#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QProcess;

// What a command-line program left behind: its exit code (-1 if it crashed),
// its output's lines without the empty one after the last newline, and its
// error output.
struct CommandRun
{
    int exitCode = -1;
    QStringList out;
    QString err;
};

// Starts the program, writes the input to it, closes its input and waits up
// to the timeout for it to end.
CommandRun runCommand(QProcess &process, const QString &program, const QStringList &arguments, const QByteArray &input,
                      int timeoutMilliseconds);
