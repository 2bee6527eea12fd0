#include "app/singleinstance.h"

#include "common/version.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace miravel::common;

namespace miravel::app {

namespace {

// How long a later start waits for the running one to take its files.
constexpr int WriteSeconds = 3;
// A list of file names is far smaller; anything larger is not a later start.
constexpr qint64 MaxMessageBytes = 1024 * 1024;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

// The socket file: named in the shared temporary folder. Plain sockets, not
// Qt's network module: loading that library costs more than the start menu.
bool socketAddress(const QString& name, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(QDir::tempPath() + u'/' + name);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// A connected socket to the program listening under `name`, else -1.
int connectTo(const QString& name) {
    sockaddr_un address;
    if (!socketAddress(name, address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    ::close(fd);
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const timeval timeout{WriteSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += n;
    }
    return true;
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
    : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() {
    if (m_listener < 0) return;
    ::close(m_listener);
    sockaddr_un address;
    if (socketAddress(m_name, address)) ::unlink(address.sun_path);
}

bool SingleInstance::handOver(const QString& name, const QStringList& files) {
    const int fd = connectTo(name);
    if (fd < 0) return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << files;
    const bool sent = writeAll(fd, bytes);
    ::close(fd);
    return sent;
}

bool SingleInstance::listen() {
    // Checked first: a live program keeps its socket; one left by a program
    // that ended abruptly is replaced.
    if (const int live = connectTo(m_name); live >= 0) {
        ::close(live);
        return false;
    }
    sockaddr_un address;
    if (m_listener >= 0 || !socketAddress(m_name, address)) return false;
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    // Only this user may hand files over.
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_listener = fd;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections() {
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        auto* received = new QByteArray;
        connect(notifier, &QSocketNotifier::activated, this,
                [this, notifier, received] { read(notifier, *received); });
        connect(notifier, &QObject::destroyed, notifier, [fd, received] {
            ::close(fd);
            delete received;
        });
    }
}

// Reads what has come; the files are taken once the whole list is there.
void SingleInstance::read(QSocketNotifier* connection, QByteArray& received) {
    char buffer[4096];
    ssize_t n = 0;
    // Never more than one byte past the largest message: that byte tells a
    // message too long.
    auto room = [&] {
        return std::min(sizeof buffer, size_t(MaxMessageBytes + 1 - received.size()));
    };
    while (received.size() <= MaxMessageBytes &&
           (n = ::read(int(connection->socket()), buffer, room())) > 0)
        received.append(buffer, qsizetype(n));
    const bool ended = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
    if (received.size() > MaxMessageBytes) {
        connection->setEnabled(false);
        connection->deleteLater();
        return;
    }
    QDataStream in(received);
    in.setVersion(StreamVersion);
    QStringList files;
    in >> files;
    const bool complete = in.status() == QDataStream::Ok;
    if (complete || ended) {
        connection->setEnabled(false);
        connection->deleteLater();
    }
    if (complete) emit filesArrived(files);
}

} // namespace miravel::app
