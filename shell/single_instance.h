// One copy of the game per user and desktop session. The first copy listens on a local socket; a second
// copy finds it there, asks it to come to the front and ends.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>

namespace tessel {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // serverName: a socket path, or a bare name that Qt places in the temporary folder.
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);

    // The name for this user and session: in the user's runtime folder when there is one, and
    // naming the session and display, so that games on two displays do not find each other.
    static QString SessionServerName(
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    // When a copy is running: asks it to come to the front, passing the activation token, and returns true.
    bool askRunningCopy(const QByteArray& activationToken);

    // Starts answering later copies. A socket left behind by a copy that crashed is removed first.
    bool listen();

    const QString& serverName() const { return name_; }

  signals:
    // A later copy asked this one to come to the front.
    void activationRequested(const QByteArray& activationToken);

  private:
    void readRequest(QLocalSocket* socket);

    QString name_;
    QLocalServer server_;
};

}  // namespace tessel
