#include "core/gui/settingsdialog.h"

#include "core/gui/restoredialog.h"
#include "core/gui/windowregistry.h"
#include "core/module1.h"
#include "core/settingsentry.h"
#include "core/settingsstore.h"
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
    auto *box = new QLineEdit(parent);
    box->setGeometry(Twips::rect(left, top, width, height));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Numbers only: no input method.
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    box->setFont(regular);
    return box;
}

} // namespace

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("設定"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4260), Twips::toPixels(2820));

    makeLabel(this, QStringLiteral("西暦"), 120, 120);
    Text1 = makeNumberBox(this, 600, 120, 855, 270);
    makeLabel(this, QStringLiteral("年度"), 1560, 120);

    Frame1 = makeFrame(this, QStringLiteral("新HC計算"), 120, 480, 1815, 1095);
    const std::array<QString, 3> places = {QStringLiteral("優勝"), QStringLiteral("準優勝"), QStringLiteral("3位")};
    std::array<QLineEdit *, 3> multipliers;
    for (std::size_t i = 0; i < multipliers.size(); ++i) {
        const int top = 240 + static_cast<int>(i) * RowHeight;
        makeLabel(Frame1, places[i], 120, top);
        makeLabel(Frame1, QStringLiteral("×"), 840, top);
        multipliers[i] = makeNumberBox(Frame1, 1080, top, 615, RowHeight);
    }
    Text2 = multipliers[0];
    Text3 = multipliers[1];
    Text4 = multipliers[2];

    Frame2 = makeFrame(this, QStringLiteral("取り切り出場資格"), 2040, 0, 2175, 2295);
    Check1 = new QCheckBox(Frame2);
    Check1->move(Twips::toPixels(120), Twips::toPixels(240));
    boxTori1 = makeNumberBox(Frame2, 480, 240, 375, RowHeight);
    makeLabel(Frame2, QStringLiteral("回以上出場"), 960, 240);
    Check2 = new QCheckBox(Frame2);
    Check2->move(Twips::toPixels(120), Twips::toPixels(480));
    boxTori2 = makeNumberBox(Frame2, 480, 480, 375, RowHeight);
    makeLabel(Frame2, QStringLiteral("点以上"), 960, 480);

    Frame3 = makeFrame(Frame2, QStringLiteral("点数"), 240, 840, 1815, 1335);
    const std::array<QString, 4> occasions = {QStringLiteral("出席"), QStringLiteral("優勝"), QStringLiteral("準優勝"),
                                              QStringLiteral("3位")};
    for (std::size_t i = 0; i < boxTen.size(); ++i) {
        const int top = 240 + static_cast<int>(i) * RowHeight;
        makeLabel(Frame3, occasions[i], 120, top);
        boxTen[i] = makeNumberBox(Frame3, 1080, top, 375, RowHeight);
        makeLabel(Frame3, QStringLiteral("点"), 1560, top);
    }

    Frame4 = makeFrame(this, QStringLiteral("印刷"), 120, 1680, 1815, 615);
    makeLabel(Frame4, QStringLiteral("倍率"), 120, 240);
    Combo1 = new QComboBox(Frame4);
    Combo1->setGeometry(Twips::toPixels(600), Twips::toPixels(240), Twips::toPixels(855), Combo1->sizeHint().height());
    for (const int size : PrintSizes)
        Combo1->addItem(QString::number(size), size);
    makeLabel(Frame4, QStringLiteral("%"), 1560, 240);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(Twips::rect(3120, 2400, 1095, 375));
    // Enter in a field must not store half-edited settings.
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("バックアップから復元…"), this);
    Command2->setGeometry(Twips::rect(120, 2400, 1815, 375));
    Command2->setToolTip(QStringLiteral("毎日のバックアップの一覧から選んで、その日のデータに戻します"));
    Command2->setAutoDefault(false);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Check1);
    setTabOrder(Check1, boxTori1);
    setTabOrder(boxTori1, Check2);
    setTabOrder(Check2, boxTori2);
    setTabOrder(boxTori2, boxTen[0]);
    for (std::size_t i = 1; i < boxTen.size(); ++i)
        setTabOrder(boxTen[i - 1], boxTen[i]);
    setTabOrder(boxTen[3], Combo1);
    setTabOrder(Combo1, Command1);
    setTabOrder(Command1, Command2);

    connect(Text1, &QLineEdit::textChanged, this, &SettingsDialog::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &SettingsDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SettingsDialog::Command2_Click);
    new EnterPressesButtons(this);
    Text1_Change();
    Text1->setFocus();
}

