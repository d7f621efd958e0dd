#pragma once
// The one answer of an operator command: it went ahead, or it was refused (with the message to show,
// or silently), or a working file failed (with the run-time's report to show). A command that hands
// something back answers with a Result, the same answer with its value.

#include <ostream>
#include <string>
#include <utility>

namespace zorbon {

class [[nodiscard]] Outcome {
public:
    enum class Kind { Done, Refused, Failed };

    Outcome() = default;
    static Outcome done() { return {}; }
    // Refused: nothing happened. An empty message means nothing is said (a click that means nothing).
    static Outcome refused(std::string message = {}) { return Outcome(Kind::Refused, std::move(message)); }
    // A file operation failed; what the command did before it stays done.
    static Outcome failed(std::string report) { return Outcome(Kind::Failed, std::move(report)); }

    Kind kind() const { return m_kind; }
    bool ok() const { return m_kind == Kind::Done; }
    bool isRefused() const { return m_kind == Kind::Refused; }
    bool isFailed() const { return m_kind == Kind::Failed; }
    // The refusal or the report; empty for a command that went ahead or a silent refusal.
    const std::string& message() const { return m_message; }
    bool operator==(const Outcome&) const = default;

private:
    Outcome(Kind kind, std::string message)
        : m_kind(kind)
        , m_message(std::move(message))
    {
    }
    Kind m_kind = Kind::Done;
    std::string m_message;
};

// An outcome with the value a command hands back; the value is there when the command went ahead,
// and where a command says so also when it failed after making it.
template <class T> class [[nodiscard]] Result : public Outcome {
public:
    Result(T value) // NOLINT(google-explicit-constructor): a command returns its value as done
        : m_value(std::move(value))
    {
    }
    Result(Outcome outcome) // NOLINT(google-explicit-constructor): a refusal or failure passes through
        : Outcome(std::move(outcome))
    {
    }
    Result(Outcome outcome, T value)
        : Outcome(std::move(outcome))
        , m_value(std::move(value))
    {
    }

    const T& value() const& { return m_value; }
    T& value() & { return m_value; }
    // By value from a temporary, so `for (x : command().value())` holds no dangling reference.
    T value() && { return std::move(m_value); }
    const T& operator*() const& { return m_value; }
    const T* operator->() const { return &m_value; }

private:
    T m_value{};
};

// "done", "refused \"…\"" or "failed \"…\"": how an outcome reads in a log or a failed test.
inline std::ostream& operator<<(std::ostream& os, const Outcome& o)
{
    os << (o.ok() ? "done" : o.isRefused() ? "refused" : "failed");
    if (!o.message().empty())
        os << " \"" << o.message() << "\"";
    return os;
}

} // namespace zorbon
