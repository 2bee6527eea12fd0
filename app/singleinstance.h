#pragma once
// One running program per user: a later start hands its files to the one
// already running over a local (Unix domain) socket and ends.

#include <QObject>
#include <QStringList>

class QByteArray;
class QSocketNotifier;

namespace miravel::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name`: the socket's name, the same for every start of the program.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    // Stops listening and removes its socket.
    ~SingleInstance() override;

    // Sends `files` to the program listening under `name`; false when none
    // listens (or it took nothing).
    static bool handOver(const QString& name, const QStringList& files);

    // Starts listening; a socket left behind by a program that ended is
    // replaced, a live one is not. False when it could not listen.
    bool listen();

signals:
    // A later start's files (absolute paths; empty: just come forward).
    void filesArrived(const QStringList& files);

private:
    void acceptConnections();
    void read(QSocketNotifier* connection, QByteArray& received);

    QString m_name;
    int m_listener = -1; // the listening socket, -1 before listen()
};

// The socket name of this program for this user and display.
QString singleInstanceName();

} // namespace miravel::app
