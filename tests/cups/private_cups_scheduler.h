#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A CUPS scheduler of the test's own: configuration, spool, cache, logs and backends live in a
// temporary folder and it listens on a free port of 127.0.0.1, so the machine's own printing
// setup is neither needed nor touched. Its queues are raw queues whose backend saves each job's
// file unchanged, so a test reads back exactly what the program sent to the printer.
//
// libcups reads CUPS_SERVER once per process: construct the scheduler (which sets it) before
// the first printer lookup, and restart it with start() on the same port.
class PrivateCupsScheduler {
  public:
    PrivateCupsScheduler();
    ~PrivateCupsScheduler(); // stops the scheduler and removes its folder

    // Why the scheduler cannot run on this machine (not root, no cupsd), or empty.
    static QString whyUnavailable();

    // "localhost:PORT", also in this process's CUPS_SERVER.
    QString server() const;

    // Starts cupsd in the foreground as a child of this process; false with error() on failure.
    bool start();
    // Stops cupsd and waits for it: afterwards nothing listens on the port.
    void stop();
    bool isRunning() const;

    // A raw queue whose jobs are saved to jobFiles(); `makeDefault` makes it the default
    // destination.
    bool addCaptureQueue(const QString& name, bool makeDefault = true);
    bool removeQueue(const QString& name);
    // Whether the queue accepts new jobs (cupsaccept / cupsreject).
    bool setAccepting(const QString& name, bool accepting);
    // Whether the queue holds its jobs instead of printing them (cupsdisable / cupsenable).
    bool setStopped(const QString& name, bool stopped);

    // Waits until no job is pending or processing; false when `timeoutMs` passed first.
    bool waitUntilIdle(int timeoutMs = 20000);
    // The jobs the scheduler still holds (pending, held or processing), as lpstat lists them.
    QStringList unfinishedJobs();

    // Contents of the saved jobs, in job order.
    QList<QByteArray> jobFiles() const;
    void removeJobFiles();

    // The last failure, with the end of the scheduler's error log.
    QString error() const { return error_; }

  private:
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    bool fail(const QString& what);
    QString path(const QString& relative) const;
    bool writeConfiguration();

    std::unique_ptr<QTemporaryDir> root_;
    QProcess cupsd_;
    quint16 port_ = 0;
    QString error_;
};
