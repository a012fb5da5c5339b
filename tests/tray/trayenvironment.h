#pragma once
// The application every tray test runs in: initialised once, with a solid
// yellow icon and a shown main form; exceptions shown in the exception box
// are collected instead of opening a message box.

#include <string>
#include <vector>

namespace tarnivo {
class TForm;
}

namespace tarnivo::test {

TForm* MainForm();
// Messages that reached the application's exception box, oldest first.
std::vector<std::string>& ShownExceptions();

} // namespace tarnivo::test
