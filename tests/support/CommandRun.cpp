#include "CommandRun.h"

#include <QProcess>
#include <gtest/gtest.h>

CommandRun runCommand(QProcess &process, const QString &program, const QStringList &arguments, const QByteArray &input,
                      int timeoutMilliseconds)
{
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(timeoutMilliseconds)) << "still running";
    CommandRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (run.out.last().isEmpty())
        run.out.removeLast();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
