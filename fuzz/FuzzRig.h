#pragma once

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "dataset/DataStore.h"
#include "dataset/Decoder.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/CommandInterpreter.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "settings/IniCache.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace zoz::fuzz {

// A user who says No, cancels every dialog and sees nothing; processEvents runs a hook so that a
// target can feed the receive path while a wait runs.
class QuietUi : public Prompts, public Activity, public PageCopy {
public:
    std::function<void()> onProcessEvents;

    void showStatusText(const QString&) override {}
    MsgAnswer messageBox(const QString&, MsgButtons buttons, MsgIcon, const QString&) override {
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    QString fileDialog(const FileDialogRequest&) override { return {}; }
    void setBusyCursor(bool) override {}
    void processEvents() override {
        if (onProcessEvents)
            onProcessEvents();
    }
    void refreshPages() override {}
    void takeOverPages() override {}
    NameBox nameBox(int, int) override { return {}; }
    void showCommDialog(const QString&) override {}
    void hideCommDialog() override {}
    QString mainCaption() const override { return QStringLiteral("VX418 ZozEdud"); }
    void focusTabStrip() override {}
};

// The core wired as the composition root wires it, in a scratch folder on a memory file system
// where there is one, with the shipped settings file; no port is opened and nothing is logged.
// One instance per process: every input reuses it, so memory stays flat.
class FuzzRig {
public:
    static FuzzRig& instance();

    // A file in the scratch folder, the same name on every call.
    QString path(const QString& name) const;
    static void writeFile(const QString& name, const QByteArray& bytes);
    // Back to the default data set, with nothing waiting in the transport.
    void reset();

    Switches switches;
    IniCache cache;
    Texts texts;
    AppLog log;
    QuietUi ui;
    DataStore store;
    DataSet defaults;
    DataFile dataFile;
    ConfigFile configFile;
    Decoder decoder;
    LinkReporter reporter;
    SerialPort port;
    FrameTransport transport;
    CommandInterpreter interpreter;

private:
    FuzzRig();
    QString m_folder;
};

} // namespace zoz::fuzz
