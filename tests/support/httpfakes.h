// A web server on 127.0.0.1 that answers every request with one canned response (or never, when it is empty).
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace vantrelo::test {

class TCannedServer {
public:
    explicit TCannedServer(QByteArray response) : response_(std::move(response)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                request_ += s->readAll();
                if (request_.contains("\r\n\r\n") && !response_.isEmpty()) {
                    s->write(response_);
                    s->disconnectFromHost();
                }
            });
        });
    }
    QString Url(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QLatin1String(path));
    }

private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
};

} // namespace vantrelo::test
