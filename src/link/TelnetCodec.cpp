#include "link/TelnetCodec.h"

namespace zoz {

namespace {

// Commands of the COM port option, client to server; the server answers with the code + 100.
constexpr quint8 kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4,
                 kSetControl = 5;
constexpr quint8 kDtrOn = 8, kDtrOff = 9, kRtsOn = 11, kRtsOff = 12;

bool weOffer(quint8 option) {
    return option == TelnetCodec::Binary || option == TelnetCodec::SuppressGoAhead ||
           option == TelnetCodec::ComPort;
}
bool weAccept(quint8 option) {
    return option == TelnetCodec::Binary || option == TelnetCodec::SuppressGoAhead;
}

QByteArray comPortCommand(quint8 command, const QByteArray& value) {
    QByteArray out;
    out.append(char(TelnetCodec::IAC)).append(char(TelnetCodec::SB));
    out.append(char(TelnetCodec::ComPort)).append(char(command));
    out.append(TelnetCodec::escape(value));
    out.append(char(TelnetCodec::IAC)).append(char(TelnetCodec::SE));
    return out;
}

} // namespace

QByteArray TelnetCodec::escape(const QByteArray& data) {
    if (!data.contains(char(IAC)))
        return data;
    QByteArray out;
    out.reserve(data.size() + 8);
    for (char c : data) {
        out.append(c);
        if (quint8(c) == IAC)
            out.append(c);
    }
    return out;
}

QByteArray TelnetCodec::takeReplies() {
    QByteArray out;
    out.swap(m_replies);
    return out;
}

void TelnetCodec::reply(quint8 verb, quint8 option) {
    m_replies.append(char(IAC)).append(char(verb)).append(char(option));
}

QByteArray TelnetCodec::greeting(bool comPort) {
    QByteArray out;
    const auto add = [&out](quint8 verb, quint8 option) {
        out.append(char(IAC)).append(char(verb)).append(char(option));
    };
    for (quint8 option : {Binary, SuppressGoAhead}) {
        m_weWill[option] = m_theyDo[option] = true;
        add(WILL, option);
        add(DO, option);
    }
    if (comPort) {
        m_weWill[ComPort] = true;
        add(WILL, ComPort);
    }
    return out;
}

QByteArray TelnetCodec::comPortSettings(quint32 baud, int dataBits, int parity, int stopSize,
                                        Flow flow, bool dtr, bool rts) {
    QByteArray rate(4, '\0');
    for (int i = 0; i < 4; ++i)
        rate[i] = char(baud >> (8 * (3 - i)));
    return comPortCommand(kSetBaudRate, rate) +
           comPortCommand(kSetDataSize, QByteArray(1, char(dataBits))) +
           comPortCommand(kSetParity, QByteArray(1, char(parity))) +
           comPortCommand(kSetStopSize, QByteArray(1, char(stopSize))) +
           comPortCommand(kSetControl, QByteArray(1, char(flow))) +
           comPortCommand(kSetControl, QByteArray(1, char(dtr ? kDtrOn : kDtrOff))) +
           comPortCommand(kSetControl, QByteArray(1, char(rts ? kRtsOn : kRtsOff)));
}

// Each side's state changes only on a real change, so two peers never answer each other forever.
void TelnetCodec::negotiate(quint8 verb, quint8 option) {
    switch (verb) {
    case DO:
        if (option == ComPort)
            m_comPortAnswered = m_comPortAccepted = true;
        if (!weOffer(option))
            reply(WONT, option);
        else if (!m_weWill[option]) {
            m_weWill[option] = true;
            reply(WILL, option);
        }
        break;
    case DONT:
        if (option == ComPort) {
            m_comPortAnswered = true;
            m_comPortAccepted = false;
        }
        if (m_weWill[option]) {
            m_weWill[option] = false;
            reply(WONT, option);
        }
        break;
    case WILL:
        if (!weAccept(option))
            reply(DONT, option);
        else if (!m_theyDo[option]) {
            m_theyDo[option] = true;
            reply(DO, option);
        }
        break;
    case WONT:
        if (m_theyDo[option]) {
            m_theyDo[option] = false;
            reply(DONT, option);
        }
        break;
    default:
        break;
    }
}

// Of the server's COM port messages only the baud rate it set is kept; the line and modem state
// notifications are read past.
void TelnetCodec::subnegotiation() {
    if (m_sub.size() >= 6 && quint8(m_sub[0]) == ComPort &&
        quint8(m_sub[1]) == kSetBaudRate + 100) {
        m_serverBaud = 0;
        for (int i = 2; i < 6; ++i)
            m_serverBaud = (m_serverBaud << 8) | quint8(m_sub[i]);
    }
    m_sub.clear();
}

QByteArray TelnetCodec::decode(const QByteArray& input) {
    QByteArray data;
    data.reserve(input.size());
    for (char c : input) {
        const quint8 b = quint8(c);
        switch (m_state) {
        case State::Data:
            if (b == IAC)
                m_state = State::Command;
            else
                data.append(c);
            break;
        case State::Command:
            if (b == IAC) {
                data.append(c);
                m_state = State::Data;
            } else if (b >= WILL) {
                m_verb = b;
                m_state = State::Verb;
            } else if (b == SB) {
                m_sub.clear();
                m_state = State::Sub;
            } else {
                m_state = State::Data; // NOP, go-ahead, break, a stray SE: nothing for the line
            }
            break;
        case State::Verb:
            negotiate(m_verb, b);
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == IAC)
                m_state = State::SubCommand;
            else if (m_sub.size() < kMaxSub)
                m_sub.append(c);
            break;
        case State::SubCommand:
            if (b == IAC) {
                if (m_sub.size() < kMaxSub)
                    m_sub.append(c);
                m_state = State::Sub;
            } else {
                // SE ends it; any other command ends it too and is then taken as a command.
                subnegotiation();
                m_state = State::Data;
                if (b != SE) {
                    m_state = State::Command;
                    data.append(decode(QByteArray(1, c)));
                }
            }
            break;
        }
    }
    return data;
}

} // namespace zoz
