// A tiny HTTP/1.1 server on 127.0.0.1 for the update check tests. It runs on
// a thread of its own, so it answers whatever the test's thread is doing
// (also while that thread waits for the update thread without serving
// events). Answers are looked up by request path; an unknown path gets 404.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>

namespace kestrane::test {

class HttpServerCore;

class TestHttpServer {
public:
    struct Response {
        Response() = default;
        Response(int status_, QByteArray body_ = {}, std::chrono::milliseconds delay_ = {},
                 QByteArray location_ = {})
            : status(status_), body(std::move(body_)), delay(delay_), location(std::move(location_))
        {
        }

        int status = 200;
        QByteArray body;
        // The answer is sent this long after the request has arrived.
        std::chrono::milliseconds delay{0};
        // For a redirect (status 3xx): the Location header.
        QByteArray location;
    };

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool isListening() const { return port_ != 0; }
    void setResponse(const QString& path, const Response& response);
    // "http://127.0.0.1:<port>" + path
    QString url(const QString& path) const;
    // Requests received so far (whole request heads).
    int requestCount() const { return requests_.load(); }

    // A port on 127.0.0.1 with nobody listening: a refused connection.
    static quint16 RefusingPort();

private:
    friend class HttpServerCore;
    Response responseFor(const QString& path) const;

    QThread thread_;
    HttpServerCore* core_ = nullptr;
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    QHash<QString, Response> responses_;
    std::atomic<int> requests_{0};
};

}  // namespace kestrane::test
