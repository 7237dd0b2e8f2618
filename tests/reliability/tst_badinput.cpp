// Every entry field of every dialog against awkward text: a text field stores exactly what was
// typed, a number field stores the number or refuses with a message naming the field. After
// each case the file is intact and no numeric column holds text.
#include "../monthly/monthlyfixtures.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/form2.h"
#include "core/gui/windowregistry.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form4.h"
#include "monthly/gui/form5.h"
#include "monthly/gui/form6.h"
#include "parvelatest.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlRecord>

#include <cmath>
#include <memory>
#include <optional>

using namespace MonthlyFixtures;

namespace {

// One awkward text, and the number a careful reader takes it for (none: not a number).
struct Input
{
    QString label;
    QString text;
    std::optional<double> number;
};

QVector<Input> inputs()
{
    const std::optional<double> none;
    return {
        {QStringLiteral("empty"), QString(), none},
        {QStringLiteral("space"), QStringLiteral(" "), none},
        {QStringLiteral("spaces"), QStringLiteral("   "), none},
        {QStringLiteral("full-width space"), QStringLiteral("\u3000"), none},
        {QStringLiteral("tab"), QStringLiteral("\t"), none},
        {QStringLiteral("blanks around a number"), QStringLiteral(" 18 "), 18},
        {QStringLiteral("apostrophe"), QStringLiteral("'"), none},
        {QStringLiteral("double quote"), QStringLiteral("\""), none},
        {QStringLiteral("name with apostrophe"), QStringLiteral("O'Brien"), none},
        {QStringLiteral("number and quote"), QStringLiteral("12'"), none},
        {QStringLiteral("statement end"), QStringLiteral("'); delete from Score;--"), none},
        {QStringLiteral("second statement"), QStringLiteral("1; drop table Member"), none},
        {QStringLiteral("always true"), QStringLiteral("1 or 1=1"), none},
        {QStringLiteral("comment"), QStringLiteral("--"), none},
        {QStringLiteral("subquery"), QStringLiteral("(select max(ID) from Member)"), none},
        {QStringLiteral("1000 letters"), QString(1000, QLatin1Char('x')), none},
        {QStringLiteral("1000 kana"), QString(1000, QChar(0x3042)), none},
        {QStringLiteral("1000 digits"), QString(1000, QLatin1Char('9')), none},
        {QStringLiteral("emoji"), QStringLiteral("\u26f3"), none},
        {QStringLiteral("emoji outside the BMP"), QStringLiteral("\U0001F600"), none},
        {QStringLiteral("number and emoji"), QStringLiteral("12\U0001F600"), none},
        {QStringLiteral("full-width digits"), QStringLiteral("\uff11\uff12"), none},
        {QStringLiteral("full-width fraction"), QStringLiteral("\uff11\uff12\uff0e\uff15"), none},
        {QStringLiteral("full-width minus"), QStringLiteral("\uff0d\uff13"), none},
        {QStringLiteral("fraction"), QStringLiteral("12.5"), 12.5},
        {QStringLiteral("small fraction"), QStringLiteral("0.25"), 0.25},
        {QStringLiteral("slash fraction"), QStringLiteral("1/2"), none},
        {QStringLiteral("vulgar fraction"), QStringLiteral("\u00bd"), none},
        {QStringLiteral("decimal comma"), QStringLiteral("12,5"), none},
        {QStringLiteral("grouped thousands"), QStringLiteral("1,000"), none},
        {QStringLiteral("zero"), QStringLiteral("0"), 0},
        {QStringLiteral("negative"), QStringLiteral("-1"), -1},
        {QStringLiteral("negative fraction"), QStringLiteral("-12.5"), -12.5},
        {QStringLiteral("negative zero"), QStringLiteral("-0"), 0},
        {QStringLiteral("minus alone"), QStringLiteral("-"), none},
        {QStringLiteral("hundred below"), QStringLiteral("-100"), -100},
        {QStringLiteral("just past 16 bits"), QStringLiteral("32768"), 32768},
        {QStringLiteral("far past 16 bits"), QStringLiteral("40000"), 40000},
        {QStringLiteral("just below 16 bits"), QStringLiteral("-32769"), -32769},
        {QStringLiteral("65536"), QStringLiteral("65536"), 65536},
        {QStringLiteral("past 32 bits"), QStringLiteral("2147483648"), 2147483648.0},
        {QStringLiteral("exponent"), QStringLiteral("1e5"), 100000},
        {QStringLiteral("small exponent"), QStringLiteral("1.5e1"), 15},
        {QStringLiteral("overflowing exponent"), QStringLiteral("1e309"), none},
        {QStringLiteral("negative overflow"), QStringLiteral("-1e309"), none},
        {QStringLiteral("not a number"), QStringLiteral("nan"), none},
        {QStringLiteral("infinity"), QStringLiteral("inf"), none},
        {QStringLiteral("hexadecimal"), QStringLiteral("0x10"), none},
        {QStringLiteral("digits then letters"), QStringLiteral("12abc"), none},
        {QStringLiteral("letters"), QStringLiteral("abc"), none},
    };
}

// What a field holds.
enum class Kind {
    Text,     // stored exactly as typed
    Handicap, // a number that rounds into 16 bits
    Number,   // any finite number
    Strokes,  // a whole number from 0; with the other nine's 47 the total stays in 16 bits
    Rounded,  // a number that rounds into 16 bits, kept rounded
    Year,     // rounded, a four-digit year of the Western calendar
    Single,   // a multiplier kept in single precision, above 0 and at most 2
};

struct Field
{
    QString caption; // as the dialog names it in its messages
    int index;       // which field of the dialog
    Kind kind;
    QString column; // where it lands: a column, or for the settings a key
};

const QVector<Field> ScoreFields = {{QStringLiteral("HC"), 1, Kind::Handicap, QStringLiteral("HC")},
                                    {QStringLiteral("OB罰金"), 2, Kind::Number, QStringLiteral("OB")},
                                    {QStringLiteral("OUT"), 3, Kind::Strokes, QStringLiteral("OUT_VAL")},
                                    {QStringLiteral("IN"), 4, Kind::Strokes, QStringLiteral("IN_VAL")}};
const QVector<Field> MemberFields = {{QStringLiteral("氏名"), 1, Kind::Text, QStringLiteral("NAME")},
                                     {QStringLiteral("ふりがな"), 2, Kind::Text, QStringLiteral("HURIKANA")},
                                     {QStringLiteral("誕生日"), 3, Kind::Text, QStringLiteral("BIRTHDAY")},
                                     {QStringLiteral("HC"), 4, Kind::Handicap, QStringLiteral("HC")}};
const QVector<Field> CompetitionFields = {{QStringLiteral("プレイ日"), 1, Kind::Text, QStringLiteral("PLAYDATE")},
                                          {QStringLiteral("コース名"), 2, Kind::Text, QStringLiteral("COURSENAME")}};
// The sheet's own Date and Course boxes, stored when it is closed with 終了.
const QVector<Field> SheetFields = {{QStringLiteral("Date"), 1, Kind::Text, QStringLiteral("PLAYDATE")},
                                    {QStringLiteral("Course"), 2, Kind::Text, QStringLiteral("COURSENAME")}};

// The settings dialog: 西暦 enables OK only while it reads as a number.
const QVector<Field> SettingsFields = {{QStringLiteral("西暦"), 0, Kind::Year, SettingKeys::EditYear},
                                       {QStringLiteral("優勝の倍率"), 1, Kind::Single, SettingKeys::Par1st},
                                       {QStringLiteral("準優勝の倍率"), 2, Kind::Single, SettingKeys::Par2nd},
                                       {QStringLiteral("3位の倍率"), 3, Kind::Single, SettingKeys::Par3rd},
                                       {QStringLiteral("出場回数"), 4, Kind::Rounded, SettingKeys::OptTori1Val},
                                       {QStringLiteral("取り切りの点数"), 5, Kind::Rounded, SettingKeys::OptTori2Val},
                                       {QStringLiteral("出席の点数"), 6, Kind::Rounded, SettingKeys::TenTori[0]},
                                       {QStringLiteral("優勝の点数"), 7, Kind::Rounded, SettingKeys::TenTori[1]},
                                       {QStringLiteral("準優勝の点数"), 8, Kind::Rounded, SettingKeys::TenTori[2]},
                                       {QStringLiteral("3位の点数"), 9, Kind::Rounded, SettingKeys::TenTori[3]}};

// What an empty field does.
enum class Empty {
    DisablesOk, // nothing can be stored
    IsZero,     // stored as 0
    AsTyped,    // stored as the empty text
    Refused,    // refused like any other text that is not a number
};

bool fitsSixteenBits(double value)
{
    const double rounded = std::nearbyint(value);
    return rounded >= -32768 && rounded <= 32767;
}

// Whether the field takes the input, by the field's own rule alone.
bool accepts(Kind kind, const Input &input)
{
    const std::optional<double> &n = input.number;
    switch (kind) {
    case Kind::Text:
        return true;
    case Kind::Handicap:
    case Kind::Rounded:
        return n && fitsSixteenBits(*n);
    case Kind::Year:
        return n && std::nearbyint(*n) >= 1000 && std::nearbyint(*n) <= 9999;
    case Kind::Single:
        return n && static_cast<float>(*n) > 0 && static_cast<float>(*n) <= 2;
    case Kind::Number:
        return n.has_value();
    case Kind::Strokes:
        return n && *n == std::floor(*n) && *n >= 0 && *n + 47 <= 32767;
    }
    return false;
}

const QStringList NumericColumns = {
    QStringLiteral("Member.ID"),       QStringLiteral("Member.HC"),    QStringLiteral("Member.F_HC"),
    QStringLiteral("Member.E_HC"),     QStringLiteral("Course.ID"),    QStringLiteral("Course.CYEAR"),
    QStringLiteral("Course.CMONTH"),   QStringLiteral("Score.ID"),     QStringLiteral("Score.COURSE_ID"),
    QStringLiteral("Score.MEMBER_ID"), QStringLiteral("Score.HC"),     QStringLiteral("Score.OB"),
    QStringLiteral("Score.OUT_VAL"),   QStringLiteral("Score.IN_VAL"), QStringLiteral("Score.GROSS_VAL"),
    QStringLiteral("Score.NET_VAL"),   QStringLiteral("Score.NEW_HC"), QStringLiteral("Score.RANK")};

// Empty when the file is intact and every numeric column holds numbers only.
QString databaseProblems()
{
    const QVariantList check = ParvelaTest::column(QStringLiteral("PRAGMA integrity_check"));
    if (check != QVariantList{QStringLiteral("ok")})
        return QStringLiteral("integrity_check: ") + check.value(0).toString();
    for (const QString &qualified : NumericColumns) {
        const QStringList parts = qualified.split(QLatin1Char('.'));
        const int bad = ParvelaTest::value(QStringLiteral("select count(*) from %1 where typeof(%2) not in "
                                                          "('integer','real')")
                                               .arg(parts[0], parts[1]))
                            .toInt();
        if (bad > 0)
            return QStringLiteral("%1 holds %2 values that are not numbers").arg(qualified).arg(bad);
    }
    return QString();
}

using Rows = QList<QVariantList>;

Rows rowsOf(const QString &table)
{
    Rows rows;
    QSqlQuery query = Database::run(QStringLiteral("select * from %1 order by ID").arg(table));
    while (query.next()) {
        QVariantList row;
        for (int column = 0; column < query.record().count(); ++column)
            row << query.value(column);
        rows << row;
    }
    return rows;
}

const QStringList Tables = {QStringLiteral("Member"), QStringLiteral("Course"), QStringLiteral("Score")};

// What the user saw of one case.
struct Seen
{
    bool opened = false;
    bool okEnabled = false;
    bool stillOpen = false;
};

QLineEdit *scoreField(Form5 *entry, int index)
{
    return QVector<QLineEdit *>{entry->Text1, entry->Text2, entry->Text3, entry->Text4}[index - 1];
}

QLineEdit *memberField(Form8 *dialog, int index)
{
    return QVector<QLineEdit *>{dialog->Text1, dialog->Text2, dialog->Text3, dialog->Text4}[index - 1];
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    QMap<QString, Rows> m_baseline;
    qint16 m_course = 0;
    qint16 m_tanaka = 0;
    qint16 m_abe = 0;
    qint16 m_tanakaScore = 0;
    int m_cases = 0;
    QByteArray m_settingsBefore;

    void addRows(const QVector<Field> &fields, const QStringList &modes)
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("input");
        const QVector<Input> all = inputs();
        for (const QString &mode : modes) {
            for (int f = 0; f < fields.size(); ++f) {
                for (int i = 0; i < all.size(); ++i) {
                    const QString name =
                        mode + QLatin1Char(' ') + fields[f].caption + QStringLiteral(": ") + all[i].label;
                    QTest::newRow(name.toUtf8().constData()) << mode << f << i;
                }
            }
        }
    }

