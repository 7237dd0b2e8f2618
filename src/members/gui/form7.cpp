#include "members/gui/form7.h"

#include "core/gui/errorreport.h"
#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/numbertext.h"
#include "members/gui/form8.h"
#include "members/gui/handicaphistorywindow.h"
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

const QString Form7::Caption = QStringLiteral("メンバー");
const QString Form7::FormName = QStringLiteral("Form7");

namespace {

constexpr int DesignWidth = 7095;
constexpr int DesignHeight = 6135;
constexpr int ColumnCount = 4;
constexpr int DefaultColumnWidths[ColumnCount] = {2000, 2000, 1500, 1000};

} // namespace

Form7::Form7(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, FormName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));

    MemberGrid = new Grid(this);
    MemberGrid->setGeometry(Twips::rect(120, 120, 6855, 5415));

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
    Command1 = new SplitButton(QStringLiteral("追加"), this);
    place(Command1, 120, 855);
    Command1->addCommand(
        QStringLiteral("CSVから取込…"),
        QStringLiteral("表計算ソフトの CSV ファイル（氏名、ふりがな、誕生日、HC）からメンバーを追加します"),
        QKeySequence(Qt::CTRL | Qt::Key_I), [this] { ImportCsv_Click(); });
    Command2 = new SplitButton(QStringLiteral("編集"), this);
    place(Command2, 1080, 855);
    m_historyCommand = Command2->addCommand(
        QStringLiteral("HC履歴…"), QStringLiteral("選んだメンバーの全ての月例会の成績と HC の推移をグラフで表示します"),
        QKeySequence(Qt::CTRL | Qt::Key_H), [this] { History_Click(); });
    Command3 = makeButton(QStringLiteral("削除"), 2040, 855);
    Command5 = new SplitButton(QStringLiteral("印刷"), this);
    place(Command5, 3120, 855);
    Command6 = makeButton(QStringLiteral("最新HC取得"), 4200, 1335);
    Command7 = makeButton(QStringLiteral("終了"), 5880, 1095);
    setEditButtonsEnabled(false);
    m_readNotice = new FailedReadNotice(MemberGrid, {Command5});

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command6);
    setTabOrder(Command6, Command7);
    setTabOrder(Command7, MemberGrid);
    setTabOrder(MemberGrid, Command5);

    connect(Command1, &QToolButton::clicked, this, &Form7::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &Form7::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form7::Command3_Click);
    connect(Command5, &QToolButton::clicked, this, &Form7::Command5_Click);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [] { return Caption; };
    PrintCommand::equipButton(
        *Command5, [this] { return printout(); }, documentName);
    CsvExport::addCommand(*Command5, documentName, [this] { return CsvExport::gridTexts(*MemberGrid); },
                          {Csv::Column::Text, Csv::Column::Text, Csv::Column::Text, Csv::Column::Number});
    connect(Command6, &QPushButton::clicked, this, &Form7::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form7::Command7_Click);
    connect(MemberGrid, &Grid::SelChange, this, &Form7::MemberGrid_SelChange);
    connect(MemberGrid, &Grid::DblClick, this, &Form7::MemberGrid_DblClick);
    connect(MemberGrid, &Grid::MouseDown, this, &Form7::MemberGrid_MouseDown);
    new EnterPressesButtons(this);

    Form_Load();
}

void Form7::Form_Load()
{
    MemberGrid->setFixedCols(0);
    MemberGrid->setCols(ColumnCount);
    MemberGrid->setRows(1);
    const QString headers[ColumnCount] = {QStringLiteral("氏名"), QStringLiteral("ふりがな"), QStringLiteral("誕生日"),
                                          QStringLiteral("HC")};
    for (int column = 0; column < ColumnCount; ++column) {
        MemberGrid->setTextAt(0, column, headers[column]);
        MemberGrid->setColWidth(column, DefaultColumnWidths[column]);
    }
    MemberGrid->setRow(0);
    MemberGrid->setCol(0);

    m_placement.restore(*MemberGrid, ColumnCount, QSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight)));
}

void Form7::Showtable()
{
    loadRows(MemberTable::allByKana);
}

void Form7::loadRows(const std::function<QVector<MemberRecord>()> &read)
{
    // Emptying the grid leaves no row selected, so edit and delete disarm: a row the user
    // chose before the reload may now show another member.
    MemberGrid->setRows(1);
    m_rowIds.clear();
    QVector<MemberRecord> members;
    m_readNotice->run(this, [&] { members = read(); });
    {
        const Grid::Loading loading(*MemberGrid, static_cast<int>(members.size()));
        for (int row = 1; row <= members.size(); ++row)
            Addrow(row, members.at(row - 1));
    }
}

