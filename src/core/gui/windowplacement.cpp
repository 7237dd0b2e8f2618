#include "core/gui/windowplacement.h"

#include "core/gui/errorreport.h"
#include "core/settingsstore.h"
#include "platform/gui/gridview.h"
#include "platform/gui/widgets.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <utility>

namespace WindowPlacement {

namespace {

constexpr int Normal = 0;
constexpr int Minimised = 1;
constexpr int Maximised = 2;

// A hand-edited value may be any number; beyond this it cannot be a place on any screen, and
// converting it to pixels would overflow an int.
constexpr double FarthestTwips = 1e6;
// A column narrower than this is lost from sight (a negative width hides it); one wider than the
// screen pushes every other column out of it.
constexpr int NarrowestColumnTwips = 150;

int pixels(double twips)
{
    return qRound(qBound(-FarthestTwips, twips, FarthestTwips) / Twips::PerPixel);
}

const QScreen *screenOf(const QWidget *widget)
{
    return widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
}

} // namespace

void restore(QWidget *window, const QString &form, const QSize &designSize)
{
    const QScreen *screen = screenOf(window);
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect full = screen ? screen->geometry() : available;

    const int state = SettingsStore::readInt(SettingKeys::windowState(form), Normal);
    const int designWidth = Twips::fromPixels(designSize.width());
    const int designHeight = Twips::fromPixels(designSize.height());
    // Centred at the design size, in whole twips as the store keeps them.
    const int centredTop = Twips::fromPixels(full.height()) / 2 - designHeight / 2;
    const int centredLeft = Twips::fromPixels(full.width()) / 2 - designWidth / 2;
    const double top = SettingsStore::readDouble(SettingKeys::windowTop(form), centredTop);
    const double left = SettingsStore::readDouble(SettingKeys::windowLeft(form), centredLeft);
    // A size of nothing or less is no size the user gave the window: the design size instead.
    const double storedHeight = SettingsStore::readDouble(SettingKeys::windowHeight(form), designHeight);
    const double storedWidth = SettingsStore::readDouble(SettingKeys::windowWidth(form), designWidth);
    const double height = storedHeight > 0 ? storedHeight : designHeight;
    const double width = storedWidth > 0 ? storedWidth : designWidth;

    // Stored bounds may come from another screen or be edited by hand: keep them on this one.
    const QSize minimum = window->minimumSizeHint().expandedTo(QSize(120, 80));
    QRect bounds(0, 0, qBound(minimum.width(), pixels(width), available.width()),
                 qBound(minimum.height(), pixels(height), available.height()));
    bounds.moveTo(qBound(available.left(), pixels(left), available.right() + 1 - bounds.width()),
                  qBound(available.top(), pixels(top), available.bottom() + 1 - bounds.height()));
    window->setGeometry(bounds);
    window->setWindowState(state == Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

void save(const QWidget *window, const QString &form)
{
    const int state = window->isMaximized() ? Maximised : window->isMinimized() ? Minimised : Normal;
    const QRect bounds = window->geometry();
    SettingsStore::saveInt(SettingKeys::windowState(form), state);
    SettingsStore::saveInt(SettingKeys::windowTop(form), Twips::fromPixels(bounds.top()));
    SettingsStore::saveInt(SettingKeys::windowLeft(form), Twips::fromPixels(bounds.left()));
    SettingsStore::saveInt(SettingKeys::windowHeight(form), Twips::fromPixels(bounds.height()));
    SettingsStore::saveInt(SettingKeys::windowWidth(form), Twips::fromPixels(bounds.width()));
}

void restoreColumnWidth(GridView &grid, int column, const QString &key)
{
    const QScreen *screen = screenOf(&grid);
    const int widest =
        qMax(NarrowestColumnTwips, Twips::fromPixels(screen ? screen->availableGeometry().width() : 1024));
    const int width = SettingsStore::readInt(key, grid.columnTwips(column));
    grid.setColumnTwips(column, qBound(NarrowestColumnTwips, width, widest));
}

void restoreColumnWidths(GridView &grid, int count)
{
    for (int column = 0; column < count; ++column)
        restoreColumnWidth(grid, column, SettingKeys::gridColumnWidth(column));
}

void saveColumnWidths(const GridView &grid, int count)
{
    for (int column = 0; column < count; ++column)
        SettingsStore::saveInt(SettingKeys::gridColumnWidth(column), grid.columnTwips(column));
}

} // namespace WindowPlacement

GridWindowPlacement::GridWindowPlacement(QWidget *window, QString form)
    : m_window(window)
    , m_form(std::move(form))
{
}

void GridWindowPlacement::keepColumnWidth(int column, const QString &key)
{
    m_ownWidths.append({column, key});
}

void GridWindowPlacement::restore(GridView &grid, int columns, const QSize &designSize)
{
    const SettingsStore::Reading reading;
    m_grid = &grid;
    m_columns = columns;
    WindowPlacement::restore(m_window, m_form, designSize);
    WindowPlacement::restoreColumnWidths(grid, columns);
    for (const auto &[column, key] : m_ownWidths)
        WindowPlacement::restoreColumnWidth(grid, column, key);
}

void GridWindowPlacement::saveOnce()
{
    if (m_saved || !m_grid)
        return;
    m_saved = true;
    {
        const SettingsStore::Writing batch;
        WindowPlacement::save(m_window, m_form);
        WindowPlacement::saveColumnWidths(*m_grid, m_columns);
        for (const auto &[column, key] : m_ownWidths)
            SettingsStore::saveInt(key, m_grid->columnTwips(column));
    }
    if (!SettingsStore::lastSaveSucceeded())
        ReportSettingsNotSaved(m_window);
}
