// The background update check: once per run a worker thread fetches the
// version file "velkor.ver" from our web site, and the user-interface thread
// evaluates it. When a newer version than our own is published, the main
// window shows a notice and its web label becomes a download link.
//
// Pieces, from the bottom up:
//   DownloadToFile      one HTTP(S) download with a hard time limit
//   EvaluateVersionFile the evaluation, run on the user-interface thread
//   UpdateCheckHost     what the evaluation needs from the main window
//   Th_upg              the worker thread: download, then a synchronous
//                       hand-over of the evaluation to the user-interface
//                       thread
//   UpdateCheck         the owner the main window keeps: starts Th_upg and
//                       stops it at shutdown without hanging or aborting
//
// No failure of the check ever reaches the user: a failed download, an
// unreadable file or a malformed line leave nothing but the "." in the
// status bar.
#pragma once

#include "core/types.h"
#include "core/version.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

class QByteArray;
class QObject;

namespace kestrane::app {

// Our own version in hundredths (0.95 -> 95), from the generated version
// header. The check compares the published version with it; the window
// title shows the same number.
inline constexpr int kOwnVersion = kVersionHundredths;

// Where the published version file lives. The environment variable
// KESTRANE_VERSION_URL, when set and not empty, replaces the whole address
// (a mirror, or a local server in the tests).
inline constexpr char kDefaultVersionAddress[] = "http://kestrane.example/versions/velkor.ver";
inline constexpr char kVersionAddressVariable[] = "KESTRANE_VERSION_URL";

// The local copy, in the current folder; deleted after the evaluation.
inline constexpr char kVersionFileName[] = "velkor.ver";

// The longest a download may take, from the request to the last byte.
inline constexpr std::chrono::milliseconds kDownloadTimeLimit{15000};

// The largest version file accepted; a larger answer counts as a failure.
inline constexpr qint64 kMaxVersionFileSize = 64 * 1024;

// The version address in effect: KESTRANE_VERSION_URL or the default.
QString VersionAddress();

// Downloads `address` (http or https only) into `localFile`. Redirects are
// followed (never from https down to http); the answer must carry an HTTP
// status 2xx. The local file is written, replacing an older one, only when
// the whole answer has arrived within `timeLimit` (at most
// kDownloadTimeLimit); on any failure it is left untouched. It is always a
// new regular file that replaces the name (see ReplacingFile): a link there
// is replaced, never written through. Returns false on
// any failure, never throws.
//
// The download runs its own event loop on the calling thread, with its own
// network access manager. When the calling thread is asked to stop
// (QThread::requestInterruption), the download is abandoned within about
// 50 ms and gives false. The host name is looked up first on a thread of its
// own (unless a proxy is in use), which is left behind when the download is
// abandoned: a name server that does not answer then holds up neither the
// caller nor the end of the process. A name that does not resolve gives
// false.
bool DownloadToFile(const QString& address, const QString& localFile);
bool DownloadToFile(const QString& address, const QString& localFile,
                    std::chrono::milliseconds timeLimit);

// Text of the version file. The bytes are taken as UTF-8 when they are valid
// UTF-8 (a leading byte-order mark is dropped), otherwise as Windows-1250,
// the code page the file has been published in so far. Line breaks are
// CR LF, LF or a lone CR; only the first three lines count, missing lines
// are empty.
struct VersionFileLines {
    QString version;     // line 1, "0.96"
    QString name;        // line 2, shown before the version
    QString webAddress;  // line 3, where the new version can be fetched
};
VersionFileLines ReadVersionFileLines(const QByteArray& bytes);

// The published version in hundredths, compared with kOwnVersion: the
// leading number of line 1 (sign, point and exponent applied, "0.96 beta"
// is 0.96, no number is 0), times 100, rounded to the nearest integer with
// halves to even. True when it is greater than kOwnVersion.
bool IsNewerThanOwnVersion(const QString& versionLine);

// Line 3 as the new web address: accepted only when it is an absolute http
// or https URL with a host (blanks around it are dropped). Anything else
// gives an empty text, and the web address stays what it was.
QString AcceptedWebAddress(const QString& line);

// What the evaluation needs from the main window. Every call comes on the
// user-interface thread, during the evaluation and never after the
// UpdateCheck (or Th_upg) that was given the host has been stopped.
class UpdateCheckHost {
public:
    virtual ~UpdateCheckHost();

    // The current interface language; it picks the notice texts.
    virtual UiLanguage language() const = 0;

