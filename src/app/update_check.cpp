// The background update check.
#include "app/update_check.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/regular_file.h"
#include "core/replacing_file.h"
#include "ui/web_address.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#ifdef Q_OS_UNIX
#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>

#include <system_error>
#include <thread>
#endif

namespace kestrane::app {

namespace {

constexpr LocalText kNoticePrefix{"Új verzió elérhető: ", "New version avaiable: "};
constexpr LocalText kDownloadCaption{"Letöltés", "Download"};

// How often a running download looks whether its thread is asked to stop.
constexpr std::chrono::milliseconds kInterruptionPoll{50};

constexpr int kMaxRedirects = 10;

std::chrono::milliseconds ClampedLimit(std::chrono::milliseconds limit)
{
    return std::clamp(limit, std::chrono::milliseconds{0}, kDownloadTimeLimit);
}

std::filesystem::path LocalPath(const QString& file)
{
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

bool CurrentThreadAskedToStop()
{
    const QThread* thread = QThread::currentThread();
    return thread != nullptr && thread->isInterruptionRequested();
}

// Whether the host name of `url` resolves, looked up so that the lookup can
// be abandoned. Qt's own name lookups run on a pool that the application
// waits for when it ends, and a name server that does not answer keeps a
// lookup going for many seconds: the program would then hang at its end long
// after the check was stopped. So the name is looked up here first, on a
// thread of its own that is left to finish alone when the calling thread is
// asked to stop or the deadline passes (nothing waits for it at the end of
// the process). Only a name that resolves goes on to the network access
// manager, whose own lookup is then answered at once.
//
// Skipped (true) for an address literal and when the request goes through a
// proxy, which resolves the name itself.
bool HostResolves(const QUrl& url, const QDeadlineTimer& deadline)
{
#ifdef Q_OS_UNIX
    const QString host = url.host();
    if (QHostAddress(host).protocol() != QAbstractSocket::UnknownNetworkLayerProtocol)
        return true;
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(url));
    if (!proxies.isEmpty() && proxies.first().type() != QNetworkProxy::NoProxy &&
        proxies.first().type() != QNetworkProxy::DefaultProxy)
        return true;
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty())
        return false;

    // Shared with the lookup thread, which may outlive this call; it holds
    // no Qt object, so it may even outlive the application object.
    struct Lookup {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        bool resolved = false;
    };
    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, name = ace.toStdString()] {
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* addresses = nullptr;
            const bool resolved = ::getaddrinfo(name.c_str(), nullptr, &hints, &addresses) == 0;
            if (addresses != nullptr)
                ::freeaddrinfo(addresses);
            {
                const std::lock_guard lock(lookup->mutex);
                lookup->done = true;
                lookup->resolved = resolved;
            }
            lookup->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return true;  // no thread to spare: Qt looks the name up itself
    }

    std::unique_lock lock(lookup->mutex);
    while (!lookup->done) {
        if (CurrentThreadAskedToStop() || deadline.hasExpired())
            return false;
        lookup->finished.wait_for(lock, kInterruptionPoll);
    }
    return lookup->resolved;
#else
    Q_UNUSED(url);
    Q_UNUSED(deadline);
    return true;
#endif
}

bool Download(const QString& address, const QString& localFile, std::chrono::milliseconds timeLimit)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!ui::IsWebAddress(url) || CurrentThreadAskedToStop())
        return false;
    const QDeadlineTimer deadline(timeLimit);
    if (!HostResolves(url, deadline) || CurrentThreadAskedToStop() || deadline.hasExpired())
        return false;

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    bool tooLarge = false;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                     [&](qint64 received, qint64 total) {
                         if (received > kMaxVersionFileSize || total > kMaxVersionFileSize) {
                             tooLarge = true;
                             loop.quit();
                         }
                     });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(timeLimit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (CurrentThreadAskedToStop() || deadline.hasExpired())
            loop.quit();
    });
    poll.start(kInterruptionPoll);

    if (!reply->isFinished())
        loop.exec();
    poll.stop();
    limit.stop();

    if (!reply->isFinished() || tooLarge) {
        reply->abort();
        return false;
    }
    if (reply->error() != QNetworkReply::NoError)
        return false;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    bool isNumber = false;
    const int code = status.toInt(&isNumber);
    if (!isNumber || code < 200 || code > 299)
        return false;
    const QByteArray body = reply->readAll();
    if (body.size() > kMaxVersionFileSize)
        return false;

    // The file appears only complete: written aside and renamed over the
    // name at the end, so a link planted under the name is replaced and
    // what it points to is never written.
    try {
        ReplacingFile file;
        file.Open(LocalPath(localFile));
        file.Write(std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
        file.Commit();
        return true;
    } catch (const OutputError&) {
        return false;
    }
}

}  // namespace

