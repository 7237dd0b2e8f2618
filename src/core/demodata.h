#pragma once

#include <QString>

struct SettingsRecord;

// A made-up but realistic club for trying the program and for measuring it: members with
// Japanese names and readings, a competition every month, and every month ranked and carried
// over by the club's own handicap rule.
namespace DemoData {

struct Options
{
    int members = 40;
    int years = 1;
    int lastYear = 2026; // the club's history ends with this year's December
    quint32 seed = 1;
};

// The most members the name tables can tell apart (every name in a club is different).
int maxMembers();
// Why the options cannot be met (16-bit IDs of the tables, the name tables), or empty.
QString problemWith(const Options &options);

// Writes the club into the open, empty database, in one transaction. The same options give
// the same rows: the numbers come from a seeded std::mt19937, whose output the C++ standard
// fixes, turned into ranges here rather than by the library's distributions, which differ
// between standard libraries. Throws DatabaseError (and std::invalid_argument when
// problemWith() is not empty).
void generate(const Options &options, const SettingsRecord &settings);

// A new database file at `path` holding the club: created, filled and closed. Never
// overwrites; a file left half-made by a failure is removed. Throws StartupError.
void createClub(const QString &path, const Options &options, const SettingsRecord &settings);

} // namespace DemoData
