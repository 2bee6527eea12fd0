#pragma once
// The two kinds of failure the program knows.
//
// RunTimeError is a numbered run-time condition raised by the core while it
// computes (overflow, subscript out of range, type mismatch). The screens
// decide what the user sees for each number.
//
// UserError carries a finished Japanese message for the user; it is raised by
// the core where an operation has to be refused (a project file that cannot
// be read or written) and caught only by the screens, which show it.

#include <QString>
#include <exception>

namespace miravel::common {

class RunTimeError : public std::exception {
public:
    enum Number { Overflow = 6, SubscriptOutOfRange = 9, TypeMismatch = 13 };

    explicit RunTimeError(int number) : m_number(number) {}
    int number() const { return m_number; }
    const char* what() const noexcept override { return "run-time error"; }

private:
    int m_number;
};

class UserError : public std::exception {
public:
    explicit UserError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return "user error"; }

private:
    QString m_message;
};

} // namespace miravel::common
