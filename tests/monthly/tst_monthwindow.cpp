// The month selection window and what it leads to: a month's sheet, or a new competition with
// its date picker.

#include "parvelatest.h"

using namespace ParvelaTest;

namespace {

// Clicks a day of the calendar's shown month as the mouse would.
void clickDay(QCalendarWidget *calendar, int day)
{
    auto *view = calendar->findChild<QTableView *>("qt_calendar_calendarview");
    QAbstractItemModel *model = view->model();
    bool inMonth = false; // days of the neighbouring months share the grid
    for (int cell = 0; cell < model->rowCount() * model->columnCount(); ++cell) {
        const QModelIndex index = model->index(cell / model->columnCount(), cell % model->columnCount());
        inMonth = inMonth || index.data().toInt() == 1;
        if (inMonth && index.data().toInt() == day)
            return QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
}

} // namespace

class TestMonthWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init() { m_db = freshSettingsAndDatabase(2003); }

    void cleanup() { endWindowTest(m_db); }

    // Whichever button has the focus, a month's key opens its new competition dialog (cancelled:
    // nothing stored), 0 the year.
    void keysOpenTheirWindows()
    {
        MonthWindow &months = showWindow<MonthWindow>(settings());
        const QString may = "新規入力-2003年5月";
        // Each key as the platform reports it: 5 on the keyboard, the keypad and with Shift, Shift+A,
        // C, keypad 0, Esc and D.
        for (const auto &[key, opened] :
             {std::pair(QVector<int>{Qt::Key_5, 0, 14, 0x35}, may),
              {{Qt::Key_5, Qt::KeypadModifier, 84, 0xffb5}, may},
              {{Qt::Key_Percent, Qt::ShiftModifier, 14, 0x25}, may},
              {{Qt::Key_A, Qt::ShiftModifier, 38, 0x41}, "新規入力-2003年10月"},
              {{Qt::Key_C, 0, 54, 0x63}, "新規入力-2003年12月"},
              {{Qt::Key_0, Qt::KeypadModifier, 90, 0xffb0}, "年間集計 (赤…優勝 青…準優勝 黄…三位)"},
              {{Qt::Key_Escape, 0, 9, 0xff1b}, ""},
              {{Qt::Key_D, 0, 40, 0x64}, ""}}) {
            QCOMPARE(opens([&] { sendKey(months.closeButton, key); }).section(':', 1), opened);
            QVERIFY(months.isVisible() && count("Course") == 0);
        }
    }

    void aMonthWithACompetitionOpensItsSheetInTheYearOfThePress()
    {
        const int may = CourseTable::insert(2003, 5, "2003/5/18", "東コース");
        addScore(may, MemberTable::insert("会員", "か", QString(), 10), "会員", 10, 40, 40);
        CourseTable::insert(2004, 5, "2004/5/16", "別の年");
        MonthWindow &months = showWindow<MonthWindow>(settings());
        const auto sheetSeen = [](QWidget *modal) {
            auto *sheet = static_cast<ScoreSheetWindow *>(modal);
            return QStringList{sheet->windowTitle(), sheet->playDateEdit->text(), sheet->courseCombo->currentText(),
                               shownColumn(*sheet->scoreGrid, 1).join(',')}
                .join('|');
        };
        QCOMPARE(opens([&] { months.monthButtons[4]->click(); }, sheetSeen), "2003年5月|2003/5/18|東コース|会員");
        flushDeletes();
        settings().editYear = 2004;
        QCOMPARE(opens([&] { months.monthButtons[4]->click(); }, sheetSeen), "2004年5月|2004/5/16|別の年|");
    }

    void aNewCompetitionIsStoredAndItsSheetOpens_data()
    {
        QTest::addColumn<QString>("typed"); // empty: the first remembered name, chosen from the list
        QTest::addColumn<QStringList>("historyAfter");
        QTest::newRow("remembered name") << "" << QStringList{"東", "", "北"};
        QTest::newRow("new name") << "O'Hara's" << QStringList{"O'Hara's", "東", ""};
    }
    void aNewCompetitionIsStoredAndItsSheetOpens()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, historyAfter);
        SettingsStore::save(SettingKeys::course(1), "東");
        SettingsStore::save(SettingKeys::course(3), "北");
        MonthWindow &months = showWindow<MonthWindow>(settings());
        // The names offered, whether OK is on at each step, the day the picker opens on (the one
        // typed, a Saturday: the Sunday clicked must be in sight too) and its weekdays, whatever the
        // system's locale, in Japanese; what OK opens.
        QStringList seen;
        opens([&] { months.monthButtons[4]->click(); },
              [&](QWidget *modal) {
                  auto *dialog = static_cast<CompetitionDialog *>(modal);
                  const auto okState = [dialog] { return dialog->okButton->isEnabled() ? "OK on" : "OK off"; };
                  seen << QString::number(dialog->courseCombo->count()) << okState();
                  dialog->playDateEdit->setText("2003/05/03");
                  seen << opens([&] { dialog->pickDateButton->click(); },
                                [](QWidget *picker) {
                                    QCalendarWidget *calendar = static_cast<DatePicker *>(picker)->calendar;
                                    QString shown = calendar->selectedDate().toString(Qt::ISODate) + ' ';
                                    const QAbstractItemModel *days = calendar->findChild<QTableView *>()->model();
                                    for (int column = 0; column < 7; ++column)
                                        shown += days->index(0, column).data().toString();
                                    clickDay(calendar, 18);
                                    return shown;
                                });
                  seen << okState();
                  dialog->courseCombo->setFocus();
                  if (typed.isEmpty())
                      QTest::keyClick(dialog->courseCombo, Qt::Key_Down);
                  else
                      dialog->courseCombo->setEditText(typed);
                  seen << okState();
                  QTest::keyClick(dialog->playDateEdit, Qt::Key_Escape); // no function here
                  if (!dialog->isVisible()) {
                      seen << "closed by Esc";
                      return "closed";
                  }
                  // OK stores, and the sheet opens once the dialog has gone.
                  onNextModal([&](QWidget *sheet) {
                      seen << QString::fromLatin1(sheet->metaObject()->className()) + ':' + sheet->windowTitle();
                      sheet->close();
                  });
                  dialog->okButton->click();
                  return "stored";
              });
        QCOMPARE(seen, (QStringList{"2", "OK off", "2003-05-03 日月火水木金土", "OK off", "OK on",
                                    "ScoreSheetWindow:2003年5月"}));
        const QString course = typed.isEmpty() ? "東" : typed;
        QCOMPARE(column("select ID||PLAYDATE||COURSENAME from Course where CYEAR=2003 and CMONTH=5"),
                 QVariantList{"12003/5/18" + course});
        QCOMPARE(courseHistory(), historyAfter);
    }
};

PARVELA_TEST_MAIN(TestMonthWindow)
#include "tst_monthwindow.moc"
