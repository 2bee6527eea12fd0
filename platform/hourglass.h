#pragma once
// The commanding screen shows the hourglass while a file or print command
// works, and the arrow again when the command ends, however it ends.

class QWidget;

namespace miravel::platform {

class Hourglass {
public:
    explicit Hourglass(QWidget* screen);
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    QWidget* m_screen;
};

} // namespace miravel::platform