    // Shows `text` in the first panel of the status bar.
    virtual void setStatusText(const QString& text) = 0;

    // A newer version is published: the web label gets `labelCaption`
    // ("Letöltés" or "Download"), and the web address becomes `webAddress`
    // unless that is empty (an address that is not http(s) keeps the old
    // one). Called before the notice goes to the status bar.
    virtual void announceNewVersion(const QString& labelCaption, const QString& webAddress) = 0;
};

// The evaluation of the downloaded version file, on the user-interface
// thread:
//   1. the status bar shows "." (always);
//   2. if the download failed, nothing more;
//   3. the file is read; if the version on line 1 is newer than ours, the
//      host is told the new caption and address, and the status bar shows
//      "Új verzió elérhető: " / "New version avaiable: " + line 2 + " v" +
//      line 1 in the current language;
//   4. the name is deleted (also when it could not be read). Only a
//      regular file under the name itself is read, at most
//      kMaxVersionFileSize bytes of it; a link, a pipe or a device there
//      is not opened, and only its directory entry is removed.
void EvaluateVersionFile(bool downloaded, UpdateCheckHost& host,
                         const QString& localFile = QString::fromLatin1(kVersionFileName));

// The update thread. run() downloads the version file and hands the
// evaluation to the user-interface thread, waiting until it has run; then the
// thread ends. Create it on the user-interface thread (the hand-over is
// delivered through this object's thread, so the message loop of that thread
// must run for the evaluation to happen).
//
// Stop() ends the check early: the download is abandoned, a hand-over not yet
// begun is dropped (the host is not called any more) and a downloaded file
// that will not be evaluated is deleted. The worker never blocks the
// user-interface thread: the hand-over waits on a condition that Stop()
// releases, so stopping while the worker waits for the hand-over cannot
// deadlock.
// "Th_upg": thread, upgrade check; the name is kept from the form's code.
class Th_upg : public QThread {
    Q_OBJECT

public:
    explicit Th_upg(UpdateCheckHost& host, QObject* parent = nullptr);
    // Stops the thread and waits for it to end.
    ~Th_upg() override;

    // Settings, before start(). The address defaults to VersionAddress(),
    // the local file to "velkor.ver", the time limit to kDownloadTimeLimit
    // (a longer one is cut to it).
    void setAddress(const QString& address);
    void setLocalFile(const QString& localFile);
    void setTimeLimit(std::chrono::milliseconds limit);

    // The download result; false until the download has succeeded.
    bool result() const { return result_.load(); }

    // True once the evaluation has run on the user-interface thread.
    bool evaluated() const;

    // Call on the user-interface thread. Afterwards the host is never called
    // again. Waits up to `grace` for the thread to end; true when it has
    // (or never ran).
    bool Stop(std::chrono::milliseconds grace);

protected:
    void run() override;

private:
    enum class HandOver { NotYet, Posted, Evaluating, Done };

    void evaluateOnUserInterfaceThread();

    UpdateCheckHost& host_;
    QString address_;
    QString localFile_;
    std::chrono::milliseconds timeLimit_;
    std::atomic<bool> result_{false};

    mutable std::mutex mutex_;
    std::condition_variable handOverChanged_;
    HandOver handOver_ = HandOver::NotYet;
    bool stopped_ = false;
};

// The update check as the main window keeps it. start() creates and starts
// Th_upg; the destructor stops it: the download is abandoned and the thread
// ends within a fraction of a second. Should it ever not end within the
// grace time, the thread object is left behind (it no longer calls the host)
// rather than destroyed while running, which would abort the process.
class UpdateCheck {
public:
    explicit UpdateCheck(UpdateCheckHost& host);
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Starts the check once; later calls do nothing.
    void start();

    // The thread, for its settings before start() and its state.
    Th_upg& thread() { return *thread_; }
    const Th_upg& thread() const { return *thread_; }

    static constexpr std::chrono::milliseconds kStopGrace{3000};

private:
    std::unique_ptr<Th_upg> thread_;
    bool started_ = false;
};

// Starts an update check for `host` and ties it to `owner`, normally the
// main window: the check (and then the host, which it takes over) goes with
// `owner`'s children when `owner` is destroyed, and is stopped first. Call on
// the user-interface thread. Returns the started check.
UpdateCheck& AttachUpdateCheck(QObject& owner, std::unique_ptr<UpdateCheckHost> host);

}  // namespace kestrane::app
