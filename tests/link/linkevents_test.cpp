#include "link/PortReviver.h"
#include "support/LinkRig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

using zoz::test::LinkRig;

// A send inside a running send (an answer to a received frame) finds the dialog up: no activation,
// so its caption waits for the next one.
TEST(LinkEvents, ACaptionGivenWhileTheDialogIsUpWaitsForTheNextActivation) {
    LinkRig rig;
    bool nested = false;
    rig.ui.onProcessEvents = [&] {
        if (rig.ui.commDialogDepth > 0 && !std::exchange(nested, true))
            rig.transport->TransmitData(QByteArray("\x80\r"), "Inner");
    };
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r"), "Outer"));
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r")));
    EXPECT_EQ(rig.ui.events.filter("commShow:").replaceInStrings("commShow:", ""),
              QStringList({"Outer", "", "Inner"}));
    EXPECT_EQ(rig.ui.commDialogDepth, 0);
}

// The end stops the link: a running wait ends as cancelled at once, not at its time-out.
TEST(LinkEvents, StoppingTheLinkEndsARunningWait) {
    LinkRig rig{{{"TimeOut", "10"}}};
    ASSERT_TRUE(rig.opened);
    QTimer::singleShot(50, rig.transport.get(), [&] { rig.transport->Stop(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.transport->WaitForResponse("99").kind, zoz::LinkOutcome::Cancelled);
    EXPECT_LT(clock.elapsed(), 3000);
}

// A hang-up ends the wait at once, is one port error with the system's text, fails the next send.
TEST(LinkEvents, AHangUpIsAPortErrorAndTheNextSendFails) {
    LinkRig rig{{{"TimeOut", "10"}}};
    rig.switches.ShowMsgBox = false; // the failed send shows its box all the same
    rig.write("zozedud.Ini", rig.read("zozedud.Ini") + "Comm_HangUp_Err=Lost '&' on port &\r\n");
    rig.sim.command("fault hangup");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x82\r")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.transport->WaitForResponse("83").kind, zoz::LinkOutcome::HungUp);
    EXPECT_LT(clock.elapsed(), 3000);
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.port->isOpen(); }, 2000));
    const QString lost = QString("  Lost '%1' on port %2")
                             .arg(QString::fromLocal8Bit(std::strerror(EIO)), rig.sim.device());
    EXPECT_EQ(rig.proto.text().count(lost), 1) << rig.proto.text().toStdString();
    EXPECT_TRUE(rig.ui.statusTexts.contains(lost));
    EXPECT_FALSE(rig.transport->TransmitData(QByteArray("\x80\r")));
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.ui.boxes.first().text.startsWith("  Comm_TransmitData_Err"));
    EXPECT_FALSE(rig.ui.busy);
}

// A test that dies mid-run leaves no simulator behind holding its output pipe: ctest would wait for
// that pipe long past the test's time-out. The test runs itself as the child that dies.
TEST(LinkEvents, ASimulatorDiesWithItsTest) {
    if (qEnvironmentVariableIsSet("ZOZ_DIE_WITH_SIM")) {
        zoz::test::SimProcess sim;
        std::printf("SIMPID %lld\n", sim.pid());
        std::fflush(stdout);
        std::abort();
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOZ_DIE_WITH_SIM", "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=LinkEvents.ASimulatorDiesWithItsTest"});
    ASSERT_TRUE(child.waitForFinished(10000));
    const QByteArray out = child.readAll();
    const int at = out.indexOf("SIMPID ");
    ASSERT_GE(at, 0) << out.toStdString();
    const pid_t simPid = pid_t(out.mid(at + 7, out.indexOf('\n', at) - at - 7).toLongLong());
    ASSERT_GT(simPid, 0);
    // Dead within a second (a zombie not yet reaped by whoever adopted it counts as dead).
    const auto alive = [simPid] {
        QFile stat(QString("/proc/%1/stat").arg(simPid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    };
    EXPECT_TRUE(LinkRig::spinUntil([&] { return !alive(); }, 1000));
    if (alive())
        ::kill(simPid, SIGKILL);
}

// The device comes back at the same path after a hang-up (a new pseudo terminal behind the link):
// the port reopens by itself on the slow timer, says so, stops trying and answers again.
TEST(LinkEvents, AHungUpPortReopensWhenTheDeviceIsBack) {
    QTemporaryDir links;
    const QString path = links.filePath("qpl");
    LinkRig rig{{{"Port", path}}, {"--link", path}};
    ASSERT_TRUE(rig.opened);
    zoz::PortReviver reviver(*rig.port, *rig.transport, *rig.reporter);
    rig.reporter->setHangUpHint(true);
    rig.sim.command("fault hangup");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x82\r")));
    EXPECT_FALSE(rig.transport->WaitForResponse("83"));
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !QFileInfo(path).isSymLink(); }, 3000));
    EXPECT_FALSE(rig.port->isOpen());
    EXPECT_TRUE(rig.ui.statusTexts.last().endsWith(" - Comm_HangUp_Info")) // names the way out
        << rig.ui.statusTexts.join("|").toStdString();
    EXPECT_TRUE(reviver.waiting());
    EXPECT_FALSE(reviver.tryNow()); // nothing there yet

    zoz::test::SimProcess back({"--link", path});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(LinkRig::spinUntil([&] { return rig.port->isOpen(); }, 5000));
    EXPECT_LE(clock.elapsed(), zoz::PortReviver::IntervalMs + 500);
    EXPECT_FALSE(reviver.waiting());
    EXPECT_EQ(rig.ui.statusTexts.last(), "  Comm_Port_Back_Info");
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r")));
    EXPECT_TRUE(rig.transport->WaitForResponse("81"));
}

// A port another program holds (a live process in its lock file) is reported as in use, with that
// process, not as a permission error.
TEST(LinkEvents, APortInUseNamesTheProgramHoldingIt) {
    LinkRig rig{{}, {}, false};
    QFile lock("/var/lock/LCK.." + rig.sim.device().mid(5).replace('/', '_'));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    const QString pid = QString::number(QCoreApplication::applicationPid());
    lock.write((pid + '\n' + QFileInfo(QCoreApplication::applicationFilePath()).fileName() + '\n' +
                QSysInfo::machineHostName() + '\n')
                   .toUtf8());
    lock.close();
    EXPECT_FALSE(rig.port->OpenPort());
    lock.remove();
    EXPECT_EQ(rig.port->openError(), "Comm_Port_InUse (PID " + pid + ")");
}
