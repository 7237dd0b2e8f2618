// What the user types and reads, without a window: numbers as text, the entry fields of the
// four dialogs, a member import's file, and the kana order of the member lists.
#include "databasefixture.h"

#include "core/csv.h"

#include <QLocale>
#include <QSet>

namespace {

// A refusal as "field caption#field number", so a table row names both.
QString refusal(const FieldError &error)
{
    return error.message.section("には", 0, 0) + '#' + QString::number(error.field);
}

const QByteArray Bom("\xEF\xBB\xBF");
// "山田太郎" and "やまだ" as a Japanese spreadsheet program saves them by default.
const QByteArray YamadaCp932("\x8eR\x93"
                             "c\x91\xbe\x98Y");
const QByteArray YamadaKanaCp932("\x82\xe2\x82\xdc\x82\xbe");

} // namespace

class TestEntryFields : public QObject
{
    Q_OBJECT

private slots:
    void numbersAreWrittenPlain()
    {
        QLocale::setDefault(QLocale(QLocale::German)); // a decimal comma must not appear
        QStringList written;
        for (const double value : {12.0, -3.0, 9007199254740991.0, 12.5, 2001684.3, 1e20, 0.0000001, -0.0})
            written << NumberText::plain(value);
        QLocale::setDefault(QLocale::c());
        // The largest exact whole, seven digits, no exponent either way, no minus zero.
        QCOMPARE(written, (QStringList{"12", "-3", "9007199254740991", "12.5", "2001684.3", "100000000000000000000",
                                       "0.0000001", "0"}));
    }

    // What the score entry shows while typing (GROSS and NET, "-" while they cannot be
    // computed), and what OK stores or the field it refuses. Typed: HC, OB, OUT, IN, new HC; stored:
    // HC OB OUT IN GROSS NET new HC, or the refusal.
    void scoreEntry()
    {
        using Case = std::tuple<const char *, QStringList, bool, const char *, const char *>;
        for (const auto &[name, typed, editing, shown, stored] : std::initializer_list<Case>{
                 {"all empty", {"", "", "", "", ""}, false, "- -", "0 0 0 0 0 0 0"},
                 {"only OUT", {"", "", "45", "", ""}, false, "- -", "0 0 45 0 45 45 0"},
                 {"no member picked yet", {"", "", "9", "10", ""}, false, "19 19", "0 0 9 10 19 19 0"},
                 // Odd grosses: rounding the HC before subtracting differs from rounding after.
                 {"blanks around, 12.5 counts 12",
                  {" 12.5 ", " 300 ", " 45 ", "48", ""},
                  false,
                  "93 81",
                  "12.5 300 45 48 93 81 0"},
                 {"13.5 counts 14", {"13.5", "0", "10", "11", ""}, false, "21 7", "13.5 0 10 11 21 7 0"},
                 {"HC -2", {"-2", "0", "45", "47", ""}, false, "92 94", "-2 0 45 47 92 94 0"},
                 {"new HC ignored when adding", {"12", "0", "45", "47", "x"}, false, "92 80", "12 0 45 47 92 80 0"},
                 {"new HC kept when editing", {"12", "0", "45", "47", "8"}, true, "92 80", "12 0 45 47 92 80 8"},
                 {"HC letters", {"abc", "0", "45", "47", ""}, false, "92 -", "HC#0"},
                 {"HC beyond 16 bits", {"40000", "0", "45", "47", ""}, false, "92 -", "HC#0"},
                 {"OB grouped", {"12", "1,000", "45", "47", ""}, false, "92 80", "OB罰金#1"},
                 {"OUT fraction", {"12", "0", "45.5", "47", ""}, false, "93 81", "OUT#2"},
                 {"OUT negative", {"12", "0", "-1", "47", ""}, false, "46 34", "OUT#2"},
                 {"IN beyond 16 bits", {"12", "0", "45", "40000", ""}, false, "- -", "IN#3"},
                 {"GROSS beyond 16 bits", {"12", "0", "20000", "20000", ""}, false, "- -", "GROSS#4"},
                 {"NET beyond 16 bits", {"-10", "0", "32760", "7", ""}, false, "32767 -", "NET#5"},
                 {"new HC letters", {"12", "0", "45", "47", "x"}, true, "92 80", "新ＨＣ#6"}}) {
            const ScoreEntry::Totals totals = ScoreEntry::liveTotals(typed[0], typed[2], typed[3]);
            const auto text = [](const std::optional<qint16> &value) { return value ? QString::number(*value) : "-"; };
            const Checked<ScoreRecord> entered =
                ScoreEntry::check({typed[0], typed[1], typed[2], typed[3], typed[4]}, editing);
            const ScoreRecord &v = entered.values;
            const QString kept =
                entered.error ? refusal(*entered.error)
                              : QStringList({NumberText::plain(v.hc), NumberText::plain(v.ob), QString::number(v.out),
                                             QString::number(v.in), QString::number(v.gross), QString::number(v.net),
                                             NumberText::plain(v.newHc)})
                                    .join(' ');
            QCOMPARE(QStringList({name, text(totals.gross) + ' ' + text(totals.net), kept}),
                     QStringList({name, shown, stored}));
        }
    }

