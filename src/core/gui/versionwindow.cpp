#include "core/gui/versionwindow.h"

#include "core/database.h"
#include "core/datalocation.h"
#include "core/version.h"
#include "platform/gui/widgets.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

const int ValueLeft = 1440;
const int ValueWidth = 5400;
const int LineHeight = 240;

// A file's path, shortened in the middle when it is too long for the line, that opens the
// file's folder when clicked.
QLabel *folderLink(QWidget *parent, const QString &path)
{
    auto *label = new QLabel(parent);
    if (path.isEmpty()) {
        label->setText(QStringLiteral("見つかりません"));
        return label;
    }
    const QString shown = label->fontMetrics().elidedText(path, Qt::ElideMiddle, Twips::toPixels(ValueWidth) - 4);
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
    label->setText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(folder.toString(QUrl::FullyEncoded), shown.toHtmlEscaped()));
    label->setToolTip(path);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}

// A frame of caption and value lines, one under the other.
QGroupBox *frameOfLines(QWidget *parent, int top, const QStringList &captions, const QList<QLabel *> &values)
{
    auto *frame = new QGroupBox(parent);
    frame->setGeometry(Twips::rect(120, top, 6960, 180 + captions.size() * LineHeight));
    for (int line = 0; line < captions.size(); ++line) {
        auto *caption = new QLabel(captions[line], frame);
        caption->setGeometry(Twips::rect(120, 120 + line * LineHeight, 1300, LineHeight));
        values[line]->setParent(frame);
        values[line]->setGeometry(Twips::rect(ValueLeft, 120 + line * LineHeight, ValueWidth, LineHeight));
    }
    return frame;
}

} // namespace

VersionWindow::VersionWindow(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(Ui::formFont());
    // Wider and taller than the three contact lines needed: the paths of the files in use
    // and the versions of the libraries follow them.
    setFixedSize(Twips::toPixels(7200), Twips::toPixels(3705));

    auto *product = new QLabel(QStringLiteral("Parvela"), this);
    QFont large = Ui::formFont();
    large.setPointSize(18);
    product->setFont(large);
    product->setGeometry(Twips::rect(120, 60, 2400, 480));

    versionLabel = new QLabel(QStringLiteral("Ver.") + programVersion(), this);
    versionLabel->setGeometry(Twips::rect(2640, 240, 1500, 270));

    // The project has no web page or support board of its own: the help file answers questions.
    makerValue = new QLabel(QStringLiteral("Parvela プロジェクト"));
    homeValue = new QLabel(QStringLiteral("なし"));
    supportValue = new QLabel(QStringLiteral("なし（使い方はヘルプをご覧ください）"));
    frameOfLines(this, 600, {QStringLiteral("作った人："), QStringLiteral("HP："), QStringLiteral("サポートBBS：")},
                 {makerValue, homeValue, supportValue});

    licenceValue = new QLabel(programLicence());
    copyrightValue = new QLabel(programCopyright());
    helpFileValue = folderLink(this, DataLocation::helpFilePath());
    databaseValue = folderLink(this, Database::path());
    qtValue = new QLabel(QString::fromLatin1(qVersion()));
    sqliteValue = new QLabel(Database::engineVersion());
    frameOfLines(this, 1560,
                 {QStringLiteral("ライセンス："), QStringLiteral("著作権："), QStringLiteral("ヘルプ："),
                  QStringLiteral("データ："), QStringLiteral("Qt："), QStringLiteral("SQLite：")},
                 {licenceValue, copyrightValue, helpFileValue, databaseValue, qtValue, sqliteValue});

    closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setGeometry(Twips::rect(6000, 3240, 1095, 375));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    new EnterPressesButtons(this);
}
