#include "shell/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>

#include <unistd.h>

#include "shell/strings.h"

namespace tessel {

namespace {

constexpr int CONNECT_TIMEOUT_MS = 1000;
const QByteArray ACTIVATE = QByteArrayLiteral("activate");

// A later copy sends its one line at once; whoever connects and says nothing for this long is dropped.
constexpr int REQUEST_TIMEOUT_MS = 1000;
// "activate" and an activation token, which is well under a kilobyte.
constexpr qint64 MAX_REQUEST_BYTES = 4096;
// Connections held at once. The oldest is dropped to make room, so that clients that connect and wait
// cannot use up the program's files: the server would lose its socket when accepting failed.
constexpr std::size_t MAX_CLIENTS = 8;
// How often the server checks that it still listens.
constexpr int LISTEN_CHECK_MS = 1000;

QString SafeForFileName(QString text) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return text.replace(unsafe, QStringLiteral("_"));
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
        SafeForFileName(LoadString(IDS_CLASS_NAME).toLower() + '-' + session + '-' + display);

    const QString runtimeDir = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir()) return QDir(runtimeDir).filePath(name);
    // The temporary folder is shared between users: the user id keeps their games apart.
    return name + '-' + QString::number(getuid());
}

bool SingleInstance::askRunningCopy(const QByteArray& activationToken) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS)) {
        // Refused or not found: nobody listens. Still connecting when the wait ran out: a copy listens but
        // its queue of connections is full (while it plays its splash, say), so it runs all the same.
        return socket.state() == QLocalSocket::ConnectingState;
    }
    socket.write(ACTIVATE + ' ' + activationToken + '\n');
    socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    // Nothing answered askRunningCopy, so a socket file of this name is stale.
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
