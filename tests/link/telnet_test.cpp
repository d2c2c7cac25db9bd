// The telnet layer of rfc2217:// ports: data out of a server's stream, answers to its
// negotiations, 0xFF both ways, and sequences cut anywhere by the network.
#include "link/TelnetCodec.h"

#include "support/Bytes.h"

#include <gtest/gtest.h>

using zoz::TelnetCodec;
using zoz::test::bytes;

namespace {

// The stream fed whole and cut at every point must give the same data and answers.
void expectDecodes(const QByteArray& stream, const QByteArray& data, const QByteArray& replies,
                   bool greeted) {
    for (int cut = 0; cut <= stream.size(); ++cut) {
        TelnetCodec codec;
        if (greeted)
            codec.greeting(true);
        QByteArray got = codec.decode(stream.left(cut));
        got += codec.decode(stream.mid(cut));
        EXPECT_EQ(got.toHex(' '), data.toHex(' ')) << "cut at " << cut;
        EXPECT_EQ(codec.takeReplies().toHex(' '), replies.toHex(' ')) << "cut at " << cut;
    }
}

} // namespace

TEST(TelnetCodec, DataAndNegotiationsSeparatedAtEveryCut) {
    enum { IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240 };
    const std::tuple<QByteArray, QByteArray, QByteArray, bool> rows[] = {
        // stream, data, replies, greeted
        // A frame with a doubled 0xFF in it and a NOP and a go-ahead between its bytes.
        {bytes({0x85, IAC, IAC, '2', IAC, 241, '0', IAC, 249, 0x0D}),
         bytes({0x85, 0xFF, '2', '0', 0x0D}), QByteArray(), false},
        // A fresh codec accepts binary and go-ahead suppression, refuses echo and the rest; a
        // repeated request is no change and gets no answer, a withdrawn one is answered once.
        {bytes({IAC, DO,   0, IAC, WILL, 3, IAC, WILL, 1, IAC, DO,   24, 'x',
                IAC, WILL, 3, IAC, DO,   0, IAC, DONT, 0, IAC, DONT, 0}),
         "x", bytes({IAC, WILL, 0, IAC, DO, 3, IAC, DONT, 1, IAC, WONT, 24, IAC, WONT, 0}), false},
        // After the greeting the server's acknowledgements need no answer (no endless loop);
        // DO COM-PORT-OPTION is taken, a withdrawn option is answered once.
        {bytes({IAC, DO, 0, IAC, WILL, 0, IAC, DO, 44, IAC, WONT, 3, IAC, WONT, 3}), QByteArray(),
         bytes({IAC, DONT, 3}), true},
        // The server's COM port answers and notifications (with a doubled 0xFF inside) are read
        // past, the data around them kept.
        {bytes({'a', IAC, SB, 44, 101, 0,   0,   0x4B, 0,  IAC, SE,
                'b', IAC, SB, 44, 107, IAC, IAC, IAC,  SE, 'c'}),
         "abc", QByteArray(), true},
        // A subnegotiation that ends with another command than SE: that command still counts.
        {bytes({IAC, SB, 44, 106, 0, IAC, DO, 24, 'd'}), "d", bytes({IAC, WONT, 24}), true},
    };
    for (const auto& [stream, data, replies, greeted] : rows)
        expectDecodes(stream, data, replies, greeted);
}

// Every byte value survives escape and decode, cut anywhere; the baud rate the server reports
// back is read even when one of its bytes is 0xFF.
TEST(TelnetCodec, EscapedDataAndComPortValuesRoundTrip) {
    QByteArray all;
    for (int v = 0; v < 256; ++v)
        all.append(char(v));
    const QByteArray escaped = TelnetCodec::escape(all);
    EXPECT_EQ(escaped.size(), 257);
    expectDecodes(escaped, all, {}, false);

    const QByteArray settings =
        TelnetCodec::comPortSettings(0x0001FFFF, 7, 2, 1, TelnetCodec::Flow::Hardware, true, false);
    // Rate, data bits, parity, stop bits, flow (3 hardware), DTR on (8), RTS off (12) last.
    EXPECT_EQ(settings.toHex(' '),
              bytes({255, 250, 44, 1,   0,   1,   255, 255, 255, 255, 255, 240, 255, 250,
                     44,  2,   7,  255, 240, 255, 250, 44,  3,   2,   255, 240, 255, 250,
                     44,  4,   1,  255, 240, 255, 250, 44,  5,   3,   255, 240, 255, 250,
                     44,  5,   8,  255, 240, 255, 250, 44,  5,   12,  255, 240})
                  .toHex(' '));
    // The server answers each command with its code + 100.
    QByteArray answer = settings;
    answer[3] = char(101);
    TelnetCodec codec;
    EXPECT_TRUE(codec.decode(answer).isEmpty());
    EXPECT_EQ(codec.serverBaud(), 0x0001FFFFu);
    // The same bytes under another option (24, terminal type) are no rate.
    answer[2] = char(24);
    TelnetCodec other;
    EXPECT_TRUE(other.decode(answer).isEmpty());
    EXPECT_EQ(other.serverBaud(), 0u);
}
