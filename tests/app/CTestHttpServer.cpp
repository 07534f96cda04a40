#include "CTestHttpServer.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

CTestHttpServer::CTestHttpServer() {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
        }
    });
}

QString CTestHttpServer::Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void CTestHttpServer::Serve(const QByteArray& path, const QByteArray& body) {
    m_replies[path] = Reply{200, body, {}, -1, false};
}

void CTestHttpServer::Fail(const QByteArray& path, int status) {
    m_replies[path] = Reply{status, "<html>error page</html>", {}, -1, false};
}

void CTestHttpServer::Redirect(const QByteArray& path, const QByteArray& location) {
    m_replies[path] = Reply{302, "<html>moved</html>", location, -1, false};
}

void CTestHttpServer::HangUp(const QByteArray& path, const QByteArray& body, qsizetype cutAfter) {
    m_replies[path] = Reply{200, body, {}, cutAfter, false};
}

void CTestHttpServer::Stall(const QByteArray& path, const QByteArray& body, qsizetype cutAfter) {
    m_replies[path] = Reply{200, body, {}, cutAfter, true};
}

QList<QByteArray> CTestHttpServer::Paths() const {
    QList<QByteArray> paths;
    for (const Request& request : requests)
        paths << request.path;
    return paths;
}

void CTestHttpServer::OnData(QTcpSocket* socket) {
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    const QByteArray head = buffer.left(headEnd);
    static const QRegularExpression lengthHeader(QStringLiteral("Content-Length: *(\\d+)"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const qsizetype length = lengthHeader.match(QString::fromLatin1(head)).captured(1).toLongLong();
    if (buffer.size() - headEnd - 4 < length)
        return;
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    Request request{requestLine.value(0), requestLine.value(1), buffer.mid(headEnd + 4, length)};
    requests << request;
    m_buffers.remove(socket);
    const auto found = m_replies.constFind(request.path);
    Answer(socket, found != m_replies.constEnd() ? *found : Reply{404, "not here", {}, -1, false});
}

void CTestHttpServer::Answer(QTcpSocket* socket, const Reply& reply) {
    static const QHash<int, QByteArray> reasons = {
        {200, "OK"}, {302, "Found"}, {404, "Not Found"}, {500, "Internal Server Error"}};
    QByteArray response =
        "HTTP/1.1 " + QByteArray::number(reply.status) + " " + reasons.value(reply.status, "Status") + "\r\n";
    response += "Content-Type: application/octet-stream\r\n";
    response += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.location.isEmpty())
        response += "Location: " + reply.location + "\r\n";
    response += "Connection: close\r\n\r\n";
    if (reply.stall) {
        // Progress reports are throttled by the client; a second burst later is sure to be reported.
        const qsizetype first = reply.cutAfter / 2;
        socket->write(response + reply.body.left(first));
        QTimer::singleShot(300, socket, [socket, rest = reply.body.mid(first, reply.cutAfter - first)] {
            socket->write(rest);
        });
        return;
    }
    response += reply.cutAfter >= 0 ? reply.body.left(reply.cutAfter) : reply.body;
    socket->write(response);
    socket->disconnectFromHost();
}
