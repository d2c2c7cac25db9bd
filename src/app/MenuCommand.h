#pragma once

#include <optional>

namespace zoz {

// The user's commands by their numbers: 1..14 are the toolbar positions (the separators 4, 10
// and 13 are none), 106 and 107 receive and send without a question, 108 sends the System page's
// version number.
enum class MenuCommand {
    FileRead = 1,
    FileWrite = 2,
    Reset = 3,
    CommSendData = 5,
    CommReceiveData = 6,
    CommRestart = 7,
    CommGetInfo = 8,
    CommCheck = 9,
    ShowProtocol = 11,
    ShowAbout = 12,
    EndProgram = 14,
    ReceiveWithoutQuestion = 106,
    SendRequested = 107,
    SendVersionNumber = 108,
};

// The one place a number becomes a command (a toolbar position, a number from a tool or test);
// nothing for a number that is no command.
std::optional<MenuCommand> MenuCommandOf(int number);

inline int NumberOf(MenuCommand command) {
    return static_cast<int>(command);
}

} // namespace zoz
