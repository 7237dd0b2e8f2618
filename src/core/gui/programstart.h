#pragma once

#include <QString>

class MainMenu;

// The program's start as the user gets it: Qt's own texts in Japanese, the windows tied to the
// desktop entry and its icon, the data found from the program's folder, the main menu loaded and
// shown. The benchmark of the start-up runs exactly this.
namespace ProgramStart {

// The main menu, shown and deleted when it closes; nullptr when the start was refused (the user
// has been told why, or chose to end).
MainMenu *showMainMenu(const QString &programFolder);

} // namespace ProgramStart
