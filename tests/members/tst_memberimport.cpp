// The verdicts on a member import read from a CSV file, and what it stores, without a window.
#include "databasefixture.h"

#include "members/memberimport.h"

using ParvelaTest::column;

namespace {

const QByteArray Bom("\xEF\xBB\xBF");
// "山田太郎" and "やまだ" as a Japanese spreadsheet program saves them by default.
const QByteArray YamadaCp932("\x8eR\x93"
                             "c\x91\xbe\x98Y");
const QByteArray YamadaKanaCp932("\x82\xe2\x82\xdc\x82\xbe");

QString verdicts(const MemberImport::Preview &preview)
{
    if (!preview.problem.isEmpty())
        return preview.problem;
    QStringList rows;
    for (const MemberImport::Row &row : preview.rows)
        rows << QStringLiteral("%1 %2").arg(row.line).arg(MemberImport::verdictText(row));
    return rows.join(QLatin1Char('|'));
}

} // namespace

class TestMemberImport : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("freeIds");
        QTest::addColumn<QString>("expected"); // the file's problem, or "line verdict" of each row
        const QByteArray noRows = "取り込める行がありません。";
        QTest::newRow("header in any order, BOM, quoted comma")
            << Bom + "HC,誕生日,氏名,ふりがな\r\n12.5,1960-02-03,\"山田, 太郎\",やまだ\r\n"
            << 9 << "2 新規";
        const QString duplicate = QStringLiteral("重複：同じ名前の人がいます（取り込みません）");
        // Decoded right, the first name is the member's.
        QTest::newRow("Shift_JIS without header, blank rows counted")
            << YamadaCp932 + "," + YamadaKanaCp932 + ",1960/2/3,18\r\n\r\n,,,\r\nSato,sato,1970/1/1,20" << 9
            << "1 " + duplicate + "|4 新規";
        QTest::newRow("taken name and repeated row")
            << QByteArray("山田太郎,やまだ,1960/1/1,10\n鈴木,すずき,1960/1/1,10\n鈴木,すずき,1960/1/1,10\n") << 9
            << "1 " + duplicate + "|2 新規|3 " + duplicate;
        QTest::newRow("each bad field named")
            << QByteArray("a,,1960/1/1,10\nb,b,1960/13/1,10\nc,c,,10\nd,d,1960/1/1,12a\ne,e,1960/1/1,40000\n,f,1/1/1,1")
            << 9
            << "1 ふりがなが空です|2 誕生日「1960/13/1」が日付ではありません|3 誕生日「」が日付ではありません|"
               "4 HC「12a」が数値ではありません|5 HC「40000」が数値ではありません|6 氏名が空です";
        QTest::newRow("header only") << QByteArray("氏名,ふりがな,誕生日,HC\r\n") << 9 << QString(noRows);
        QTest::newRow("empty file") << QByteArray() << 9 << QString(noRows);
        QTest::newRow("binary file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 9
                                     << "CSV ファイルではないか、文字コードが UTF-8 でも Shift_JIS でもありません。";
        QTest::newRow("unclosed quote") << QByteArray("a,b,1960/1/1,1\n\"c,d") << 9
                                        << "2行目が CSV の形式になっていません（引用符 \" の閉じ忘れなど）。";
        QTest::newRow("header lacks a column")
            << QByteArray("氏名,ふりがな,HC\na,a,1") << 9 << "1行目の見出しに「誕生日」がありません。";
        QTest::newRow("more than the free IDs") << QByteArray("a,a,2000/1/1,1\nb,b,2000/1/1,1\nc,c,2000/1/1,1") << 2
                                                << "新しいメンバーが 3 人いますが、追加できるのはあと 2 人までです。";
    }

    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, freeIds);
        QFETCH(QString, expected);
        QCOMPARE(verdicts(MemberImport::read(file, {QStringLiteral("山田太郎")}, freeIds)), expected);
    }

    void storesTheNewRowsWithTheNextIds()
    {
        ParvelaTest::TemporaryDatabase db;
        MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだ"), QStringLiteral("1960/1/1"), 10);
        const MemberImport::Preview preview =
            MemberImport::read("氏名,ふりがな,誕生日,HC\n鈴木,すずき,1970-02-03,12.5\n山田太郎,やまだ,1960/1/1,9\n"
                               "佐藤,さとう,1980/1/1,30",
                               {QStringLiteral("山田太郎")}, 9);
        QCOMPARE(MemberImport::store(preview.rows), 2);
        QCOMPARE(
            column(QStringLiteral("select ID||NAME||BIRTHDAY||HC||F_HC||E_HC from Member order by ID")),
            QVariantList({QStringLiteral("1山田太郎1960/1/110.010.010.0"), QStringLiteral("2鈴木1970/2/312.512.512.5"),
                          QStringLiteral("3佐藤1980/1/130.030.030.0")}));
    }
};

PARVELA_CORE_TEST_MAIN(TestMemberImport)
#include "tst_memberimport.moc"
