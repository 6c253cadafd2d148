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

QString SafeForFileName(QString text) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return text.replace(unsafe, QStringLiteral("_"));
}

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readRequest(socket);
        }
    });
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
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS)) return false;
    socket.write(ACTIVATE + ' ' + activationToken + '\n');
    socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    // Nothing answered askRunningCopy, so a socket file of this name is stale.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_);
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().trimmed();
        if (line == ACTIVATE || line.startsWith(ACTIVATE + ' ')) {
            emit activationRequested(line.mid(ACTIVATE.size()).trimmed());
        }
    }
}

}  // namespace tessel
