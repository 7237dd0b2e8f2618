#include "core/gui/form11.h"

#include "core/module1.h"
#include "core/version.h"
#include "platform/gui/widgets.h"

#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

// A value label that opens a file shipped beside the program.
QLabel *linkLabel(QWidget *parent, const QString &text, const QString &fileName)
{
    auto *label = new QLabel(parent);
    const QString path = QDir(Module1::ProgramFolder()).filePath(fileName);
    label->setText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(QUrl::fromLocalFile(path).toString(), text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}

} // namespace

Form11::Form11(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(4455), Twips::toPixels(2070));

    auto *product = new QLabel(QStringLiteral("Parvela"), this);
    QFont large = Ui::formFont();
    large.setPointSize(18);
    product->setFont(large);
    product->setGeometry(Twips::rect(120, 60, 2400, 480));

    Label10 = new QLabel(QStringLiteral("Ver.") + programVersion(), this);
    Label10->setGeometry(Twips::rect(2640, 240, 1500, 270));

    auto *Frame1 = new QGroupBox(this);
    Frame1->setGeometry(Twips::rect(120, 600, 4215, 900));
    const QStringList captions = {QStringLiteral("作った人："), QStringLiteral("HP："),
                                  QStringLiteral("サポートBBS：")};
    MakerValue = linkLabel(Frame1, QStringLiteral("Parvela プロジェクト"), QStringLiteral("README.md"));
    HomeValue = linkLabel(Frame1, QStringLiteral("ヘルプ (parvela.hlp)"), QStringLiteral("parvela.hlp"));
    SupportValue = linkLabel(Frame1, QStringLiteral("README.md"), QStringLiteral("README.md"));
    const QList<QLabel *> values = {MakerValue, HomeValue, SupportValue};
    for (int line = 0; line < values.size(); ++line) {
        auto *caption = new QLabel(captions[line], Frame1);
        caption->setGeometry(Twips::rect(120, 120 + line * 240, 1300, 240));
        values[line]->setGeometry(Twips::rect(1440, 120 + line * 240, 2700, 240));
    }

    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    Command2->setGeometry(Twips::rect(3240, 1590, 1095, 375));
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);
    new EnterPressesButtons(this);
}
