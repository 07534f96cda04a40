#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

class QTcpSocket;

// A loopback HTTP server for tests: each path answers as configured, every request is recorded.
class CTestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray location;
        // Sends the headers and this many body bytes, then hangs up (>= 0) or keeps the line open (stall).
        qsizetype cutAfter = -1;
        bool stall = false;
    };
    struct Request {
        QByteArray method;
        QByteArray path;
        QByteArray body;
    };

    CTestHttpServer();

    QString Url(const QString& path = QString()) const;
    void Serve(const QByteArray& path, const QByteArray& body);
    void Fail(const QByteArray& path, int status);
    void Redirect(const QByteArray& path, const QByteArray& location);
    void HangUp(const QByteArray& path, const QByteArray& body, qsizetype cutAfter);
    void Stall(const QByteArray& path, const QByteArray& body, qsizetype cutAfter);
    QList<QByteArray> Paths() const;

    QList<Request> requests;

private:
    void OnData(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const Reply& reply);

    QTcpServer m_server;
    QHash<QByteArray, Reply> m_replies;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};
