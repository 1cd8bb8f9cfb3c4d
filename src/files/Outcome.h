// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace brixolan {

/// The end of work that can fail for a reason the player must read: success, or the German
/// message. The caller that can show messages checks it and shows the message; nothing else
/// reports failures to the player.
class [[nodiscard]] Outcome {
public:
    Outcome() = default;
    static Outcome failure(QString message) { return Outcome(std::move(message)); }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    /// The German message; empty on success.
    QString message() const { return m_message.value_or(QString()); }

private:
    explicit Outcome(QString message) : m_message(std::move(message)) {}
    std::optional<QString> m_message;
};

/// A value, or the German message saying why there is none.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Outcome failure) : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    QString message() const { return m_failure.message(); }
    Outcome outcome() const { return m_failure; }

private:
    std::optional<T> m_value;
    Outcome m_failure;
};

} // namespace brixolan