QString VersionAddress()
{
    const QString configured = qEnvironmentVariable(kVersionAddressVariable);
    if (!configured.isEmpty())
        return configured;
    return QString::fromLatin1(kDefaultVersionAddress);
}

bool DownloadToFile(const QString& address, const QString& localFile)
{
    return DownloadToFile(address, localFile, kDownloadTimeLimit);
}

bool DownloadToFile(const QString& address, const QString& localFile,
                    std::chrono::milliseconds timeLimit)
{
    try {
        return Download(address, localFile, ClampedLimit(timeLimit));
    } catch (...) {
        return false;
    }
}

VersionFileLines ReadVersionFileLines(const QByteArray& bytes)
{
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(content);
    if (utf8.hasError()) {
        text.clear();
        text.reserve(content.size());
        for (const char byte : std::as_const(content)) {
            const auto value = static_cast<std::uint8_t>(byte);
            const char32_t code = Cp1250ToUnicode(value);
            text.append(value != 0 && code == 0 ? QChar(QChar::ReplacementCharacter)
                                                : QChar(static_cast<char16_t>(code)));
        }
    }

    QString lines[3];
    int line = 0;
    for (qsizetype i = 0; i < text.size() && line < 3; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            continue;
        }
        lines[line].append(c);
    }
    return VersionFileLines{lines[0], lines[1], lines[2]};
}

bool IsNewerThanOwnVersion(const QString& versionLine)
{
    const std::string text = versionLine.toStdString();
    const double hundredths = ParseRealLenient(text) * 100.0;
    if (std::isnan(hundredths))
        return false;
    // Far beyond any integer: the sign alone decides.
    if (std::fabs(hundredths) >= 1e15)
        return hundredths > 0.0;
    return RoundHalfEven(hundredths) > kOwnVersion;
}

QString AcceptedWebAddress(const QString& line)
{
    const QString address = line.trimmed();
    return ui::IsWebAddress(QUrl(address, QUrl::StrictMode)) ? address : QString();
}

UpdateCheckHost::~UpdateCheckHost() = default;

void EvaluateVersionFile(bool downloaded, UpdateCheckHost& host, const QString& localFile)
{
    host.setStatusText(QStringLiteral("."));
    if (!downloaded)
        return;

    // Only the regular file the download wrote is read: never a device or a
    // pipe that took its place.
    if (const std::optional<std::string> read =
            ReadRegularFile(LocalPath(localFile), static_cast<std::size_t>(kMaxVersionFileSize))) {
        const QByteArray bytes(read->data(), static_cast<qsizetype>(read->size()));
        const VersionFileLines lines = ReadVersionFileLines(bytes);
        if (IsNewerThanOwnVersion(lines.version)) {
            const UiLanguage language = host.language();
            host.announceNewVersion(QString::fromUtf8(kDownloadCaption(language)),
                                    AcceptedWebAddress(lines.webAddress));
            host.setStatusText(QString::fromUtf8(kNoticePrefix(language)) + lines.name +
                               QStringLiteral(" v") + lines.version);
        }
    }
    QFile::remove(localFile);
}

// --- Th_upg ---------------------------------------------------------------

Th_upg::Th_upg(UpdateCheckHost& host, QObject* parent)
    : QThread(parent),
      host_(host),
      address_(VersionAddress()),
      localFile_(QString::fromLatin1(kVersionFileName)),
      timeLimit_(kDownloadTimeLimit)
{
}