void Form7::Addrow(int row, const MemberRecord &member)
{
    MemberGrid->setRowTexts(row, {member.name, member.kana, member.birthday, NumberText::plain(member.hc)});
    m_rowIds.append(member.id);
}

qint16 Form7::memberIdOfRow(int row) const
{
    if (row < 1 || row > m_rowIds.size())
        return 0;
    return m_rowIds.at(row - 1);
}

void Form7::setEditButtonsEnabled(bool enabled)
{
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
    m_historyCommand->setEnabled(enabled);
}

void Form7::Command1_Click()
{
    Form8 &dialog = WindowRegistry::instance().form<Form8>(this);
    dialog.setWindowTitle(Form8::AddCaption);
    dialog.exec();
}

void Form7::Command2_Click()
{
    if (!MemberGrid->hasSelectedRow())
        return;
    const qint16 id = memberIdOfRow(MemberGrid->row());
    if (id == 0)
        return;
    std::optional<MemberRecord> member;
    if (!RunReportingErrors(this, [&] { member = MemberTable::byId(id); }))
        return;
    if (!member) {
        // Gone since the list was loaded: show what is there now.
        Showtable();
        return;
    }
    Module1::EditMemberId = member->id;
    Form8 &dialog = WindowRegistry::instance().form<Form8>(this);
    dialog.Text1->setText(member->name);
    dialog.Text2->setText(member->kana);
    dialog.Text3->setText(member->birthday);
    dialog.Text4->setText(NumberText::plain(member->hc));
    dialog.setWindowTitle(Form8::EditCaption);
    dialog.exec();
}

void Form7::Command3_Click()
{
    if (!MemberGrid->hasSelectedRow())
        return;
    // Exactly the block the user sees selected.
    const int first = MemberGrid->firstSelectedRow();
    const int last = MemberGrid->lastSelectedRow();
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
    Showtable();
}

void Form7::Command6_Click()
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
        Showtable();
}

void Form7::ImportCsv_Click()
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
    dialog.Showpreview(QFileInfo(path).fileName(), preview.rows);
    if (dialog.exec() == QDialog::Accepted)
        Showtable();
}

void Form7::History_Click()
{
    const qint16 id = memberIdOfRow(MemberGrid->row());
    if (id == 0)
        return;
    HandicapHistoryWindow &window = WindowRegistry::instance().form<HandicapHistoryWindow>(this);
    if (window.Showtable(id))
        window.exec();
    else
        window.close();
}

void Form7::Command7_Click()
{
    close();
}

void Form7::MemberGrid_SelChange()
{
    // Armed exactly while a member row is selected, however it was selected.
    setEditButtonsEnabled(MemberGrid->hasSelectedRow());
}

void Form7::MemberGrid_DblClick()
{
    if (memberIdOfRow(MemberGrid->row()) != 0)
        Command2_Click();
}

void Form7::MemberGrid_MouseDown(int button)
{
    if (button == 2)
        Command1_Click();
}

void Form7::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize(width(), height());
}

void Form7::Form_Resize(int innerWidth, int innerHeight)
{
    // A minimised or very small window gives the grid no room rather than a negative size.
    const int buttonTop = qMax(0, innerHeight - 32);
    for (QAbstractButton *button :
         std::initializer_list<QAbstractButton *>{Command1, Command2, Command3, Command5, Command6, Command7})
        button->move(button->x(), buttonTop);
    Command7->move(qMax(0, innerWidth - 80), buttonTop);
    MemberGrid->resize(qMax(0, innerWidth - 16), qMax(0, innerHeight - 48));
}

void Form7::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Command7->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form7::done(int result)
{
    Form_QueryUnload();
    QDialog::done(result);
}

void Form7::Form_QueryUnload()
{
    m_placement.saveOnce();
}

void Form7::Command5_Click()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*MemberGrid);
}

PrintCommand::Printout Form7::printout() const
{
    // Kana and birthday are not printed: name and handicap only.
    QVector<QStringList> rows;
    for (const QStringList &texts : PrintCommand::rowsOf(*MemberGrid))
        rows.append({texts.at(0), texts.at(3)});
    return [rows, printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        MemberListPrint::printpage(canvas, Caption, rows, printSize);
    };
}
