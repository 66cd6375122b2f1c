// Saves a picture of the whole X screen named by DISPLAY, for looking at the
// audit window while a test or a person drives it:  screen_grab FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screen_grab FILE.png\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "screen_grab: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
