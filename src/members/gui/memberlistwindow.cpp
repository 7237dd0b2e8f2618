#include "members/gui/memberlistwindow.h"

#include "core/gui/errorreport.h"
#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/membertable.h"
#include "core/numbertext.h"
#include "core/settingsrecord.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberdialog.h"
#include "members/gui/memberimportdialog.h"
#include "members/latesthandicap.h"
#include "members/memberimport.h"
#include "members/print/memberlistprint.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/filedialogs.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>

const QString MemberListWindow::Caption = QStringLiteral("メンバー");
const QString MemberListWindow::PlacementName = QStringLiteral("Form7");

namespace {

constexpr int DesignWidth = 7095;
constexpr int DesignHeight = 6135;
constexpr int ColumnCount = 4;
constexpr int NameColumn = 0;
constexpr int HcColumn = 3;
constexpr int DefaultColumnWidths[ColumnCount] = {2000, 2000, 1500, 1000};

QString textOf(const MemberRecord &member, int, int column)
{
    switch (column) {
    case NameColumn:
        return member.name;
    case 1:
        return member.kana;
    case 2:
        return member.birthday;
    default:
        return NumberText::plain(member.hc);
    }
}

} // namespace

MemberListWindow::MemberListWindow(const SettingsRecord &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_members({QStringLiteral("氏名"), QStringLiteral("ふりがな"), QStringLiteral("誕生日"), QStringLiteral("HC")},
                false, textOf)
    , m_placement(this, PlacementName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    memberGrid = new GridView(this);
    memberGrid->setGeometry(Twips::rect(120, 120, 6855, 5415));
    memberGrid->setModel(&m_members);
    for (int column = 0; column < ColumnCount; ++column)
        memberGrid->setColumnTwips(column, DefaultColumnWidths[column]);

    auto place = [](QAbstractButton *button, int left, int width) {
        button->setGeometry(Twips::rect(left, 5640, width, 375));
        return button;
    };
    auto makeButton = [this, place](const QString &caption, int left, int width) {
        auto *button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        place(button, left, width);
        return button;
    };
    addButton = new SplitButton(QStringLiteral("追加"), this);
    place(addButton, 120, 855);
    addButton->addCommand(
        QStringLiteral("CSVから取込…"),
        QStringLiteral("表計算ソフトの CSV ファイル（氏名、ふりがな、誕生日、HC）からメンバーを追加します"),
        QKeySequence(Qt::CTRL | Qt::Key_I), [this] { importCsv(); });
    editButton = new SplitButton(QStringLiteral("編集"), this);
    place(editButton, 1080, 855);
    m_historyCommand = editButton->addCommand(
        QStringLiteral("HC履歴…"), QStringLiteral("選んだメンバーの全ての月例会の成績と HC の推移をグラフで表示します"),
        QKeySequence(Qt::CTRL | Qt::Key_H), [this] { showHistory(); });
    deleteButton = makeButton(QStringLiteral("削除"), 2040, 855);
    printButton = new SplitButton(QStringLiteral("印刷"), this);
    place(printButton, 3120, 855);
    latestHandicapButton = makeButton(QStringLiteral("最新HC取得"), 4200, 1335);
    closeButton = makeButton(QStringLiteral("終了"), 5880, 1095);
    updateEditButtons();
    m_readNotice = new FailedReadNotice(memberGrid, {printButton});

    setTabOrder(addButton, editButton);
    setTabOrder(editButton, deleteButton);
    setTabOrder(deleteButton, latestHandicapButton);
    setTabOrder(latestHandicapButton, closeButton);
    setTabOrder(closeButton, memberGrid);
    setTabOrder(memberGrid, printButton);

    connect(addButton, &QToolButton::clicked, this, &MemberListWindow::addMember);
    connect(editButton, &QToolButton::clicked, this, &MemberListWindow::editCurrentRow);
    connect(deleteButton, &QPushButton::clicked, this, &MemberListWindow::deleteSelectedRows);
    connect(printButton, &QToolButton::clicked, this, &MemberListWindow::print);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [] { return Caption; };
    PrintCommand::equipButton(
        *printButton, [this] { return printout(); }, documentName);
    CsvExport::addCommand(*printButton, documentName, [this] { return m_members.texts(); },
                          {Csv::Column::Text, Csv::Column::Text, Csv::Column::Text, Csv::Column::Number});
    connect(latestHandicapButton, &QPushButton::clicked, this, &MemberListWindow::takeLatestHandicaps);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(memberGrid, &GridView::highlightChanged, this, &MemberListWindow::updateEditButtons);
    connect(memberGrid, &GridView::rowDoubleClicked, this, &MemberListWindow::editCurrentRow);
    connect(memberGrid, &GridView::rightButtonPressed, this, &MemberListWindow::addMember);
    new EnterPressesButtons(this);

    m_placement.restore(*memberGrid, ColumnCount, QSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight)));
}

