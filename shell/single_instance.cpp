#include "shell/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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
// How often the server checks that it still listens.
constexpr int LISTEN_CHECK_MS = 1000;

QString SafeForFileName(QString text) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return text.replace(unsafe, QStringLiteral("_"));
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
bool PeerIsUs(qintptr socketDescriptor) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == geteuid();
}

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptClients);
    connect(&listenCheck_, &QTimer::timeout, this, &SingleInstance::listenAgainIfLost);
}

SingleInstance::~SingleInstance() {
    // The clients belong to the server and go with it; they must not report back here meanwhile.
    for (QLocalSocket* client : clients_) client->disconnect(this);
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
    if (name_.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS)) {
        // Refused or not found: nobody listens. Still connecting when the wait ran out: a copy listens but
        // its queue of connections is full (while it plays its splash, say), so it runs all the same, if
        // the socket is ours.
        return socket.state() == QLocalSocket::ConnectingState && IsOurs(name_);
    }
    // Someone else's listener hears nothing, not even the token, and stands for no copy of ours.
    if (!PeerIsUs(socket.socketDescriptor())) return false;
    // A game ID and a link have been checked: they hold neither blanks nor line ends.
    if (!watchLink.isEmpty()) {
        socket.write(WATCH + ' ' + watchLink.toUtf8() + ' ' +
                     (gameId.isEmpty() ? NO_GAME_ID : gameId.toUtf8()) + ' ' + activationToken + '\n');
    } else {
        socket.write(gameId.isEmpty() ? ACTIVATE + ' ' + activationToken + '\n'
                                      : PLAY + ' ' + gameId.toUtf8() + ' ' + activationToken + '\n');
    }
    socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    if (name_.isEmpty()) return false;
    // No copy of ours answered askRunningCopy, so a socket file of this name is stale. It lies in a folder
    // only we can enter, so removing it takes nothing from another user.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    listenCheck_.start(LISTEN_CHECK_MS);
    return server_.listen(name_);
}

void SingleInstance::listenAgainIfLost() {
    // When accepting a connection fails (no file left, say), the server closes and removes its socket
    // file, though it still counts as listening.
    if (server_.isListening() && QFileInfo::exists(server_.fullServerName())) return;
    server_.close();
    server_.listen(name_);
}

void SingleInstance::acceptClients() {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        if (!PeerIsUs(client->socketDescriptor())) {
            client->abort();  // unread
            client->deleteLater();
            continue;
        }
        clients_.push_back(client);
        if (clients_.size() > MAX_CLIENTS) drop(clients_.front());
        client->setReadBufferSize(MAX_REQUEST_BYTES);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { readRequest(client); });
        connect(client, &QLocalSocket::disconnected, this, [this, client] { drop(client); });
        QTimer::singleShot(REQUEST_TIMEOUT_MS, client, [this, client] { drop(client); });
        readRequest(client);
    }
}

void SingleInstance::readRequest(QLocalSocket* client) {
    if (client->canReadLine()) {
        const QByteArray line = client->readLine().trimmed();
        drop(client);
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
    } else if (client->bytesAvailable() >= MAX_REQUEST_BYTES) {
        drop(client);
    }
}

void SingleInstance::drop(QLocalSocket* client) {
    if (std::erase(clients_, client) == 0) return;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}

}  // namespace tessel
