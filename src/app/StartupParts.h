#pragma once

#include "app/MenuCommand.h"

#include <QString>

namespace zoz {

class ProtoSink;

// What start-up calls in the parts that own the data set, the port and the commands; the
// composition root implements it.
class StartupParts {
public:
    virtual ~StartupParts() = default;

    virtual ProtoSink* txtProto() = 0;                 // the protocol window's text box
    virtual bool initDataSet() = 0;                    // InitDataSet; false is a failure
    virtual int setCommParameters() = 0;               // 0, or the set-up step 1..11 that failed
    virtual void markPortClosed() = 0;                 // PortOpened = false
    virtual void resetDataSet() = 0;                   // ResetDataSet(NoQuery, ReadDefaultFile)
    virtual void menuCommand(MenuCommand command) = 0; // Interpret_MenuCommand
    // The language once it is known (step 12, or the failure path before it): Qt's own texts
    // follow it before any box shows.
    virtual void languageKnown(const QString& language) = 0;
    // The port as the settings name it, for the failure text of set-up step 1 (step 31).
    virtual QString commPortName() = 0;
    // True when the settings file was taken back from its lined-up copy before start-up (an
    // installed program folder does that before filling in the templates).
    virtual bool settingsTakenBack() = 0;
};

} // namespace zoz
