#include "core/membertable.h"

#include "core/database.h"
#include "core/kanaorder.h"

namespace {

const QString Columns = QStringLiteral("ID,NAME,HURIKANA,BIRTHDAY,HC,F_HC,E_HC");

MemberRecord recordAt(const QSqlQuery &query)
{
    MemberRecord member;
    member.id = static_cast<qint16>(query.value(0).toInt());
    member.name = query.value(1).toString();
    member.kana = query.value(2).toString();
    member.birthday = query.value(3).toString();
    member.hc = query.value(4).toDouble();
    member.firstHc = query.value(5).toDouble();
    member.endHc = query.value(6).toDouble();
    return member;
}

QVector<MemberRecord> all(QSqlQuery query)
{
    QVector<MemberRecord> members;
    while (query.next())
        members.append(recordAt(query));
    return members;
}

// Read in ID order, so that members with the same reading stay in the order they were added.
QVector<MemberRecord> inKanaOrder(QSqlQuery query)
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

std::optional<MemberRecord> first(QSqlQuery query)
{
    if (!query.next())
        return std::nullopt;
    return recordAt(query);
}

} // namespace

namespace MemberTable {

QVector<MemberRecord> allByKana()
{
    return inKanaOrder(Database::run(QStringLiteral("select %1 from Member order by ID").arg(Columns)));
}

QVector<MemberRecord> allByKanaExcept(const QStringList &names)
{
    if (names.isEmpty())
        return allByKana();
    QVariantList values;
    for (const QString &name : names)
        values << name;
    return inKanaOrder(Database::run(QStringLiteral("select %1 from Member where NAME not in (%2) order by ID")
                                         .arg(Columns, Database::placeholders(names.size())),
                                     values));
}

QVector<MemberHandicaps> allHandicaps()
{
    QVector<MemberHandicaps> members;
    QSqlQuery query = Database::run(QStringLiteral("select ID,HC,F_HC,E_HC from Member order by ID"));
    while (query.next()) {
        members.append({static_cast<qint16>(query.value(0).toInt()), query.value(1).toDouble(),
                        query.value(2).toDouble(), query.value(3).toDouble()});
    }
    return members;
}

std::optional<MemberRecord> byId(int id)
{
    return first(Database::run(QStringLiteral("select %1 from Member where ID=?").arg(Columns), {id}));
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
