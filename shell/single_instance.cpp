#include "shell/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "game/history.h"
#include "shell/strings.h"

namespace tessel {

namespace {

constexpr int CONNECT_TIMEOUT_MS = 1000;
const QByteArray ACTIVATE = QByteArrayLiteral("activate");
// "play ID TOKEN": come to the front and start the board of that game ID.
const QByteArray PLAY = QByteArrayLiteral("play");
// "watch LINK ID TOKEN": come to the front, start the board of game ID unless it is "-", then watch the
// solve's link.
const QByteArray WATCH = QByteArrayLiteral("watch");
const QByteArray NO_GAME_ID = QByteArrayLiteral("-");

// A later copy sends its one line at once; whoever connects and says nothing for this long is dropped.
constexpr int REQUEST_TIMEOUT_MS = 1000;
// "activate" and an activation token, which is well under a kilobyte, or a solve's link besides: up to ten
// characters a move.
constexpr qint64 MAX_REQUEST_BYTES = 4096 + 10 * static_cast<qint64>(HISTORY_LIMIT);
// Connections held at once. The oldest is dropped to make room, so that clients that connect and wait
// cannot use up the program's files: the server would lose its socket when accepting failed.
constexpr std::size_t MAX_CLIENTS = 8;
// Connections the system holds until this copy accepts them; later copies meanwhile are refused for a
// while and count it as running (askRunningCopy).
constexpr int PENDING_CONNECTIONS = 50;
// How often the server checks that it still listens.
constexpr int LISTEN_CHECK_MS = 1000;

// Every character but ASCII letters, digits, '.', '_' and '-' made '_'. By hand: a regular expression
// would cost the start more than the rest of this file does.
QString SafeForFileName(QString text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        const bool safe = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                          u == '.' || u == '_' || u == '-';
        if (!safe) c = QLatin1Char('_');
    }
    return text;
}

// Qt tells neither links from folders nor who is at the other end of a local socket, so these ask the
// system (Linux) directly.

// Whether only this user can reach what lies in `folder`: a real folder, not a link, of ours, closed to
// group and others.
bool IsPrivateFolder(const QString& folder) {
    struct stat info {};
    return lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// Whether the file at `path` belongs to this user.
bool IsOurs(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && info.st_uid == geteuid();
}

// Whether the other end of a connected local socket runs as this user.
bool PeerIsUs(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

// The socket's address; false when the path is too long for one.
bool AddressOf(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return true;
}

int LocalSocket() {
    return socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits until the socket can take more bytes or the time is up.
bool WaitWritable(int socket, int timeoutMs) {
    pollfd wanted{socket, POLLOUT, 0};
    return poll(&wanted, 1, timeoutMs) == 1 && (wanted.revents & POLLOUT);
}

// Writes all of `bytes` within the time; false when the other end is gone or too slow.
bool WriteAll(int socket, QByteArray bytes, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!bytes.isEmpty()) {
        const ssize_t sent =
            send(socket, bytes.constData(), static_cast<std::size_t>(bytes.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove(0, sent);
        } else if (sent < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!WaitWritable(socket, std::max<int>(0, timeoutMs - static_cast<int>(clock.elapsed())))) {
            return false;
        }
    }
    return true;
}

// Stops a notifier, and deletes it once the event loop is back: it may be the one whose signal is being
// handled. Its parent deletes it at the latest.
void Retire(QSocketNotifier*& notifier) {
    if (!notifier) return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
    connect(&listenCheck_, &QTimer::timeout, this, &SingleInstance::listenAgainIfLost);
}

SingleInstance::~SingleInstance() {
    while (!clients_.empty()) drop(clients_.front().get());
    stopListening();
}

QString SingleInstance::SessionServerName(const QProcessEnvironment& env) {
    QString display = env.value(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty()) display = env.value(QStringLiteral("DISPLAY"));
    const QString session = env.value(QStringLiteral("XDG_SESSION_ID"));
    const QString name =
        SafeForFileName(QString::fromLatin1(CLASS_NAME).toLower() + '-' + session + '-' + display);

    const QString runtimeDir = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtimeDir.isEmpty() && IsPrivateFolder(runtimeDir)) return QDir(runtimeDir).filePath(name);

    // In the shared temporary folder anyone could take the socket's name first and listen there, so the
    // socket goes in a folder of our own. Whatever else holds its name (a link, someone else's folder, a
    // folder open to others) is not trusted: no name, no single copy.
    QString temp = env.value(QStringLiteral("TMPDIR"));
    if (temp.isEmpty()) temp = QStringLiteral("/tmp");
    const QString folder =
        QDir(temp).filePath(QString::fromLatin1(CLASS_NAME).toLower() + '-' + QString::number(geteuid()));
    mkdir(QFile::encodeName(folder).constData(), S_IRWXU);  // fails when something has the name already
    return IsPrivateFolder(folder) ? QDir(folder).filePath(name) : QString();
}

bool SingleInstance::askRunningCopy(const QByteArray& activationToken, const QString& gameId,
                                    const QString& watchLink) {
    sockaddr_un address{};
    if (name_.isEmpty() || !AddressOf(name_, address)) return false;
    const int socket = LocalSocket();
    if (socket < 0) return false;
    // A copy whose queue of connections is full (while it plays its splash, say) refuses with EAGAIN;
    // it is asked again until the time is up, and then still counts as running, if the socket is ours.
    QElapsedTimer clock;
    clock.start();
    int connected = -1;
    while ((connected = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address)) !=
               0 &&
           (errno == EAGAIN || errno == EINTR) && clock.elapsed() < CONNECT_TIMEOUT_MS) {
        usleep(10'000);
    }
    const int error = errno;
    bool running = false;
    if (connected != 0) {
        // Refused or not found: nobody listens.
        running = error == EAGAIN && IsOurs(name_);
    } else if (PeerIsUs(socket)) {  // someone else's listener hears nothing, and stands for no copy of ours
        // A game ID and a link have been checked: they hold neither blanks nor line ends.
        const QByteArray id = gameId.toUtf8();
        WriteAll(socket,
                 !watchLink.isEmpty() ? WATCH + ' ' + watchLink.toUtf8() + ' ' +
                                            (id.isEmpty() ? NO_GAME_ID : id) + ' ' + activationToken + '\n'
                 : id.isEmpty() ? ACTIVATE + ' ' + activationToken + '\n'
                                : PLAY + ' ' + id + ' ' + activationToken + '\n',
                 CONNECT_TIMEOUT_MS);
        running = true;
    }
    close(socket);
    return running;
}

bool SingleInstance::listen() {
    sockaddr_un address{};
    if (name_.isEmpty() || !AddressOf(name_, address)) return false;
    stopListening();
    // No copy of ours answered askRunningCopy, so a socket file of this name is stale. It lies in a folder
    // only we can enter, so removing it takes nothing from another user.
    const QByteArray path = QFile::encodeName(name_);
    unlink(path.constData());
    listenCheck_.start(LISTEN_CHECK_MS);
    listener_ = LocalSocket();
    if (listener_ < 0) return false;
    // The socket file only for its user, whatever the umask.
    fchmod(listener_, S_IRUSR | S_IWUSR);
    if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(listener_, PENDING_CONNECTIONS) != 0) {
        stopListening();
        return false;
    }
    incoming_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(incoming_, &QSocketNotifier::activated, this, &SingleInstance::acceptClients);
    return true;
}

void SingleInstance::stopListening() {
    Retire(incoming_);
    if (listener_ >= 0) close(listener_);
    listener_ = -1;
}

void SingleInstance::listenAgainIfLost() {
    if (listener_ >= 0 && QFileInfo::exists(name_)) return;
    listen();
}

void SingleInstance::acceptClients() {
    for (;;) {
        const int socket = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EAGAIN || errno == EINTR || errno == ECONNABORTED) return;
            // No file left for a connection, say: the socket is closed and removed, and the check listens
            // again, since a listener that cannot accept would keep every later copy waiting.
            stopListening();
            unlink(QFile::encodeName(name_).constData());
            return;
        }
        if (!PeerIsUs(socket)) {
            // Unread, and reset rather than closed in order.
            const linger reset{1, 0};
            setsockopt(socket, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            close(socket);
            continue;
        }
        auto client = std::make_unique<Client>(
            Client{socket, new QSocketNotifier(socket, QSocketNotifier::Read, this), {}});
        Client* added = client.get();
        connect(client->readable, &QSocketNotifier::activated, this, [this, added] { readRequest(added); });
        clients_.push_back(std::move(client));
        if (clients_.size() > MAX_CLIENTS) drop(clients_.front().get());
        // Whoever says nothing for a second is dropped; the timer's context is the client's notifier.
        QTimer::singleShot(REQUEST_TIMEOUT_MS, added->readable, [this, added] { drop(added); });
        readRequest(added);
    }
}

void SingleInstance::readRequest(Client* client) {
    char bytes[512];
    for (;;) {
        const ssize_t got = read(client->socket, bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno == EAGAIN) return;
        if (got <= 0) return drop(client);  // gone, or an error
        client->received.append(bytes, got);
        if (const qsizetype end = client->received.indexOf('\n'); end >= 0) {
            const QByteArray line = client->received.left(end).trimmed();
            drop(client);
            return handle(line);
        }
        if (client->received.size() >= MAX_REQUEST_BYTES) return drop(client);
    }
}

void SingleInstance::handle(const QByteArray& line) {
    if (line == ACTIVATE || line.startsWith(ACTIVATE + ' ')) {
        emit activationRequested(line.mid(ACTIVATE.size()).trimmed());
    } else if (line.startsWith(PLAY + ' ')) {
        const QList<QByteArray> words = line.split(' ');
        emit activationRequested(words.value(2));
        emit gameRequested(QString::fromUtf8(words.value(1)));
    } else if (line.startsWith(WATCH + ' ')) {
        const QList<QByteArray> words = line.split(' ');
        emit activationRequested(words.value(3));
        if (words.value(2) != NO_GAME_ID) emit gameRequested(QString::fromUtf8(words.value(2)));
        emit watchRequested(QString::fromUtf8(words.value(1)));
    }
}

void SingleInstance::drop(Client* client) {
    const auto found =
        std::find_if(clients_.begin(), clients_.end(),
                     [client](const std::unique_ptr<Client>& held) { return held.get() == client; });
    if (found == clients_.end()) return;
    const std::unique_ptr<Client> dropped = std::move(*found);
    clients_.erase(found);
    Retire(dropped->readable);
    close(dropped->socket);
}

}  // namespace tessel
