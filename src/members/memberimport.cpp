#include "members/memberimport.h"

#include "core/csv.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/membertable.h"
#include "core/numbertext.h"
#include "members/memberentry.h"
#include "monthly/scoretext.h"

#include <QFile>

#include <array>

namespace {

// The columns in the order the member list shows them, which is also the order of a file
// without a header row.
const std::array<QString, 4> ColumnNames = {QStringLiteral("氏名"), QStringLiteral("ふりがな"),
                                            QStringLiteral("誕生日"), QStringLiteral("HC")};

QString headerName(const QString &cell)
{
    // "ＨＣ" in full width is the same heading.
    return cell.trimmed().normalized(QString::NormalizationForm_KC);
}

// Where each column is in the file's records, and whether the first record is the header.
struct Layout
{
    std::array<qsizetype, 4> index = {0, 1, 2, 3};
    bool header = false;
    QString problem;
};

Layout layoutOf(const QStringList &first)
{
    Layout layout;
    QStringList headings;
    for (const QString &cell : first)
        headings << headerName(cell);
    QStringList missing;
    for (std::size_t column = 0; column < ColumnNames.size(); ++column) {
        layout.index[column] = headings.indexOf(ColumnNames[column]);
        if (layout.index[column] < 0)
            missing << QStringLiteral("「%1」").arg(ColumnNames[column]);
    }
    layout.header = missing.size() < int(ColumnNames.size());
    if (!layout.header)
        layout.index = {0, 1, 2, 3};
    else if (!missing.isEmpty())
        layout.problem = QStringLiteral("1行目の見出しに%1がありません。").arg(missing.join(QStringLiteral("、")));
    return layout;
}

const QString NoRows = QStringLiteral("取り込める行がありません。");

MemberImport::Preview refused(const QString &problem)
{
    return {{}, problem};
}

} // namespace

namespace MemberImport {

void judge(Row &row, QSet<QString> &takenNames)
{
    // The member dialog's rules: every field filled, the name not taken (exact comparison),
    // the handicap a number that rounds into 16 bits. A birthday must also be a date, since
    // the month sheet orders equal net scores by it.
    const QDate birthday = Dates::parse(row.birthday);
    const std::optional<double> hc = NumberText::read(row.hcText);
    if (row.name.isEmpty())
        row.verdict = Verdict::NoName;
    else if (MemberEntry::holdsControlCharacter(row.name))
        row.verdict = Verdict::ControlInName;
    else if (takenNames.contains(row.name))
        row.verdict = Verdict::Duplicate;
    else if (row.kana.isEmpty())
        row.verdict = Verdict::NoKana;
    else if (MemberEntry::holdsControlCharacter(row.kana))
        row.verdict = Verdict::ControlInKana;
    else if (!birthday.isValid())
        row.verdict = Verdict::BadBirthday;
    else if (!hc || !NumberText::roundToInt16(*hc))
        row.verdict = Verdict::BadHc;
    else
        row.verdict = Verdict::New;
    if (row.verdict != Verdict::New)
        return;
    takenNames.insert(row.name);
    row.storedBirthday = Dates::format(birthday);
    row.hc = *hc;
}

bool isFaulty(const Row &row)
{
    return row.verdict != Verdict::New && row.verdict != Verdict::Duplicate;
}

QString verdictText(const Row &row)
{
    switch (row.verdict) {
    case Verdict::New:
        return QStringLiteral("新規");
    case Verdict::Duplicate:
        return QStringLiteral("重複：同じ名前の人がいます（取り込みません）");
    case Verdict::NoName:
        return QStringLiteral("氏名が空です");
    case Verdict::NoKana:
        return QStringLiteral("ふりがなが空です");
    case Verdict::ControlInName:
        return MemberEntry::controlCharacterRefusal(QStringLiteral("氏名"));
    case Verdict::ControlInKana:
        return MemberEntry::controlCharacterRefusal(QStringLiteral("ふりがな"));
    case Verdict::BadBirthday:
        return QStringLiteral("誕生日「%1」が日付ではありません").arg(row.birthday);
    case Verdict::BadHc:
        return QStringLiteral("HC「%1」が数値ではありません").arg(row.hcText);
    }
    return QString();
}

Preview read(const QByteArray &bytes, const QSet<QString> &memberNames, int freeIds)
{
    const std::optional<QString> text = Csv::decode(bytes);
    if (!text)
        return refused(QStringLiteral("CSV ファイルではないか、文字コードが UTF-8 でも Shift_JIS でもありません。"));
    const Csv::Parsed parsed = Csv::parse(*text);
    if (parsed.problemLine > 0) {
        return refused(QStringLiteral("%1行目が CSV の形式になっていません（引用符 \" の閉じ忘れなど）。")
                           .arg(parsed.problemLine));
    }
    if (parsed.records.isEmpty())
        return refused(NoRows);
    const Layout layout = layoutOf(parsed.records.first().fields);
    if (!layout.problem.isEmpty())
        return refused(layout.problem);

    Preview preview;
    QSet<QString> taken = memberNames;
    for (qsizetype i = layout.header ? 1 : 0; i < parsed.records.size(); ++i) {
        const Csv::Record &record = parsed.records.at(i);
        Row row;
        row.line = record.line;
        // A copy saved by the program has its formula-like cells disarmed: read as they were.
        row.name = Csv::rearmed(record.fields.value(layout.index[0]));
        row.kana = Csv::rearmed(record.fields.value(layout.index[1]));
        row.birthday = Csv::rearmed(record.fields.value(layout.index[2]));
        row.hcText = Csv::rearmed(record.fields.value(layout.index[3]));
        judge(row, taken);
        preview.rows.append(row);
    }
    if (preview.rows.isEmpty())
        return refused(NoRows);
    const int newRows = countsOf(preview.rows).newRows;
    if (newRows > freeIds) {
        return refused(QStringLiteral("新しいメンバーが %1 人いますが、追加できるのはあと %2 人までです。")
                           .arg(newRows)
                           .arg(freeIds));
    }
    return preview;
}

Preview readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("「%1」を開けません（%2）。").arg(path, file.errorString()));
    if (file.size() > MaxFileBytes)
        return refused(QStringLiteral("ファイルが大きすぎます（%1 MB まで）。").arg(MaxFileBytes / 1024 / 1024));
    QSet<QString> names;
    for (const MemberRecord &member : MemberTable::allByKana())
        names.insert(member.name);
    return read(file.readAll(), names, Database::MaxId - Database::maxId(QStringLiteral("Member")));
}

Counts countsOf(const QVector<Row> &rows)
{
    Counts counts;
    for (const Row &row : rows) {
        if (isFaulty(row))
            ++counts.faulty;
        else if (row.verdict == Verdict::Duplicate)
            ++counts.duplicates;
        else
            ++counts.newRows;
    }
    return counts;
}

int store(const QVector<Row> &rows)
{
    Transaction transaction;
    int stored = 0;
    for (const Row &row : rows) {
        if (row.verdict != Verdict::New)
            continue;
        MemberTable::insert(row.name, row.kana, row.storedBirthday, row.hc);
        ++stored;
    }
    transaction.commit();
    return stored;
}

} // namespace MemberImport
