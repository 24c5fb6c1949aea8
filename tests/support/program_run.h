#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One of our programs run as a user would run it, to its end.
struct ProgramRun {
    int exitCode = -1; // -1 for a crash or a run that did not end within a minute
    QByteArray out;
    QString err;
};

// `environment` holds NAME=value pairs added to this process's own.
ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QStringList& environment = {});

// Writes `content` to `path` and gives the path back, or stops the test program when it cannot.
QString writeTestFile(const QString& path, const QByteArray& content);
