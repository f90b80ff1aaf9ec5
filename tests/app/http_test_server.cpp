#include "http_test_server.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace kestrane::test {

namespace {

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

}  // namespace

// Lives on the server thread; owns the listening socket and the connections.
class HttpServerCore : public QObject {
public:
    explicit HttpServerCore(TestHttpServer& owner) : owner_(owner) {}

    quint16 listen()
    {
        server_ = new QTcpServer(this);
        QObject::connect(server_, &QTcpServer::newConnection, this, [this] { accept(); });
        if (!server_->listen(QHostAddress::LocalHost, 0))
            return 0;
        return server_->serverPort();
    }

private:
    void accept()
    {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(this);
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& head = heads_[socket];
        head += socket->readAll();
        const qsizetype end = head.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
        heads_.remove(socket);
        QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
        const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
        owner_.requests_.fetch_add(1);
        const TestHttpServer::Response response = owner_.responseFor(path);
        QTimer::singleShot(response.delay, socket, [socket, response] {
            QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                                ReasonPhrase(response.status) + "\r\n";
            if (!response.location.isEmpty())
                answer += "Location: " + response.location + "\r\n";
            answer += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
            answer += "Connection: close\r\n\r\n";
            answer += response.body;
            socket->write(answer);
            socket->disconnectFromHost();
        });
    }

    TestHttpServer& owner_;
    QTcpServer* server_ = nullptr;
    QHash<QTcpSocket*, QByteArray> heads_;
};

TestHttpServer::TestHttpServer()
{
    thread_.start();
    core_ = new HttpServerCore(*this);
    core_->moveToThread(&thread_);
    QMetaObject::invokeMethod(
        core_, [this] { port_ = core_->listen(); }, Qt::BlockingQueuedConnection);
}

TestHttpServer::~TestHttpServer()
{
    QMetaObject::invokeMethod(
        core_, [this] { delete core_; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void TestHttpServer::setResponse(const QString& path, const Response& response)
{
    const std::lock_guard lock(mutex_);
    responses_.insert(path, response);
}

TestHttpServer::Response TestHttpServer::responseFor(const QString& path) const
{
    const std::lock_guard lock(mutex_);
    const auto found = responses_.constFind(path);
    if (found != responses_.constEnd())
        return *found;
    return Response{404, "not here", std::chrono::milliseconds{0}, {}};
}

QString TestHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

quint16 TestHttpServer::RefusingPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 1;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace kestrane::test
