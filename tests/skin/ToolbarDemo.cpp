// Shows the toolbar window on the screen and saves a picture of the screen
// area it covers, for looking at the skin by eye:
//   skin_toolbar_demo [--skin] [--flat] [--hot NAME] [--disable NAME] [--zoom N] FILE.png
#include "ToolbarWindow.h"

#include "runtime/Application.h"

#include <QCommandLineParser>
#include <QEnterEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    InitRuntimeEnvironment();
    TQtApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"skin", "Switch the flat skin on."});
    parser.addOption({"flat", "Make the buttons flat."});
    parser.addOption({"hot", "Put the mouse over this button.", "NAME"});
    parser.addOption({"disable", "Disable this button as well.", "NAME"});
    parser.addOption({"zoom", "Enlarge the picture N times (pixels stay sharp).", "N", "1"});
    parser.addPositionalArgument("FILE", "The PNG file to write.");
    parser.process(app);
    if (parser.positionalArguments().size() != 1) parser.showHelp(2);

    TToolbarWindow window(false);
    for (TSpeedButton* b : window.Buttons()) b->SetFlat(parser.isSet("flat"));
    if (parser.isSet("disable"))
        if (auto* b = window.findChild<TSpeedButton*>(parser.value("disable"))) b->SetEnabled(false);
    window.FlatSkin1->SetActive(parser.isSet("skin"));
    window.resize(480, 120);
    window.move(0, 0);
    window.show();

    const QString file = parser.positionalArguments().front();
    int status = 1;
    QTimer::singleShot(300, [&] {
        if (parser.isSet("hot")) {
            if (auto* b = window.findChild<TSpeedButton*>(parser.value("hot"))) {
                QCursor::setPos(b->mapToGlobal(b->rect().center()));
                QPointF at = b->rect().center();
                QEnterEvent enter(at, at, b->mapToGlobal(at));
                QApplication::sendEvent(b, &enter);
            }
        }
        QTimer::singleShot(300, [&] {
            QPixmap shot = window.screen()->grabWindow(0, window.x(), window.y(), window.width(), window.height());
            const int zoom = std::max(1, parser.value("zoom").toInt());
            if (zoom > 1) shot = shot.scaled(shot.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            status = shot.save(file) ? 0 : 1;
            if (status) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            app.quit();
        });
    });
    app.exec();
    return status;
}