    // Whether OK is offered is seen in the dialogs' own tests (tst_memberlist, tst_monthwindow).
    void memberAndCompetitionFields()
    {
        const Checked<MemberEntry::Values> member = MemberEntry::check({"O'Brien ", "'", "いつか", " 12.5 "});
        QCOMPARE(member.values.name + member.values.kana + member.values.birthday + NumberText::plain(member.values.hc),
                 "O'Brien 'いつか12.5");
        for (const char *hc : {"十八", "40000", "18; drop table Member"})
            QCOMPARE(refusal(*MemberEntry::check({"a", "b", "c", hc}).error), "HC#3");
        // Control characters, U+0000 to U+001F and U+007F, in a name or kana; "~" is the last sound one.
        for (const QString &name : {QString("a\tb"), QString(QChar(0)), QString("\x1f"), QString("a\x7f")})
            QCOMPARE(refusal(*MemberEntry::check({name, "~", "c", "1"}).error)
                         + refusal(*MemberEntry::check({"~", name, "c", "1"}).error),
                     "氏名#0ふりがな#1");
        const Checked<CompetitionEntry::Values> course = CompetitionEntry::check("そのうち", "O'Hara's");
        QCOMPARE(course.values.playDate + course.values.courseName, "そのうちO'Hara's");
    }

    // One box typed over the others' sound values: the value kept, or the refusal. What is not
    // typed stays as it was.
    void settingsFields()
    {
        using namespace SettingsEntry;
        using Case = std::tuple<int, const char *, const char *>;
        for (const auto &[field, text, kept] : std::initializer_list<Case>{{Year, "2004", "2004"},
                                                                           {Year, "2004.4", "2004"},
                                                                           {Year, "-5", "西暦#0"},
                                                                           {Par1st, "0.65", "0.65"},
                                                                           {Par1st, "2", "2.0"},
                                                                           {Par1st, "0", "優勝の倍率#1"},
                                                                           {Par3rd, "2.01", "3位の倍率#3"},
                                                                           {Par1st, "1e30", "優勝の倍率#1"},
                                                                           {Par2nd, "", "準優勝の倍率#2"},
                                                                           {Tori1Val, "6.5", "6"},
                                                                           {Tori2Val, "7.5", "8"},
                                                                           {TenTori0, "32767.5", "出席の点数#6"},
                                                                           {TenTori1, "3,5", "優勝の点数#7"}}) {
            QStringList boxes = {"2010", "0.7", "0.8", "0.9", "6", "13", "2", "3", "2", "1"};
            boxes[field] = QString::fromUtf8(text);
            const Checked<SettingsRecord> entered = SettingsEntry::check({boxes[0],
                                                                          {boxes[1], boxes[2], boxes[3]},
                                                                          boxes[4],
                                                                          boxes[5],
                                                                          {boxes[6], boxes[7], boxes[8], boxes[9]}},
                                                                         SettingsRecord());
            const SettingsRecord &r = entered.values;
            const QStringList values = {QString::number(r.editYear),
                                        SettingsStore::floatText(r.winnerMultiplier),
                                        SettingsStore::floatText(r.runnerUpMultiplier),
                                        SettingsStore::floatText(r.thirdMultiplier),
                                        QString::number(r.minimumAttendance),
                                        QString::number(r.minimumPoints),
                                        QString::number(r.pointsFor[0]),
                                        QString::number(r.pointsFor[1]),
                                        QString::number(r.pointsFor[2]),
                                        QString::number(r.pointsFor[3])};
            QCOMPARE(boxes[field] + " → " + (entered.error ? refusal(*entered.error) : values[field]),
                     boxes[field] + " → " + QString::fromUtf8(kept));
        }
    }

    // A field with a comma only, blanks at an end, a quote or a line break is quoted, and each
    // reads back as the one field it was.
    void csvFieldsReadBackWhole()
    {
        const QStringList fields = {"山田,太郎", " 先頭", "末尾 ", "O\"Brien", "二\r\n行", "12.5", ""};
        const Csv::Parsed parsed = Csv::parse(
            Csv::decode(Csv::encode({fields, {"次"}}, Csv::Columns(fields.size(), Csv::Column::Text))).value_or(QString()));
        QCOMPARE(parsed.records.size(), 2);
        QCOMPARE(parsed.records[0].fields, fields);
    }

