#include "fixture_http_server.h"

#include <QTcpSocket>

FixtureHttpServer::FixtureHttpServer(Answer answer) : answer_(std::move(answer)) {
    if (!server_.listen(QHostAddress::LocalHost))
        qFatal("the fixture HTTP server cannot listen: %s", qPrintable(server_.errorString()));
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString FixtureHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

// One request a connection: the head is read whole, the answer sent, the connection closed.
void FixtureHttpServer::serve(QTcpSocket* socket) {
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    ++requests_;
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    const Response response =
        answer_(QUrl(base() + QString::fromLatin1(words.value(1)), QUrl::StrictMode));
    if (response.silent)
        return;
    const QByteArray reason = response.status == 200 ? "OK" : "Error";
    socket->write("HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason +
                  "\r\nContent-Type: " + response.contentType +
                  "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                  "\r\nConnection: close\r\n\r\n" + response.body);
    socket->disconnectFromHost();
}