void MemberListWindow::reload()
{
    loadRows(MemberTable::allByKana);
}

void MemberListWindow::loadRows(const std::function<QVector<MemberRecord>()> &read)
{
    // A reload leaves no row selected, so edit and delete disarm: a row the user chose before
    // may now show another member.
    QVector<MemberRecord> members;
    m_readNotice->run(this, [&] { members = read(); });
    m_members.setRows(std::move(members));
}

void MemberListWindow::updateEditButtons()
{
    // Armed exactly while a member row is selected, however it was selected.
    const bool enabled = memberGrid->currentRowSelected();
    editButton->setEnabled(enabled);
    deleteButton->setEnabled(enabled);
    m_historyCommand->setEnabled(enabled);
}

void MemberListWindow::addMember()
{
    MemberDialog dialog(EntryMode::Add, MemberRecord(), m_settings.editYear, this);
    if (dialog.exec() == QDialog::Accepted)
        reload();
}

void MemberListWindow::editCurrentRow()
{
    if (!memberGrid->currentRowSelected())
        return;
    const qint16 id = members().at(memberGrid->currentRow()).id;
    std::optional<MemberRecord> member;
    if (!RunReportingErrors(this, [&] { member = MemberTable::byId(id); }))
        return;
    if (!member) {
        // Gone since the list was loaded: show what is there now.
        reload();
        return;
    }
    MemberDialog dialog(EntryMode::Edit, *member, m_settings.editYear, this);
    if (dialog.exec() == QDialog::Accepted)
        reload();
}

void MemberListWindow::deleteSelectedRows()
{
    const std::optional<GridView::Block> block = memberGrid->highlightedBlock();
    if (!block)
        return;
    QVector<qint16> ids;
    for (int row = block->first; row <= block->last; ++row)
        ids.append(members().at(row).id);
    // Either every selected member goes or, on an error, none does. Their Score rows stay.
    RunReportingErrors(this, [&] { MemberTable::removeAll(ids); });
    reload();
}

void MemberListWindow::takeLatestHandicaps()
{
    WaitCursor wait;
    QVector<MemberRecord> members;
    const bool applied = RunReportingErrors(this, [&] { members = LatestHandicap::applyForList(m_settings.editYear); });
    // The retrieval gives the list as it now reads, so it need not be read again; after a
    // failure the list shows what is stored.
    if (applied)
        loadRows([&members] { return members; });
    else
        reload();
}

void MemberListWindow::importCsv()
{
    const QString path = FileDialogs::openFileName(this, QStringLiteral("CSVから取込"), FileDialogs::CsvFilter);
    if (path.isEmpty())
        return;
    MemberImport::Preview preview;
    {
        WaitCursor wait;
        if (!RunReportingErrors(this, [&] { preview = MemberImport::readFile(path); }))
            return;
    }
    if (!preview.problem.isEmpty()) {
        MessageBox::warning(
            this, QStringLiteral("Parvela"),
            QStringLiteral("「%1」は取り込めません。\n%2").arg(QFileInfo(path).fileName(), preview.problem));
        return;
    }
    MemberImportDialog dialog(QFileInfo(path).fileName(), preview.rows, this);
    if (dialog.exec() == QDialog::Accepted)
        reload();
}

void MemberListWindow::showHistory()
{
    const int row = memberGrid->currentRow();
    if (row < 0)
        return;
    HandicapHistoryWindow history(m_settings.editYear, this);
    if (history.load(members().at(row).id))
        history.exec();
}

void MemberListWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut(width(), height());
}

void MemberListWindow::layOut(int innerWidth, int innerHeight)
{
    // A minimised or very small window gives the grid no room rather than a negative size.
    const int buttonTop = qMax(0, innerHeight - 32);
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{
             addButton, editButton, deleteButton, printButton, latestHandicapButton, closeButton})
        button->move(button->x(), buttonTop);
    closeButton->move(qMax(0, innerWidth - 80), buttonTop);
    memberGrid->resize(qMax(0, innerWidth - 16), qMax(0, innerHeight - 48));
}

void MemberListWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closeButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MemberListWindow::done(int result)
{
    m_placement.saveOnce();
    QDialog::done(result);
}

void MemberListWindow::print()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*memberGrid);
}

PrintCommand::Printout MemberListWindow::printout() const
{
    // Kana and birthday are not printed: name and handicap only.
    QVector<QStringList> rows;
    for (const MemberRecord &member : members())
        rows.append({textOf(member, 0, NameColumn), textOf(member, 0, HcColumn)});
    return [rows, printScale = m_settings.printScale](PrintCanvas &canvas) {
        MemberListPrint::drawCopy(canvas, Caption, rows, printScale);
    };
}
