#pragma once

#include <QByteArray>
#include <array>

namespace zoz {

// The telnet side of an RFC 2217 connection, with no socket: bytes from the server go in, the data
// bytes among them come out, and the answers the server's negotiations need are collected for
// sending back. Commands never reach the data; sequences cut between two reads are kept until the
// rest arrives. Outgoing data has its 0xFF bytes doubled by escape().
class TelnetCodec {
public:
    enum Byte : quint8 {
        SE = 240,
        SB = 250,
        WILL = 251,
        WONT = 252,
        DO = 253,
        DONT = 254,
        IAC = 255,
    };
    enum Option : quint8 { Binary = 0, SuppressGoAhead = 3, ComPort = 44 };
    // Flow control as SET-CONTROL names it.
    enum class Flow { None = 1, XonXoff = 2, Hardware = 3 };

    // The data bytes of `input`; the answers it needs are added to replies().
    QByteArray decode(const QByteArray& input);
    // The answers collected so far, removed from the codec.
    QByteArray takeReplies();
    // 0xFF doubled, as data must go on a telnet connection.
    static QByteArray escape(const QByteArray& data);

    // What a client says first: binary both ways, no go-ahead, and (rfc2217) the COM port option.
    QByteArray greeting(bool comPort);
    // SET-BAUDRATE, -DATASIZE, -PARITY (1 none, 2 odd, 3 even, 4 mark, 5 space), -STOPSIZE (1 one,
    // 2 two, 3 one and a half), SET-CONTROL for flow, DTR and RTS.
    static QByteArray comPortSettings(quint32 baud, int dataBits, int parity, int stopSize,
                                      Flow flow, bool dtr, bool rts);

    // Whether the server has answered our WILL COM-PORT-OPTION (accepted or not), and how.
    bool comPortAnswered() const { return m_comPortAnswered; }
    bool comPortAccepted() const { return m_comPortAccepted; }
    // The baud rate the server last reported (its answer to SET-BAUDRATE), 0 before one.
    quint32 serverBaud() const { return m_serverBaud; }

private:
    enum class State { Data, Command, Verb, Sub, SubCommand };
    void negotiate(quint8 verb, quint8 option);
    void subnegotiation();
    void reply(quint8 verb, quint8 option);

    static constexpr int kMaxSub = 64; // longer subnegotiations are cut; none we read is longer
    State m_state = State::Data;
    quint8 m_verb = 0;
    QByteArray m_sub;
    QByteArray m_replies;
    // Per option: what we said we will do (WILL) and what we asked the server to do (DO).
    std::array<bool, 256> m_weWill{};
    std::array<bool, 256> m_theyDo{};
    bool m_comPortAnswered = false;
    bool m_comPortAccepted = false;
    quint32 m_serverBaud = 0;
};

} // namespace zoz
