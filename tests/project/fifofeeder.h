#pragma once
// A named pipe with a writer that waits for a reader, for tests of what
// loading does with one. Should the reader open and read the pipe, the writer
// gives it `bytes` and closes, so the reader gets a whole file instead of
// blocking the test; the writer gives up when the feeder goes out of scope.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class FifoFeeder {
public:
    FifoFeeder(const QString& path, QByteArray bytes)
        : m_path(QFile::encodeName(path)), m_bytes(std::move(bytes)) {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made) m_writer = std::thread([this] { feed(); });
    }
    ~FifoFeeder() {
        m_stop = true;
        if (m_writer.joinable()) m_writer.join();
    }
    FifoFeeder(const FifoFeeder&) = delete;
    FifoFeeder& operator=(const FifoFeeder&) = delete;

    bool made() const { return m_made; }
    bool fed() const { return m_fed; }

private:
    void feed() {
        while (!m_stop) {
            // Without a reader, a writer's non-blocking open fails at once.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_fed = ::write(fd, m_bytes.constData(), size_t(m_bytes.size())) == m_bytes.size();
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    QByteArray m_path;
    QByteArray m_bytes;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_fed{false};
    std::thread m_writer;
};
