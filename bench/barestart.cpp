// The floor of a start: a process that shows a bare window of the main menu's size with the
// menu's six captions painted in the menu's font, and nothing else. Any start that shows the
// menu does this much: the process is loaded with its libraries, the application made, the
// fonts found and loaded and the texts laid out for the first paint. It has no buttons, no
// translations, no settings, no lock and no database.
//
// Built twice: linking only Qt Widgets (what a bare window must load), and linking the same
// libraries as the program (every library the program's loader must map and relocate before
// main). The plugin that notices the first paint is loaded into it as into the program.
#include "platform/gui/widgets.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <utility>

namespace {

class BareMenu : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        static const std::pair<const char16_t *, QRect> captions[] = {
            {u"スコア", Twips::rect(120, 120, 1335, 615)},          {u"メンバー", Twips::rect(1560, 120, 1335, 615)},
            {u"設定", Twips::rect(3000, 120, 1335, 615)},           {u"ヘルプ", Twips::rect(120, 840, 1335, 615)},
            {u"バージョン情報", Twips::rect(1560, 840, 1335, 615)}, {u"終了", Twips::rect(3000, 840, 1335, 615)}};
        QPainter painter(this);
        painter.setFont(Ui::formFont());
        for (const auto &[caption, place] : captions)
            painter.drawText(place, Qt::AlignCenter, QString::fromUtf16(caption));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareMenu window;
    window.setWindowTitle(QStringLiteral("Parvela"));
    window.resize(Twips::toPixels(4455), Twips::toPixels(2550));
    window.show();
    return QApplication::exec();
}