void SettingsDialog::Fill(const SettingsRecord &settings)
{
    Text1->setText(QString::number(settings.EditYear));
    Text2->setText(SettingsStore::floatText(settings.par1st));
    Text3->setText(SettingsStore::floatText(settings.par2nd));
    Text4->setText(SettingsStore::floatText(settings.par3rd));
    // A rule counts as on only when its setting is exactly 1.
    Check1->setChecked(settings.optTori1 == 1);
    boxTori1->setText(QString::number(settings.optTori1val));
    Check2->setChecked(settings.optTori2 == 1);
    boxTori2->setText(QString::number(settings.optTori2val));
    for (std::size_t i = 0; i < boxTen.size(); ++i)
        boxTen[i]->setText(QString::number(settings.tenTori[i]));

    // A scale not on the list (written by hand) is shown as an entry of its own, in its place
    // among the others, so that OK keeps it unless the user picks another.
    int index = Combo1->findData(int(settings.printSize));
    if (index < 0) {
        index = 0;
        while (index < Combo1->count() && Combo1->itemData(index).toInt() > settings.printSize)
            ++index;
        Combo1->insertItem(index, QString::number(settings.printSize), int(settings.printSize));
    }
    Combo1->setCurrentIndex(index);
    Text1_Change();
}

void SettingsDialog::Text1_Change()
{
    Command1->setEnabled(SettingsEntry::yearReadable(Text1->text()));
}

void SettingsDialog::Command1_Click()
{
    // Every field is read before anything changes: a refused field leaves the record and the
    // store as they were, and the dialog open.
    SettingsEntry::Typed typed;
    typed.year = Text1->text();
    typed.multipliers = {Text2->text(), Text3->text(), Text4->text()};
    typed.tori1Val = boxTori1->text();
    typed.tori2Val = boxTori2->text();
    for (std::size_t i = 0; i < boxTen.size(); ++i)
        typed.points[i] = boxTen[i]->text();
    SettingsRecord current = Module1::Settings;
    current.optTori1 = Check1->isChecked() ? 1 : 0;
    current.optTori2 = Check2->isChecked() ? 1 : 0;
    current.printSize = static_cast<qint16>(Combo1->currentData().toInt());
    const Checked<SettingsRecord> entered = SettingsEntry::check(typed, current);
    if (entered.error) {
        const std::array<QLineEdit *, 10> fields = {Text1,    Text2,     Text3,     Text4,     boxTori1,
                                                    boxTori2, boxTen[0], boxTen[1], boxTen[2], boxTen[3]};
        MessageBox::refuseField(fields[static_cast<std::size_t>(entered.error->field)], entered.error->message);
        return;
    }
    Module1::Settings = entered.values;
    Module1::SaveSettings();
    if (!SettingsStore::lastSaveSucceeded()) {
        MessageBox::warning(
            this, Title,
            QStringLiteral("設定を保存できませんでした。\r\n変更は次に起動するまでの間だけ有効です。\r\n")
                + SettingsStore::fileName());
    }
    accept();
}

void SettingsDialog::Command2_Click()
{
    RestoreDialog &dialog = WindowRegistry::instance().form<RestoreDialog>(this);
    dialog.Showtable();
    dialog.exec();
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
