#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the test's own: its data and its Unix socket live in a temporary
// folder, it listens on no TCP port and trusts local connections. As root, the server runs as
// the postgres system user, which initdb and postgres require.
class PrivatePostgresServer {
  public:
    // A durable server writes each commit to disk (for timings); a test's needs not.
    explicit PrivatePostgresServer(bool durable = false);
    ~PrivatePostgresServer(); // stops the server and removes its folder

    // Why no server can run here (the server programs are missing), or empty.
    static QString whyUnavailable();

    bool start(); // initdb on the first start; false with error()
    bool stop();
    // A libpq connection string for the server's postgres database.
    QString connection() const;
    QString error() const { return error_; }

  private:
    bool run(const QStringList& command);

    std::unique_ptr<QTemporaryDir> root_;
    bool initialised_ = false;
    bool durable_;
    bool running_ = false;
    QString error_;
};
