#include "core/gui/settingsdialog.h"

#include "core/gui/restoredialog.h"
#include "core/settingsentry.h"
#include "core/settingsrecord.h"
#include "core/settingsstore.h"
#include "monthly/gui/sideprizedialog.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace {

const QString Title = QStringLiteral("Parvela");

// The scales offered, largest first.
constexpr std::array<int, 5> PrintSizes = {200, 150, 100, 75, 50};

// Rows inside the frames are 240 twips apart; the boxes fill their row.
constexpr int RowHeight = 240;

QLabel *makeLabel(QWidget *parent, const QString &caption, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->move(Twips::toPixels(left), Twips::toPixels(top));
    return label;
}

QGroupBox *makeFrame(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setGeometry(Twips::rect(left, top, width, height));
    return frame;
}

QLineEdit *makeNumberBox(QWidget *parent, int left, int top, int width, int height)
{
    QLineEdit *box = Ui::numberBox(parent);
    box->setGeometry(Twips::rect(left, top, width, height));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

} // namespace

SettingsDialog::SettingsDialog(SettingsRecord &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("設定"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4260), Twips::toPixels(2820));

    makeLabel(this, QStringLiteral("西暦"), 120, 120);
    yearEdit = makeNumberBox(this, 600, 120, 855, 270);
    makeLabel(this, QStringLiteral("年度"), 1560, 120);

    newHcFrame = makeFrame(this, QStringLiteral("新HC計算"), 120, 480, 1815, 1095);
    const std::array<QString, 3> places = {QStringLiteral("優勝"), QStringLiteral("準優勝"), QStringLiteral("3位")};
    std::array<QLineEdit *, 3> multipliers;
    for (std::size_t i = 0; i < multipliers.size(); ++i) {
        const int top = 240 + static_cast<int>(i) * RowHeight;
        makeLabel(newHcFrame, places[i], 120, top);
        makeLabel(newHcFrame, QStringLiteral("×"), 840, top);
        multipliers[i] = makeNumberBox(newHcFrame, 1080, top, 615, RowHeight);
    }
    winnerEdit = multipliers[0];
    runnerUpEdit = multipliers[1];
    thirdEdit = multipliers[2];

    eligibilityFrame = makeFrame(this, QStringLiteral("取り切り出場資格"), 2040, 0, 2175, 2295);
    attendanceCheck = new QCheckBox(eligibilityFrame);
    attendanceCheck->move(Twips::toPixels(120), Twips::toPixels(240));
    attendanceEdit = makeNumberBox(eligibilityFrame, 480, 240, 375, RowHeight);
    makeLabel(eligibilityFrame, QStringLiteral("回以上出場"), 960, 240);
    pointsCheck = new QCheckBox(eligibilityFrame);
    pointsCheck->move(Twips::toPixels(120), Twips::toPixels(480));
    pointsEdit = makeNumberBox(eligibilityFrame, 480, 480, 375, RowHeight);
    makeLabel(eligibilityFrame, QStringLiteral("点以上"), 960, 480);

    pointsFrame = makeFrame(eligibilityFrame, QStringLiteral("点数"), 240, 840, 1815, 1335);
    const std::array<QString, 4> occasions = {QStringLiteral("出席"), QStringLiteral("優勝"), QStringLiteral("準優勝"),
                                              QStringLiteral("3位")};
    for (std::size_t i = 0; i < pointEdits.size(); ++i) {
        const int top = 240 + static_cast<int>(i) * RowHeight;
        makeLabel(pointsFrame, occasions[i], 120, top);
        pointEdits[i] = makeNumberBox(pointsFrame, 1080, top, 375, RowHeight);
        makeLabel(pointsFrame, QStringLiteral("点"), 1560, top);
    }

    printFrame = makeFrame(this, QStringLiteral("印刷"), 120, 1680, 1815, 615);
    makeLabel(printFrame, QStringLiteral("倍率"), 120, 240);
    printScaleCombo = new QComboBox(printFrame);
    printScaleCombo->setGeometry(Twips::toPixels(600), Twips::toPixels(240), Twips::toPixels(855),
                                 printScaleCombo->sizeHint().height());
    for (const int size : PrintSizes)
        printScaleCombo->addItem(QString::number(size), size);
    makeLabel(printFrame, QStringLiteral("%"), 1560, 240);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(Twips::rect(3120, 2400, 1095, 375));
    // Enter in a field must not store half-edited settings.
    okButton->setAutoDefault(false);
    restoreButton = new QPushButton(QStringLiteral("バックアップから復元…"), this);
    restoreButton->setGeometry(Twips::rect(120, 2400, 1815, 375));
    restoreButton->setToolTip(QStringLiteral("毎日のバックアップの一覧から選んで、その日のデータに戻します"));
    restoreButton->setAutoDefault(false);
    // In the free space between the restore button and OK: nothing else moves.
    prizesButton = new QPushButton(QStringLiteral("賞の設定…"), this);
    prizesButton->setGeometry(Twips::rect(2040, 2400, 975, 375));
    prizesButton->setToolTip(
        QStringLiteral("ベスグロ、ブービー、ブービーメーカー、飛び賞を月例会のスコア表に付けるかどうかを選びます"));
    prizesButton->setAutoDefault(false);

    setTabOrder(yearEdit, winnerEdit);
    setTabOrder(winnerEdit, runnerUpEdit);
    setTabOrder(runnerUpEdit, thirdEdit);
    setTabOrder(thirdEdit, attendanceCheck);
    setTabOrder(attendanceCheck, attendanceEdit);
    setTabOrder(attendanceEdit, pointsCheck);
    setTabOrder(pointsCheck, pointsEdit);
    setTabOrder(pointsEdit, pointEdits[0]);
    for (std::size_t i = 1; i < pointEdits.size(); ++i)
        setTabOrder(pointEdits[i - 1], pointEdits[i]);
    setTabOrder(pointEdits[3], printScaleCombo);
    setTabOrder(printScaleCombo, okButton);
    setTabOrder(okButton, restoreButton);
    setTabOrder(restoreButton, prizesButton);

    connect(yearEdit, &QLineEdit::textChanged, this, &SettingsDialog::updateOkButton);
    connect(okButton, &QPushButton::clicked, this, &SettingsDialog::store);
    connect(restoreButton, &QPushButton::clicked, this, &SettingsDialog::openRestore);
    connect(prizesButton, &QPushButton::clicked, this, &SettingsDialog::openSidePrizes);
    new EnterPressesButtons(this);
    showSettings();
    yearEdit->setFocus();
}