    // The stored outcome of one case: exactly one of the three holds.
    //  - the field took the input: no message, the dialog closed, `stored` finds the value;
    //  - the field refused it: one message naming the field, the dialog open, nothing changed;
    //  - the input leaves OK disabled: nothing can be stored.
    void checkOutcome(const Field &field, const Input &input, Empty empty, const Seen &seen,
                      const std::function<QVariant()> &stored)
    {
        ++m_cases;
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(seen.opened);
        const QString problems = databaseProblems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));

        const bool okDisabled = (input.text.isEmpty() && empty == Empty::DisablesOk)
                                || (field.caption == QStringLiteral("西暦") && !input.number);
        if (okDisabled) {
            QVERIFY(!seen.okEnabled);
            QVERIFY(shown.isEmpty());
            for (const QString &table : Tables)
                QCOMPARE(rowsOf(table), m_baseline[table]);
            QCOMPARE(settingsFileText(), m_settingsBefore);
            return;
        }
        QVERIFY(seen.okEnabled);
        const bool taken = input.text.isEmpty() ? empty != Empty::Refused : accepts(field.kind, input);
        if (taken) {
            QVERIFY2(shown.isEmpty(), qPrintable(shown.value(0).text));
            QVERIFY(!seen.stillOpen);
            const QVariant value = stored();
            const double number = input.text.isEmpty() ? 0.0 : input.number.value_or(0);
            if (field.kind == Kind::Text) {
                QCOMPARE(value.toString(), input.text);
            } else if (field.kind == Kind::Rounded || field.kind == Kind::Year || field.kind == Kind::Single) {
                // A setting: the text in the file reads back as the value kept.
                bool isNumber = false;
                const double stored = value.toString().toDouble(&isNumber);
                QVERIFY2(isNumber, qPrintable(value.toString()));
                if (field.kind != Kind::Single)
                    QCOMPARE(stored, std::nearbyint(number));
                else
                    QCOMPARE(static_cast<float>(stored), static_cast<float>(number));
            } else {
                QVERIFY2(value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double,
                         value.typeName());
                QCOMPARE(value.toDouble(), number);
            }
        } else {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].icon, QMessageBox::Warning);
            QVERIFY2(shown[0].text.startsWith(field.caption + QStringLiteral("には")), qPrintable(shown[0].text));
            QVERIFY(seen.stillOpen);
            for (const QString &table : Tables)
                QCOMPARE(rowsOf(table), m_baseline[table]);
            QCOMPARE(settingsFileText(), m_settingsBefore);
        }
    }

    static QByteArray settingsFileText()
    {
        QFile file(SettingsStore::fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("absent");
    }

private slots:
    void initTestCase()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        m_course = CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        m_tanaka =
            MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QStringLiteral("1950/1/1"), 12);
        m_abe = MemberTable::insert(QStringLiteral("阿部"), QStringLiteral("あべ"), QStringLiteral("1960/1/1"), 10);
        m_tanakaScore = addScore(m_course, m_tanaka, QStringLiteral("田中"), 12, 45, 47, 300);
        for (const QString &table : Tables)
            m_baseline[table] = rowsOf(table);
    }

    void init()
    {
        // Every case starts from the same rows.
        Transaction transaction;
        for (const QString &table : Tables) {
            Database::exec(QStringLiteral("delete from %1").arg(table));
            for (const QVariantList &row : m_baseline[table]) {
                QStringList marks;
                for (int i = 0; i < row.size(); ++i)
                    marks << QStringLiteral("?");
                Database::exec(QStringLiteral("insert into %1 values (%2)").arg(table, marks.join(QLatin1Char(','))),
                               row);
            }
        }
        transaction.commit();
        // The settings dialog's cases start from the same settings too; the others only leave
        // window placements and course names behind, and resetting after each (every write
        // waits for the disk) would take minutes.
        if (qstrcmp(QTest::currentTestFunction(), "settingsDialog") == 0) {
            ParvelaTest::clearSettings();
            Module1::Settings.EditYear = 2003;
            Module1::SaveSettings();
        }
        Module1::LoadSettings();
        Module1::Settings.EditYear = 2003;
        m_settingsBefore = settingsFileText();
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        flushDeletes();
    }

    void cleanupTestCase()
    {
        qInfo("bad input: %d cases (%d fields and modes × %d inputs)", m_cases,
              int(2 * ScoreFields.size() + 2 * MemberFields.size() + CompetitionFields.size() + SheetFields.size()
                  + SettingsFields.size()),
              int(inputs().size()));
        m_db.reset();
    }

    void scoreEntry_data() { addRows(ScoreFields, {Form5::AddCaption, Form5::EditCaption}); }
    void scoreEntry()
    {
        QFETCH(QString, mode);
        QFETCH(int, field);
        QFETCH(int, input);
        const Field &f = ScoreFields[field];
        const Input in = inputs()[input];
        const bool adding = mode == Form5::AddCaption;

        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        Seen seen;
        ParvelaTest::onNextDialog<Form5>([&](Form5 *entry) {
            seen.opened = true;
            QPointer<Form5> guard(entry);
            if (adding) {
                entry->Combo1->setCurrentIndex(entry->Combo1->findText(QStringLiteral("阿部")));
                entry->Text2->setText(QStringLiteral("300"));
                entry->Text3->setText(QStringLiteral("45"));
                entry->Text4->setText(QStringLiteral("47"));
            }
            scoreField(entry, f.index)->setText(in.text);
            seen.okEnabled = entry->Command1->isEnabled();
            entry->Command1->click();
            seen.stillOpen = guard && guard->isVisible();
            if (seen.stillOpen)
                guard->Command2->click();
        });
        if (adding) {
            sheet.Command1->click();
        } else {
            clickRow(*sheet.ScoreGrid, 1);
            sheet.Command2->click();
        }
        checkOutcome(f, in, Empty::IsZero, seen, [&] {
            return ParvelaTest::value(QStringLiteral("select %1 from Score where MEMBER_ID=?").arg(f.column),
                                      {adding ? m_abe : m_tanaka});
        });
    }

    void memberEdit_data() { addRows(MemberFields, {Form8::AddCaption, Form8::EditCaption}); }
    void memberEdit()
    {
        QFETCH(QString, mode);
        QFETCH(int, field);
        QFETCH(int, input);
        const Field &f = MemberFields[field];
        const Input in = inputs()[input];
        const bool adding = mode == Form8::AddCaption;

        Form7 &list = WindowRegistry::instance().form<Form7>();
        list.Showtable();
        QVERIFY(ParvelaTest::showActive(&list));
        Seen seen;
        ParvelaTest::onNextDialog<Form8>([&](Form8 *dialog) {
            seen.opened = true;
            QPointer<Form8> guard(dialog);
            if (adding) {
                dialog->Text1->setText(QStringLiteral("新人"));
                dialog->Text2->setText(QStringLiteral("しんじん"));
                dialog->Text3->setText(QStringLiteral("1970/1/1"));
                dialog->Text4->setText(QStringLiteral("10"));
            }
            memberField(dialog, f.index)->setText(in.text);
            seen.okEnabled = dialog->Command1->isEnabled();
            dialog->Command1->click();
            seen.stillOpen = guard && guard->isVisible();
            if (seen.stillOpen)
                guard->Command2->click();
        });
        if (adding) {
            list.Command1->click();
        } else {
            // 田中 is the second in kana order.
            QCOMPARE(list.MemberGrid->textAt(2, 0), QStringLiteral("田中"));
            clickRow(*list.MemberGrid, 2);
            list.Command2->click();
        }
        const int id = adding ? m_abe + 1 : m_tanaka;
        checkOutcome(f, in, Empty::DisablesOk, seen, [&] {
            return ParvelaTest::value(QStringLiteral("select %1 from Member where ID=?").arg(f.column), {id});
        });
        if (adding && f.column == QLatin1String("HC") && !seen.stillOpen && seen.okEnabled) {
            // A new member starts the year with the handicap entered.
            const double hc = ParvelaTest::value(QStringLiteral("select HC from Member where ID=?"), {id}).toDouble();
            QCOMPARE(ParvelaTest::value(QStringLiteral("select F_HC from Member where ID=?"), {id}).toDouble(), hc);
            QCOMPARE(ParvelaTest::value(QStringLiteral("select E_HC from Member where ID=?"), {id}).toDouble(), hc);
        }
    }

    void competition_data() { addRows(CompetitionFields, {QStringLiteral("新規入力")}); }
    void competition()
    {
        QFETCH(int, field);
        QFETCH(int, input);
        const Field &f = CompetitionFields[field];
        const Input in = inputs()[input];

        Module1::CurrentMonth = 6;
        Form6 &dialog = WindowRegistry::instance().form<Form6>();
        QVERIFY(ParvelaTest::showActive(&dialog));
        QPointer<Form6> guard(&dialog);
        Seen seen;
        seen.opened = true;
        dialog.boxDate->setText(QStringLiteral("2003/6/15"));
        dialog.boxCourse->setEditText(QStringLiteral("西"));
        if (f.index == 1)
            dialog.boxDate->setText(in.text);
        else
            dialog.boxCourse->setEditText(in.text);
        seen.okEnabled = dialog.Command1->isEnabled();
        if (seen.okEnabled) {
            // Storing goes on to the month's sheet; close it.
            ParvelaTest::onNextModal([](QWidget *modal) { modal->close(); });
            dialog.Command1->click();
        }
        seen.stillOpen = guard && guard->isVisible();
        checkOutcome(f, in, Empty::DisablesOk, seen, [&] {
            return ParvelaTest::value(
                QStringLiteral("select %1 from Course where CYEAR=2003 and CMONTH=6").arg(f.column));
        });
    }

    void sheetDateAndCourse_data() { addRows(SheetFields, {QStringLiteral("終了")}); }
    void sheetDateAndCourse()
    {
        QFETCH(int, field);
        QFETCH(int, input);
        const Field &f = SheetFields[field];
        const Input in = inputs()[input];

        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        QPointer<Form4> guard(&sheet);
        Seen seen;
        seen.opened = true;
        if (f.index == 1)
            sheet.boxDate->setText(in.text);
        else
            sheet.boxCourse->setEditText(in.text);
        seen.okEnabled = sheet.Command7->isEnabled();
        sheet.Command7->click();
        seen.stillOpen = guard && guard->isVisible();
        checkOutcome(f, in, Empty::AsTyped, seen, [&] {
            return ParvelaTest::value(QStringLiteral("select %1 from Course where ID=?").arg(f.column), {m_course});
        });
    }

    void settingsDialog_data() { addRows(SettingsFields, {QStringLiteral("設定")}); }
    void settingsDialog()
    {
        QFETCH(int, field);
        QFETCH(int, input);
        const Field &f = SettingsFields[field];
        const Input in = inputs()[input];

        Form1 menu;
        QVERIFY(ParvelaTest::showActive(&menu));
        Seen seen;
        ParvelaTest::onNextDialog<Form2>([&](Form2 *dialog) {
            seen.opened = true;
            QPointer<Form2> guard(dialog);
            const QVector<QLineEdit *> boxes = {
                dialog->Text1,    dialog->Text2,     dialog->Text3,     dialog->Text4,     dialog->boxTori1,
                dialog->boxTori2, dialog->boxTen[0], dialog->boxTen[1], dialog->boxTen[2], dialog->boxTen[3]};
            boxes[f.index]->setText(in.text);
            seen.okEnabled = dialog->Command1->isEnabled();
            dialog->Command1->click();
            seen.stillOpen = guard && guard->isVisible();
            if (seen.stillOpen)
                guard->close(); // the close box: nothing stored
        });
        menu.Command3->click();
        checkOutcome(f, in, Empty::Refused, seen, [&] { return QVariant(SettingsStore::read(f.column, QString())); });
    }
};

PARVELA_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
