#include "core/gui/daycopy.h"

#include "core/gui/recoveryoffer.h"
#include "platform/gui/messagebox.h"

#include <QEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

Backup::Seams g_seams;

} // namespace

DayCopy::DayCopy(QWidget *menu, QString databasePath)
    : QObject(menu)
    , m_menu(menu)
    , m_databasePath(std::move(databasePath))
    , m_today(QDate::currentDate())
{
    menu->installEventFilter(this);
}

DayCopy::~DayCopy()
{
    wait();
}

void DayCopy::wait()
{
    if (m_thread)
        m_thread->wait();
}

void DayCopy::setSeams(const Backup::Seams &seams)
{
    g_seams = seams;
}

bool DayCopy::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_menu && event->type() == QEvent::Paint && !m_thread) {
        m_menu->removeEventFilter(this);
        // Its buttons are painted in the same go: the zero timer runs after them.
        QTimer::singleShot(0, this, &DayCopy::start);
    }
    return false;
}

void DayCopy::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this, path = m_databasePath, today = m_today, seams = g_seams] {
        m_outcome = Backup::makeDaily(path, today, seams);
    });
    m_thread->setParent(this);
    // Queued: the worker ends on its own thread, the outcome is told on the window's.
    connect(m_thread, &QThread::finished, this, &DayCopy::tell);
    m_thread->start(QThread::NormalPriority);
}

void DayCopy::tell()
{
    const QString title = QStringLiteral("Parvela");
    if (m_outcome.failedCheck) {
        RecoveryOffer::forFailedCopy(m_menu);
    } else if (!m_outcome.problem.isEmpty()) {
        // The club's data itself is untouched: told once, and the run goes on.
        MessageBox::warning(m_menu, title,
                            QStringLiteral("データベースのバックアップを作成できませんでした。\n%1\n\n"
                                           "Parvela はこのまま使えます。")
                                .arg(m_outcome.problem));
    }
    // Only a copy made today has looked through the folder's copies.
    const QString notice =
        m_outcome.made ? Backup::noticeOfFutureCopies(m_databasePath, m_today, m_outcome.future) : QString();
    if (!notice.isEmpty())
        MessageBox::warning(m_menu, title, notice);
    m_told = true;
    emit finished();
}
