#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>

namespace zoz {

// Turns SIGINT and SIGTERM into a Qt signal on the event loop: the handler only writes the signal
// number to one end of a socket pair (async-signal-safe); a QSocketNotifier on the other end
// emits received() where the program may do anything, also inside a modal box's loop.
// One instance at a time; the previous handlers come back when it is destroyed.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    bool isActive() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    int m_fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
};

} // namespace zoz
