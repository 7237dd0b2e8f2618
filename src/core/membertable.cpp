#include "core/membertable.h"

#include "core/database.h"
#include "core/kanaorder.h"

namespace {

const QString Columns = QStringLiteral("ID,NAME,HURIKANA,BIRTHDAY,HC,F_HC,E_HC");

MemberRecord recordAt(const Database::Rows &query)
{
    MemberRecord member;
    member.id = static_cast<qint16>(query.integer(0));
    member.name = query.text(1);
    member.kana = query.text(2);
    member.birthday = query.text(3);
    member.hc = query.real(4);
    member.firstHc = query.real(5);
    member.endHc = query.real(6);
    return member;
}

QVector<MemberRecord> all(Database::Rows query)
{
    QVector<MemberRecord> members;
    while (query.next())
        members.append(recordAt(query));
    return members;
}

// Read in ID order, so that members with the same reading stay in the order they were added.
QVector<MemberRecord> inKanaOrder(Database::Rows query)
{
    QVector<MemberRecord> members = all(std::move(query));
    QStringList readings;
    readings.reserve(members.size());
    for (const MemberRecord &member : members)
        readings.append(member.kana);
    QVector<MemberRecord> sorted;
    sorted.reserve(members.size());
    for (const qsizetype index : KanaOrder::sorted(readings))
        sorted.append(std::move(members[index]));
    return sorted;
}

std::optional<MemberRecord> first(Database::Rows query)
{
    if (!query.next())
        return std::nullopt;
    return recordAt(query);
}

} // namespace

namespace MemberTable {

QVector<MemberRecord> allByKana()
{
    return inKanaOrder(Database::read(QStringLiteral("select %1 from Member order by ID").arg(Columns)));
}

QVector<MemberRecord> allByKanaExcept(const QStringList &names)
{
    if (names.isEmpty())
        return allByKana();
    QVariantList values;
    for (const QString &name : names)
        values << name;
    return inKanaOrder(Database::read(QStringLiteral("select %1 from Member where NAME not in (%2) order by ID")
                                         .arg(Columns, Database::placeholders(names.size())),
                                     values));
}

QVector<MemberHandicaps> allHandicaps()
{
    QVector<MemberHandicaps> members;
    Database::Rows query = Database::read(QStringLiteral("select ID,HC,F_HC,E_HC from Member order by ID"));
    while (query.next()) {
        members.append({static_cast<qint16>(query.integer(0)), query.real(1),
                        query.real(2), query.real(3)});
    }
    return members;
}

std::optional<MemberRecord> byId(int id)
{
    return first(Database::read(QStringLiteral("select %1 from Member where ID=?").arg(Columns), {id}));
}

bool nameTaken(const QString &name)
{
    // SQLite compares text byte for byte, which is the exact comparison wanted.
    return Database::scalar(QStringLiteral("select count(*) from Member where NAME=?"), {name}).toInt() > 0;
}

qint16 insert(const QString &name, const QString &kana, const QString &birthday, double hc)
{
    const qint16 id = Database::allocateId(QStringLiteral("Member"));
    Database::exec(QStringLiteral("insert into Member (ID,NAME,HURIKANA,BIRTHDAY,HC,F_HC,E_HC) values (?,?,?,?,?,?,?)"),
                   {id, name, kana, birthday, hc, hc, hc});
    return id;
}

void update(int id, const QString &name, const QString &kana, const QString &birthday, double hc)
{
    Database::exec(QStringLiteral("update Member set NAME=?,HURIKANA=?,BIRTHDAY=?,HC=? where ID=?"),
                   {name, kana, birthday, hc, id});
}

void updateHc(int id, double hc)
{
    Database::exec(QStringLiteral("update Member set HC=? where ID=?"), {hc, id});
}

void updateHcAndFirstHc(int id, double hc, double firstHc)
{
    Database::exec(QStringLiteral("update Member set HC=?,F_HC=? where ID=?"), {hc, firstHc, id});
}

void updateHcAndEndHc(int id, double hc, double endHc)
{
    Database::exec(QStringLiteral("update Member set HC=?,E_HC=? where ID=?"), {hc, endHc, id});
}

void remove(int id)
{
    Database::exec(QStringLiteral("delete from Member where ID=?"), {id});
}

void removeAll(const QVector<qint16> &ids)
{
    Transaction transaction;
    for (const qint16 id : ids)
        remove(id);
    transaction.commit();
}

} // namespace MemberTable
