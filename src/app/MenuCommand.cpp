#include "app/MenuCommand.h"

namespace zoz {

std::optional<MenuCommand> MenuCommandOf(int number) {
    switch (static_cast<MenuCommand>(number)) {
    case MenuCommand::FileRead:
    case MenuCommand::FileWrite:
    case MenuCommand::Reset:
    case MenuCommand::CommSendData:
    case MenuCommand::CommReceiveData:
    case MenuCommand::CommRestart:
    case MenuCommand::CommGetInfo:
    case MenuCommand::CommCheck:
    case MenuCommand::ShowProtocol:
    case MenuCommand::ShowAbout:
    case MenuCommand::EndProgram:
    case MenuCommand::ReceiveWithoutQuestion:
    case MenuCommand::SendRequested:
    case MenuCommand::SendVersionNumber:
        return static_cast<MenuCommand>(number);
    }
    return std::nullopt;
}

} // namespace zoz
