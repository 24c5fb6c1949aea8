#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QUrl>

#include <functional>

// A small HTTP server on 127.0.0.1, in the test's own thread: it answers each GET with what
// `answer` gives for the request's path and query. It serves while the event loop runs, as
// it does while the code under test waits for its replies.
class FixtureHttpServer : public QObject {
    Q_OBJECT
  public:
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/octet-stream";
        bool silent = false; // never answers, as a server that hangs
    };
    using Answer = std::function<Response(const QUrl& request)>;

    explicit FixtureHttpServer(Answer answer);

    // http://127.0.0.1:PORT
    QString base() const;
    int requests() const { return requests_; }

  private:
    void serve(QTcpSocket* socket);

    QTcpServer server_;
    Answer answer_;
    int requests_ = 0;
};
