#include "app/singleinstance.h"

#include "common/version.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

using namespace miravel::common;

namespace miravel::app {

namespace {

constexpr int ConnectMs = 1000;
constexpr int WriteMs = 3000;
// A list of file names is far smaller; anything larger is not a later start.
constexpr qint64 MaxMessageBytes = 1024 * 1024;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

bool someoneListens(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(ConnectMs);
}

} // namespace

QString singleInstanceName() {
    // Sockets live in the shared temporary folder: one per user and display,
    // so that a program on another display (a second session, Xvfb) is apart.
    QString display = QGuiApplication::platformName() + u'-' +
                      qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-') c = u'_';
    return programId() + u'-' + QString::number(::getuid()) + u'-' + display;
}

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

bool SingleInstance::handOver(const QString& name, const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMs)) return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << files;
    socket.write(bytes);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(WriteMs)) return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    // Checked first: listening with access options replaces a socket file,
    // even a live one.
    if (someoneListens(m_name)) return false;
    QLocalServer::removeServer(m_name); // left by a program that ended abruptly
    return m_server->listen(m_name);
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0) read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket) {
    if (socket->bytesAvailable() > MaxMessageBytes) {
        socket->abort();
        return;
    }
    QDataStream in(socket);
    in.setVersion(StreamVersion);
    in.startTransaction();
    QStringList files;
    in >> files;
    if (!in.commitTransaction()) return; // the rest is still on its way
    socket->disconnectFromServer();
    emit filesArrived(files);
}

} // namespace miravel::app