void SettingsDialog::showSettings()
{
    const SettingsRecord &settings = m_settings;
    yearEdit->setText(QString::number(settings.editYear));
    winnerEdit->setText(SettingsStore::floatText(settings.winnerMultiplier));
    runnerUpEdit->setText(SettingsStore::floatText(settings.runnerUpMultiplier));
    thirdEdit->setText(SettingsStore::floatText(settings.thirdMultiplier));
    // A rule counts as on only when its setting is exactly 1.
    attendanceCheck->setChecked(settings.attendanceRule == 1);
    attendanceEdit->setText(QString::number(settings.minimumAttendance));
    pointsCheck->setChecked(settings.pointsRule == 1);
    pointsEdit->setText(QString::number(settings.minimumPoints));
    for (std::size_t i = 0; i < pointEdits.size(); ++i)
        pointEdits[i]->setText(QString::number(settings.pointsFor[i]));

    // A scale not on the list (written by hand) is shown as an entry of its own, in its place
    // among the others, so that OK keeps it unless the user picks another.
    int index = printScaleCombo->findData(int(settings.printScale));
    if (index < 0) {
        index = 0;
        while (index < printScaleCombo->count() && printScaleCombo->itemData(index).toInt() > settings.printScale)
            ++index;
        printScaleCombo->insertItem(index, QString::number(settings.printScale), int(settings.printScale));
    }
    printScaleCombo->setCurrentIndex(index);
    m_sidePrizes = settings.sidePrizes;
    updateOkButton();
}

void SettingsDialog::updateOkButton()
{
    okButton->setEnabled(SettingsEntry::yearReadable(yearEdit->text()));
}

void SettingsDialog::store()
{
    // Every field is read before anything changes: a refused field leaves the record and the
    // store as they were, and the dialog open.
    SettingsEntry::Typed typed;
    typed.year = yearEdit->text();
    typed.multipliers = {winnerEdit->text(), runnerUpEdit->text(), thirdEdit->text()};
    typed.tori1Val = attendanceEdit->text();
    typed.tori2Val = pointsEdit->text();
    for (std::size_t i = 0; i < pointEdits.size(); ++i)
        typed.points[i] = pointEdits[i]->text();
    SettingsRecord current = m_settings;
    current.attendanceRule = attendanceCheck->isChecked() ? 1 : 0;
    current.pointsRule = pointsCheck->isChecked() ? 1 : 0;
    current.printScale = static_cast<qint16>(printScaleCombo->currentData().toInt());
    current.sidePrizes = m_sidePrizes;
    const Checked<SettingsRecord> entered = SettingsEntry::check(typed, current);
    if (entered.error) {
        const std::array<QLineEdit *, 10> fields = {yearEdit,       winnerEdit,   runnerUpEdit,  thirdEdit,
                                                    attendanceEdit, pointsEdit,   pointEdits[0], pointEdits[1],
                                                    pointEdits[2],  pointEdits[3]};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }
    m_settings = entered.values;
    m_settings.save();
    if (!SettingsStore::lastSaveSucceeded()) {
        MessageBox::warning(
            this, Title,
            QStringLiteral("設定を保存できませんでした。\r\n変更は次に起動するまでの間だけ有効です。\r\n")
                + SettingsStore::fileName());
    }
    accept();
}

void SettingsDialog::openRestore()
{
    RestoreDialog restore(this);
    connect(&restore, &RestoreDialog::restored, this, &SettingsDialog::recordsReplaced);
    restore.reload();
    restore.exec();
}

void SettingsDialog::openSidePrizes()
{
    SidePrizeDialog prizes(m_sidePrizes, this);
    prizes.exec();
}

void SettingsDialog::keyPressEvent(QKeyEvent *event)
{
    // The dialog has no cancel button, so Esc has nothing to press: only the close box leaves
    // without storing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
