#include "core/gui/mainmenu.h"

#include "core/database.h"
#include "core/databaselock.h"
#include "core/datalocation.h"
#include "core/gui/daycopy.h"
#include "core/gui/firststart.h"
#include "core/gui/helpwindow.h"
#include "core/gui/recoveryoffer.h"
#include "core/gui/settingsdialog.h"
#include "core/gui/undocommands.h"
#include "core/gui/versionwindow.h"
#include "core/settingsstore.h"
#include "members/gui/memberlistwindow.h"
#include "monthly/gui/monthwindow.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

const QString MainMenu::KeyHint =
    QStringLiteral("スコアは1、メンバーは2のキーに対応しています\r\nESCまたはF10で終了します");

namespace {

const QString ScoreHint = QStringLiteral("毎月と年間の成績の管理");
const QString MembersHint = QStringLiteral("参加者とHCの管理");
const QString SettingsHint = QStringLiteral("編集年や各種条件の設定");
const QString VersionHint = QStringLiteral("バージョンと連絡先の表示");

} // namespace

MainMenu::MainMenu(const SettingsRecord &settings, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Parvela"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4455), Twips::toPixels(2550));
    setMouseTracking(true);

    scoresButton = makeButton(QStringLiteral("スコア"), 120, 120, ScoreHint);
    membersButton = makeButton(QStringLiteral("メンバー"), 1560, 120, MembersHint);
    settingsButton = makeButton(QStringLiteral("設定"), 3000, 120, SettingsHint);
    helpButton = makeButton(QStringLiteral("ヘルプ"), 120, 840, QString());
    versionButton = makeButton(QStringLiteral("バージョン情報"), 1560, 840, VersionHint);
    quitButton = makeButton(QStringLiteral("終了"), 3000, 840, QString());

    hintBox = new QLabel(this);
    hintBox->setGeometry(Twips::rect(0, 1560, 4455, 975));
    Ui::makeHintBox(*hintBox);
    hintBox->setWordWrap(true);

    connect(membersButton, &QPushButton::clicked, this, &MainMenu::openMemberList);
    connect(scoresButton, &QPushButton::clicked, this, &MainMenu::openMonths);
    connect(settingsButton, &QPushButton::clicked, this, &MainMenu::openSettings);
    connect(helpButton, &QPushButton::clicked, this, &MainMenu::openHelp);
    connect(versionButton, &QPushButton::clicked, this, &MainMenu::openVersion);
    connect(quitButton, &QPushButton::clicked, this, &QWidget::close);

    undoCommands = new UndoCommands(this, m_history, hintBox);

    new KeyPreview(this, [this](int key) { return shortcutKey(key); });
    new EnterPressesButtons(this);
}

MainMenu::~MainMenu() = default;

QPushButton *MainMenu::makeButton(const QString &caption, int left, int top, const QString &tooltip)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(Twips::rect(left, top, 1335, 615));
    button->setToolTip(tooltip);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

bool MainMenu::start()
{
    return start(nullptr);
}

bool MainMenu::start(std::unique_ptr<DatabaseLock> lock)
{
    // Settings that could not be kept would be lost at every start without a word.
    const QString settingsProblem = SettingsStore::unusableReason();
    if (!settingsProblem.isEmpty()) {
        MessageBox::critical(nullptr, QStringLiteral("Parvela"), settingsProblem);
        return false;
    }
    m_settings = SettingsRecord::load();
    const QString path = DataLocation::databasePath();
    if (!FirstStart::offerDatabase(path, m_settings))
        return false;
    // Two programs on one database would each write back what the other changed.
    m_lock = lock ? std::move(lock) : std::make_unique<DatabaseLock>(path);
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

bool MainMenu::shortcutKey(int key)
{
    switch (key) {
    case Qt::Key_1:
        scoresButton->click();
        return true;
    case Qt::Key_2:
        membersButton->click();
        return true;
    case Qt::Key_F1:
        helpButton->click();
        return true;
    case Qt::Key_F10:
    case Qt::Key_Escape:
        quitButton->click();
        return true;
    default:
        return false;
    }
}

MonthWindow *MainMenu::monthWindow() const
{
    return m_months;
}

void MainMenu::openMemberList()
{
    MemberListWindow members(m_settings, m_history, this);
    members.reload();
    members.exec();
}

void MainMenu::openMonths()
{
    if (!m_months) {
        m_months = new MonthWindow(m_settings, m_history, this);
        m_months->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_months->showYear();
    m_months->show();
    m_months->raise();
    m_months->activateWindow();
}

void MainMenu::openSettings()
{
    SettingsDialog settings(m_settings, this);
    // The records were replaced as a whole: no step of before fits them.
    connect(&settings, &SettingsDialog::recordsReplaced, &m_history, &UndoHistory::clear);
    settings.exec();
}

void MainMenu::openHelp()
{
    if (!HelpWindow::helpFilePresent())
        return;
    HelpWindow help(this);
    help.exec();
}

void MainMenu::openVersion()
{
    VersionWindow version(this);
    version.exec();
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}

void MainMenu::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (auto *copy = findChild<DayCopy *>())
        copy->wait();
    // The month window goes with the menu, without closing steps of its own.
    delete m_months;
    Database::close();
    QApplication::quit();
}

void MainMenu::mouseMoveEvent(QMouseEvent *event)
{
    // A button passes an unused move on to the window; its own hint must stay.
    if (!qobject_cast<QPushButton *>(childAt(event->position().toPoint())))
        hintBox->setText(KeyHint);
    QWidget::mouseMoveEvent(event);
}

bool MainMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == scoresButton)
            hintBox->setText(ScoreHint);
        else if (watched == membersButton)
            hintBox->setText(MembersHint);
        else if (watched == settingsButton)
            hintBox->setText(SettingsHint);
        else if (watched == versionButton)
            hintBox->setText(VersionHint);
        else if (watched == helpButton)
            hintBox->setText(KeyHint);
    }
    return QWidget::eventFilter(watched, event);
}