    // A member import's file: the problem that refuses it, or each row's verdict.
    void memberImportVerdicts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected"); // the file's problem, or "line verdict" of each row
        const QByteArray noRows = "取り込める行がありません。";
        QTest::newRow("header in any order, BOM, quoted comma")
            << Bom + "HC,誕生日,氏名,ふりがな\r\n12.5,1960-02-03,\"山田, 太郎\",やまだ\r\n"
            << "2 新規";
        const QString duplicate = "重複：同じ名前の人がいます（取り込みません）";
        // Decoded right, the first name is the member's.
        QTest::newRow("Shift_JIS without header, blank rows counted")
            << YamadaCp932 + "," + YamadaKanaCp932 + ",1960/2/3,18\r\n\r\n,,,\r\nSato,sato,1970/1/1,20"
            << "1 " + duplicate + "|4 新規";
        QTest::newRow("taken name and repeated row")
            << QByteArray("山田太郎,やまだ,1960/1/1,10\n鈴木,すずき,1960/1/1,10\n鈴木,すずき,1960/1/1,10\n")
            << "1 " + duplicate + "|2 新規|3 " + duplicate;
        QTest::newRow("each bad field named")
            << QByteArray("a,,1960/1/1,10\nb,b,1960/13/1,10\nc,c,,10\nd,d,1960/1/1,12a\ne,e,1960/1/1,40000\n,f,1/1/1,1")
            << "1 ふりがなが空です|2 誕生日「1960/13/1」が日付ではありません|3 誕生日「」が日付ではありません|"
               "4 HC「12a」が数値ではありません|5 HC「40000」が数値ではありません|6 氏名が空です";
        QTest::newRow("header only") << QByteArray("氏名,ふりがな,誕生日,HC\r\n") << QString(noRows);
        QTest::newRow("empty file") << QByteArray() << QString(noRows);
        QTest::newRow("control characters, in quotes or not")
            << QByteArray("\"a\r\nb\",a,1960/1/1,1\nc,c\x01,1960/1/1,1\n")
            << "1 氏名には制御文字（タブ、改行など）を使えません|"
               "2 ふりがなには制御文字（タブ、改行など）を使えません";
        QTest::newRow("binary file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                     << "CSV ファイルではないか、文字コードが UTF-8 でも Shift_JIS でもありません。";
        QTest::newRow("unclosed quote") << QByteArray("a,b,1960/1/1,1\n\"c,d")
                                        << "2行目が CSV の形式になっていません（引用符 \" の閉じ忘れなど）。";
        QTest::newRow("header lacks a column")
            << QByteArray("氏名,ふりがな,HC\na,a,1") << "1行目の見出しに「誕生日」がありません。";
        QTest::newRow("more than the free IDs") << QByteArray("a,a,2000/1/1,1\nb,b,2000/1/1,1\nc,c,2000/1/1,1")
                                                << "新しいメンバーが 3 人いますが、追加できるのはあと 2 人までです。";
    }

    void memberImportVerdicts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        const MemberImport::Preview preview = MemberImport::read(file, {"山田太郎"}, 2);
        QStringList rows;
        for (const MemberImport::Row &row : preview.rows)
            rows << QStringLiteral("%1 %2").arg(row.line).arg(MemberImport::verdictText(row));
        QCOMPARE(preview.problem.isEmpty() ? rows.join('|') : preview.problem, expected);
    }

    // A cell of a CSV copy by its column: what the file holds; a name, read back by the member
    // import as it was.
    void csvCopiesDisarmFormulasAndTheImportReadsThemBack()
    {
        using Csv::Column;
        const auto written = [](Column column, const QStringList &cellsAndWritten) { // "cell|as written"
            for (const QString &pair : cellsAndWritten) {
                const QString cell = pair.section('|', 0, 0);
                QCOMPARE(Csv::encode({{cell}}, {column}), Bom + pair.section('|', 1).toUtf8() + "\r\n");
                const QByteArray row = Csv::encode({{cell, "か", "1960/1/1", "10"}}, {}); // a file without header
                QVERIFY(column == Column::Number || MemberImport::read(row, {}, 1).rows.value(0).name == cell);
            }
        };
        written(Column::Text, {"=1+2|'=1+2", "+81 90|'+81 90", "-5|'-5", "@SUM(A1)|'@SUM(A1)", "\tx|'\tx",
                               "\r=1|\"'\r=1\"", "'x|''x", "''=|'''=", "a=b|a=b", "|"});
        written(Column::Number, {"-5|-5", "+1.5|+1.5", "-x|'-x", "=1|'=1"});
        QCOMPARE(Csv::rearmed("'abc"), "'abc"); // an apostrophe typed into a file of one's own stays
    }

    void kanaOrderIsTheDictionarys()
    {
        const QStringList readings = {"きむら", "かわい", "がとう", "カトウ", "かとう", "かとう", "あべ"};
        const QVector<qsizetype> order = KanaOrder::sorted(readings);
        QStringList sorted;
        for (const qsizetype index : order)
            sorted << readings[index];
        QCOMPARE(sorted.first(), "あべ");
        // Voicing and script count only after the letters: かとう and カトウ, then がとう, かわい, きむら.
        QCOMPARE(sorted.mid(4), (QStringList{"がとう", "かわい", "きむら"}));
        QCOMPARE(QSet<QString>(sorted.begin() + 1, sorted.begin() + 4), (QSet<QString>{"かとう", "カトウ"}));
        // Equal readings keep their order.
        QVERIFY(order.indexOf(4) < order.indexOf(5));
    }
};

PARVELA_CORE_TEST_MAIN(TestEntryFields)
#include "tst_entryfields.moc"