Th_upg::~Th_upg()
{
    if (!Stop(UpdateCheck::kStopGrace))
        wait();
}

void Th_upg::setAddress(const QString& address) { address_ = address; }

void Th_upg::setLocalFile(const QString& localFile) { localFile_ = localFile; }

void Th_upg::setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = ClampedLimit(limit); }

bool Th_upg::evaluated() const
{
    const std::lock_guard lock(mutex_);
    return handOver_ == HandOver::Done;
}

bool Th_upg::Stop(std::chrono::milliseconds grace)
{
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    handOverChanged_.notify_all();
    requestInterruption();
    return wait(QDeadlineTimer(grace));
}

void Th_upg::run()
{
    {
        const std::lock_guard lock(mutex_);
        if (stopped_)
            return;
    }
    result_ = false;
    const bool downloaded = DownloadToFile(address_, localFile_, timeLimit_);
    result_ = downloaded;

    // The synchronous hand-over. The evaluation is posted to this object,
    // which lives on the user-interface thread, and the worker waits until
    // it has run, or until Stop() gives up on it. The wait is not a
    // blocking queued call on purpose: the user-interface thread may itself
    // be waiting for this thread in Stop(), and it releases this wait there.
    std::unique_lock lock(mutex_);
    if (!stopped_) {
        handOver_ = HandOver::Posted;
        QMetaObject::invokeMethod(
            this, [this] { evaluateOnUserInterfaceThread(); }, Qt::QueuedConnection);
        handOverChanged_.wait(lock, [this] {
            return handOver_ == HandOver::Done ||
                   (stopped_ && handOver_ != HandOver::Evaluating);
        });
    }
    const bool wasEvaluated = handOver_ == HandOver::Done;
    lock.unlock();

    // A copy nobody will evaluate does not stay behind.
    if (downloaded && !wasEvaluated)
        QFile::remove(localFile_);
}

void Th_upg::evaluateOnUserInterfaceThread()
{
    {
        const std::lock_guard lock(mutex_);
        if (stopped_ || handOver_ != HandOver::Posted)
            return;
        handOver_ = HandOver::Evaluating;
    }
    try {
        EvaluateVersionFile(result_.load(), host_, localFile_);
    } catch (...) {
        // Nothing of the check reaches the user, and the worker is released.
    }
    {
        const std::lock_guard lock(mutex_);
        handOver_ = HandOver::Done;
    }
    handOverChanged_.notify_all();
}

// --- UpdateCheck ----------------------------------------------------------

UpdateCheck::UpdateCheck(UpdateCheckHost& host) : thread_(std::make_unique<Th_upg>(host)) {}

UpdateCheck::~UpdateCheck()
{
    if (!thread_->Stop(kStopGrace)) {
        // Destroying a running QThread aborts the process. The thread no
        // longer calls the host; let it end with the process.
        qWarning("Kestrane update check: the update thread did not end in time");
        (void)thread_.release();
    }
}

void UpdateCheck::start()
{
    if (started_)
        return;
    started_ = true;
    thread_->start();
}

namespace {

// Keeps a check and its host as a child of their owner. The check is
// declared last, so it is stopped before the host goes.
class AttachedUpdateCheck : public QObject {
public:
    AttachedUpdateCheck(QObject& owner, std::unique_ptr<UpdateCheckHost> host)
        : QObject(&owner), host_(std::move(host)), check_(*host_)
    {
        setObjectName(QStringLiteral("kestraneUpdateCheck"));
    }

    UpdateCheck& check() { return check_; }

private:
    std::unique_ptr<UpdateCheckHost> host_;
    UpdateCheck check_;
};

}  // namespace

UpdateCheck& AttachUpdateCheck(QObject& owner, std::unique_ptr<UpdateCheckHost> host)
{
    auto* attached = new AttachedUpdateCheck(owner, std::move(host));
    attached->check().start();
    return attached->check();
}

}  // namespace kestrane::app
