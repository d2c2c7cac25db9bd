#include "app/ConsoleUserInterface.h"

#include <QCoreApplication>

namespace zoz {

MsgAnswer ConsoleUserInterface::messageBox(const QString&, MsgButtons buttons, MsgIcon,
                                           const QString&) {
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                                        : MsgAnswer::Yes;
}

void ConsoleUserInterface::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace zoz
