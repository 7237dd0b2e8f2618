#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

struct MemberRecord
{
    qint16 id = 0;
    QString name;
    QString kana;     // HURIKANA, the sort key of every member list
    QString birthday; // as typed or picked, "yyyy/m/d"
    double hc = 0;
    double firstHc = 0; // F_HC, handicap at the start of the edited year
    double endHc = 0;   // E_HC, handicap at the end of the edited year
};

// A member's handicaps alone, for going over the whole club without reading the rest.
struct MemberHandicaps
{
    qint16 id = 0;
    double hc = 0;
    double firstHc = 0;
    double endHc = 0;
};

// Every statement on the Member table. Throws DatabaseError.
namespace MemberTable {

// In kana order (KanaOrder); members with the same reading in the order they were added.
QVector<MemberRecord> allByKana();
QVector<MemberRecord> allByKanaExcept(const QStringList &names);
// Every member, lowest ID first.
QVector<MemberHandicaps> allHandicaps();
std::optional<MemberRecord> byId(int id);
// Exact comparison: a name differing by a space or by character width is another name.
bool nameTaken(const QString &name);

// A new member starts the year with the handicap given. Returns the new ID.
qint16 insert(const QString &name, const QString &kana, const QString &birthday, double hc);
void update(int id, const QString &name, const QString &kana, const QString &birthday, double hc);
void updateHc(int id, double hc);
void updateHcAndFirstHc(int id, double hc, double firstHc);
void updateHcAndEndHc(int id, double hc, double endHc);
void remove(int id);
// Every member given, or on an error none of them. Their Score rows stay.
void removeAll(const QVector<qint16> &ids);

} // namespace MemberTable
