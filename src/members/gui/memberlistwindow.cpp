#include "members/gui/memberlistwindow.h"

#include "core/gui/errorreport.h"
#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/numbertext.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberdialog.h"
#include "members/gui/memberimportdialog.h"
#include "members/latesthandicap.h"
#include "members/memberimport.h"
#include "members/print/memberlistprint.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/filedialogs.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

const QString MemberListWindow::Caption = QStringLiteral("メンバー");
const QString MemberListWindow::PlacementName = QStringLiteral("Form7");

namespace {

constexpr int DesignWidth = 7095;
constexpr int DesignHeight = 6135;
constexpr int ColumnCount = 4;
constexpr int DefaultColumnWidths[ColumnCount] = {2000, 2000, 1500, 1000};

} // namespace

MemberListWindow::MemberListWindow(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, PlacementName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    memberGrid = new Grid(this);
    memberGrid->setGeometry(Twips::rect(120, 120, 6855, 5415));

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
    setEditButtonsEnabled(false);
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
    CsvExport::addCommand(*printButton, documentName, [this] { return CsvExport::gridTexts(*memberGrid); });
    connect(latestHandicapButton, &QPushButton::clicked, this, &MemberListWindow::takeLatestHandicaps);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(memberGrid, &Grid::SelChange, this, &MemberListWindow::updateEditButtons);
    connect(memberGrid, &Grid::DblClick, this, &MemberListWindow::editDoubleClickedRow);
    connect(memberGrid, &Grid::MouseDown, this, &MemberListWindow::addOnRightButton);
    new EnterPressesButtons(this);

    setUpGrid();
}

void MemberListWindow::setUpGrid()
{
    memberGrid->setFixedCols(0);
    memberGrid->setCols(ColumnCount);
    memberGrid->setRows(1);
    const QString headers[ColumnCount] = {QStringLiteral("氏名"), QStringLiteral("ふりがな"), QStringLiteral("誕生日"),
                                          QStringLiteral("HC")};
    for (int column = 0; column < ColumnCount; ++column) {
        memberGrid->setTextAt(0, column, headers[column]);
        memberGrid->setColWidth(column, DefaultColumnWidths[column]);
    }
    memberGrid->setRow(0);
    memberGrid->setCol(0);

    m_placement.restore(*memberGrid, ColumnCount, QSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight)));
}

void MemberListWindow::reload()
{
    loadRows(MemberTable::allByKana);
}

void MemberListWindow::loadRows(const std::function<QVector<MemberRecord>()> &read)
{
    // Emptying the grid leaves no row selected, so edit and delete disarm: a row the user
    // chose before the reload may now show another member.
    memberGrid->setRows(1);
    m_rowIds.clear();
    QVector<MemberRecord> members;
    m_readNotice->run(this, [&] { members = read(); });
    {
        const Grid::Loading loading(*memberGrid, static_cast<int>(members.size()));
        for (int row = 1; row <= members.size(); ++row)
            addRow(row, members.at(row - 1));
    }
}

void MemberListWindow::addRow(int row, const MemberRecord &member)
{
    memberGrid->setRowTexts(row, {member.name, member.kana, member.birthday, NumberText::plain(member.hc)});
    m_rowIds.append(member.id);
}

qint16 MemberListWindow::memberIdOfRow(int row) const
{
    if (row < 1 || row > m_rowIds.size())
        return 0;
    return m_rowIds.at(row - 1);
}

void MemberListWindow::setEditButtonsEnabled(bool enabled)
{
    editButton->setEnabled(enabled);
    deleteButton->setEnabled(enabled);
    m_historyCommand->setEnabled(enabled);
}

void MemberListWindow::addMember()
{
    MemberDialog &dialog = WindowRegistry::instance().form<MemberDialog>(this);
    dialog.setWindowTitle(MemberDialog::AddCaption);
    dialog.exec();
}

void MemberListWindow::editCurrentRow()
{
    if (!memberGrid->hasSelectedRow())
        return;
    const qint16 id = memberIdOfRow(memberGrid->row());
    if (id == 0)
        return;
    std::optional<MemberRecord> member;
    if (!RunReportingErrors(this, [&] { member = MemberTable::byId(id); }))
        return;
    if (!member) {
        // Gone since the list was loaded: show what is there now.
        reload();
        return;
    }
    Module1::EditMemberId = member->id;
    MemberDialog &dialog = WindowRegistry::instance().form<MemberDialog>(this);
    dialog.nameEdit->setText(member->name);
    dialog.kanaEdit->setText(member->kana);
    dialog.birthdayEdit->setText(member->birthday);
    dialog.hcEdit->setText(NumberText::plain(member->hc));
    dialog.setWindowTitle(MemberDialog::EditCaption);
    dialog.exec();
}

void MemberListWindow::deleteSelectedRows()
{
    if (!memberGrid->hasSelectedRow())
        return;
    // Exactly the block the user sees selected.
    const int first = memberGrid->firstSelectedRow();
    const int last = memberGrid->lastSelectedRow();
    QVector<qint16> ids;
    for (int row = first; row <= last; ++row) {
        if (const qint16 id = memberIdOfRow(row))
            ids.append(id);
    }
    if (ids.isEmpty())
        return;
    // Either every selected member goes or, on an error, none does. Their Score rows stay.
    Module1::EditMemberId = ids.last();
    RunReportingErrors(this, [&] { MemberTable::removeAll(ids); });
    reload();
}

void MemberListWindow::takeLatestHandicaps()
{
    WaitCursor wait;
    QVector<MemberRecord> members;
    const bool applied =
        RunReportingErrors(this, [&] { members = LatestHandicap::applyForList(Module1::Settings.EditYear); });
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
    MemberImportDialog &dialog = WindowRegistry::instance().form<MemberImportDialog>(this);
    dialog.showPreview(QFileInfo(path).fileName(), preview.rows);
    if (dialog.exec() == QDialog::Accepted)
        reload();
}

void MemberListWindow::showHistory()
{
    const qint16 id = memberIdOfRow(memberGrid->row());
    if (id == 0)
        return;
    HandicapHistoryWindow &window = WindowRegistry::instance().form<HandicapHistoryWindow>(this);
    if (window.load(id))
        window.exec();
    else
        window.close();
}

void MemberListWindow::updateEditButtons()
{
    // Armed exactly while a member row is selected, however it was selected.
    setEditButtonsEnabled(memberGrid->hasSelectedRow());
}

void MemberListWindow::editDoubleClickedRow()
{
    if (memberIdOfRow(memberGrid->row()) != 0)
        editCurrentRow();
}

void MemberListWindow::addOnRightButton(int button)
{
    if (button == 2)
        addMember();
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
    storePlacement();
    QDialog::done(result);
}

void MemberListWindow::storePlacement()
{
    m_placement.saveOnce();
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
    for (const QStringList &texts : PrintCommand::rowsOf(*memberGrid))
        rows.append({texts.at(0), texts.at(3)});
    return [rows, printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        MemberListPrint::printpage(canvas, Caption, rows, printSize);
    };
}
