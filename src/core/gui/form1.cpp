#include "core/gui/form1.h"

#include "core/database.h"
#include "core/databaselock.h"
#include "core/gui/daycopy.h"
#include "core/gui/firststart.h"
#include "core/gui/form11.h"
#include "core/gui/form2.h"
#include "core/gui/helpwindow.h"
#include "core/gui/recoveryoffer.h"
#include "core/gui/windowregistry.h"
#include "core/module1.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "monthly/gui/form3.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

const QString Form1::KeyHint =
    QStringLiteral("スコアは1、メンバーは2のキーに対応しています\r\nESCまたはF10で終了します");

namespace {

const QString ScoreHint = QStringLiteral("毎月と年間の成績の管理");
const QString MembersHint = QStringLiteral("参加者とHCの管理");
const QString SettingsHint = QStringLiteral("編集年や各種条件の設定");
const QString VersionHint = QStringLiteral("バージョンと連絡先の表示");

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Parvela"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4455), Twips::toPixels(2550));
    setMouseTracking(true);

    Command2 = makeButton(QStringLiteral("スコア"), 120, 120, ScoreHint);
    Command1 = makeButton(QStringLiteral("メンバー"), 1560, 120, MembersHint);
    Command3 = makeButton(QStringLiteral("設定"), 3000, 120, SettingsHint);
    Command4 = makeButton(QStringLiteral("ヘルプ"), 120, 840, QString());
    Command5 = makeButton(QStringLiteral("バージョン情報"), 1560, 840, VersionHint);
    Command6 = makeButton(QStringLiteral("終了"), 3000, 840, QString());

    Label1 = new QLabel(this);
    Label1->setGeometry(Twips::rect(0, 1560, 4455, 975));
    Ui::makeHintBox(*Label1);
    Label1->setWordWrap(true);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);

    new KeyPreview(this, [this](int key) { return Form_KeyDown(key); });
    new EnterPressesButtons(this);
}

Form1::~Form1() = default;

QPushButton *Form1::makeButton(const QString &caption, int left, int top, const QString &tooltip)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(Twips::rect(left, top, 1335, 615));
    button->setToolTip(tooltip);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

bool Form1::Form_Load()
{
    // Settings that could not be kept would be lost at every start without a word.
    const QString settingsProblem = SettingsStore::unusableReason();
    if (!settingsProblem.isEmpty()) {
        MessageBox::critical(nullptr, QStringLiteral("Parvela"), settingsProblem);
        return false;
    }
    Module1::LoadSettings();
    const QString path = Module1::DatabasePath();
    if (!FirstStart::offerDatabase(path))
        return false;
    // Two programs on one database would each write back what the other changed.
    m_lock = std::make_unique<DatabaseLock>(path);
    if (m_lock->state() == DatabaseLock::State::InUse) {
        MessageBox::critical(nullptr, QStringLiteral("Parvela"), m_lock->message());
        return false;
    }
    if (m_lock->state() == DatabaseLock::State::Unlocked)
        MessageBox::warning(nullptr, QStringLiteral("Parvela"), m_lock->message());
    // Only the file's identity is read here; the day's copy checks every page of it after the
    // menu has been painted.
    if (!RecoveryOffer::openOrRecover(path))
        return false;
    new DayCopy(this, path);
    return true;
}

bool Form1::Form_KeyDown(int key)
{
    switch (key) {
    case Qt::Key_1:
        Command2->click();
        return true;
    case Qt::Key_2:
        Command1->click();
        return true;
    case Qt::Key_F1:
        Command4->click();
        return true;
    case Qt::Key_F10:
    case Qt::Key_Escape:
        Command6->click();
        return true;
    default:
        return false;
    }
}

void Form1::Command1_Click()
{
    Form7 &members = WindowRegistry::instance().form<Form7>(this);
    members.Showtable();
    members.exec();
}

void Form1::Command2_Click()
{
    // Modeless: the menu stays usable, and pressing again refreshes the year and brings it forward.
    Form3 &months = WindowRegistry::instance().form<Form3>(this);
    months.Label1->setText(QString::number(Module1::Settings.EditYear) + QStringLiteral("年度"));
    months.show();
    months.raise();
    months.activateWindow();
}

void Form1::Command3_Click()
{
    Form2 &settings = WindowRegistry::instance().form<Form2>(this);
    settings.Fill(Module1::Settings);
    settings.exec();
}

void Form1::Command4_Click()
{
    if (!HelpWindow::helpFilePresent())
        return;
    WindowRegistry::instance().form<HelpWindow>(this).exec();
}

void Form1::Command5_Click()
{
    WindowRegistry::instance().form<Form11>(this).exec();
}

void Form1::Command6_Click()
{
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (auto *copy = findChild<DayCopy *>())
        copy->wait();
    Database::close();
    WindowRegistry::instance().discardAll();
    QApplication::quit();
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    // A button passes an unused move on to the window; its own hint must stay.
    if (!qobject_cast<QPushButton *>(childAt(event->position().toPoint())))
        Label1->setText(KeyHint);
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == Command2)
            Label1->setText(ScoreHint);
        else if (watched == Command1)
            Label1->setText(MembersHint);
        else if (watched == Command3)
            Label1->setText(SettingsHint);
        else if (watched == Command5)
            Label1->setText(VersionHint);
        else if (watched == Command4)
            Label1->setText(KeyHint);
    }
    return QWidget::eventFilter(watched, event);
}
