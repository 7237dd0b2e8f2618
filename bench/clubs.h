#pragma once

#include <QString>
#include <QVector>

struct SettingsRecord;

// The made-up clubs the figures are measured on, each in a folder of its own, all under the run's
// temporary folder: the folder the program finds a user's database in ($XDG_DATA_HOME/Parvela)
// when the club's folder is its data home.
namespace Clubs {

struct Club
{
    int members = 0;
    int years = 0;
    QString label() const;    // "2000×1"
    QString dataHome() const; // for XDG_DATA_HOME
    QString folder() const;   // dataHome()/Parvela
    QString path() const;     // folder()/parvela.mdb
};

// The sizes measured: a small club, a middling one over five years, a large one, and the
// largest the 16-bit IDs of the tables allow over ten years.
QVector<Club> sizes();
// The year the clubs end with, and the edited year of the run.
int year();

// Where everything of the run lives; set once before the clubs are made.
void setRunFolder(const QString &folder);
QString runFolder();
// The settings the windows are given: the defaults, editing year().
const SettingsRecord &settings();

void make(const Club &club);
// Opens the club's database for the figures that only read.
void open(const Club &club);
// Opens a fresh copy of the club's database, for figures that write; removed by closeCopy.
void openCopy(const Club &club);
void closeCopy(const Club &club);

// The year's competitions, January first.
QVector<int> yearCourseIds();
QString idList(const QVector<int> &ids); // "3,5,9"

} // namespace Clubs
