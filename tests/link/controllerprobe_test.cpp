#include "link/ControllerProbe.h"

#include "support/SimProcess.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

// An answering controller, a silent one (within the time-out, not the port's 10 s) and a port that
// is not there; the probe shows and logs nothing, so only its result and error tell.
TEST(ControllerProbeTest, AnswersOnlyWhen81ArrivesInTime) {
    const struct {
        QStringList simArgs;
        bool missingPort;
        bool answers;
    } rows[] = {
        {{}, false, true},
        {{"--do", "fault noanswer"}, false, false},
        {{"--answer-delay", "900"}, false, false},
        {{}, true, false},
    };
    for (const auto& row : rows) {
        SimProcess sim(row.simArgs);
        const QString port = row.missingPort ? QStringLiteral("/dev/no-such-tty") : sim.device();
        QString error = QStringLiteral("stale");
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(ControllerProbe::answersOnlineTest(port, "19200,n,8,1", 0, 400, &error),
                  row.answers)
            << row.simArgs.join(' ').toStdString();
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(error.isEmpty(), !row.missingPort) << error.toStdString();
        if (!row.missingPort) {
            EXPECT_FALSE(sim.waitFor(QStringLiteral("RX 80")).isEmpty());
        }
    }
}

} // namespace
