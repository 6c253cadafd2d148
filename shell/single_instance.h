// One copy of the game per user and desktop session. The first copy listens on a local socket; a second
// copy finds it there, asks it to come to the front and ends. The first copy reads one short line from
// each client within a second and holds only a few at once, and listens again if its server fails, so no
// client can keep a second copy from finding it. Copies of different users never talk: the socket lies in a
// folder only its user can enter, and each end checks that the other runs as the same user.
// Plain POSIX sockets watched by Qt's event loop: Qt's own local sockets would bring Qt Network and the
// libraries it needs into every start.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcessEnvironment>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

namespace tessel {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // serverName: a socket path in a folder only this user can enter; empty for no single copy (nothing
    // is asked, nothing listens).
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The name for this user and session: in the user's runtime folder when only they can enter it, else
    // in a folder of their own in the temporary folder, made for them alone; empty when that folder is
    // not safe (a link, someone else's, open to others). It names the session and display, so that games
    // on two displays do not find each other.
    static QString SessionServerName(
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    // When a copy is running: asks it to come to the front, passing the activation token, and returns true.
    // A copy too busy to take the request in time still counts as running.
    // With a game ID, it is asked to start that board too; with a solve's link, to watch it (after starting
    // the board, when both are given).
    bool askRunningCopy(const QByteArray& activationToken, const QString& gameId = {},
                        const QString& watchLink = {});

    // Starts answering later copies. A socket left behind by a copy that crashed is removed first.
    // Should the server fail later, it listens again.
    bool listen();

    const QString& serverName() const { return name_; }

  signals:
    // A later copy asked this one to come to the front.
    void activationRequested(const QByteArray& activationToken);
    // A later copy, started with --game, asked for that board.
    void gameRequested(const QString& gameId);
    // A later copy, started with --watch, asked to watch that solve.
    void watchRequested(const QString& watchLink);

  private:
    // A connected later copy, until its line is read or it is dropped.
    struct Client {
        int socket;
        QSocketNotifier* readable;  // a child of this object
        QByteArray received;
    };

    void acceptClients();
    void readRequest(Client* client);
    void handle(const QByteArray& line);
    void drop(Client* client);
    void stopListening();
    void listenAgainIfLost();

    QString name_;
    int listener_ = -1;
    QSocketNotifier* incoming_ = nullptr;           // a child of this object, while listening
    std::vector<std::unique_ptr<Client>> clients_;  // oldest first
    QTimer listenCheck_;
};

}  // namespace tessel
