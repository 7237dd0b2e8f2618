#pragma once

#include <QString>

// Where the program finds the club's database and its help file.
namespace DataLocation {

// The folder of the program: parvela.mdb and parvela.hlp are looked for there first.
QString programFolder();
// For a test or a benchmark that keeps its files elsewhere; empty gives the program's own folder.
void setProgramFolder(const QString &folder);
// The per-user data folder ($XDG_DATA_HOME/Parvela, usually ~/.local/share/Parvela), where an
// installed program keeps the club's database, since it cannot write beside itself. Empty when
// the system names no such folder.
QString userDataFolder();
// parvela.mdb beside the program when it is there (a program run from its own folder, as
// always), otherwise parvela.mdb in the per-user data folder, existing or not: that is where a
// first start creates it. The backup folder lies beside whichever is used.
QString databasePath();
// parvela.hlp under exactly that name, letter case included, beside the program or in the
// installed data folder (../share/parvela/ from the program folder); empty when neither has it.
QString helpFilePath();

} // namespace DataLocation
