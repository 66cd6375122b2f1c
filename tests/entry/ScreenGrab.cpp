// Saves a picture of the whole X screen named by DISPLAY, for looking at the
// audit window while a test or a person drives it:
//   screen_grab FILE.png [X Y WIDTH HEIGHT]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: screen_grab FILE.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot;
    if (screen)
        shot = argc == 6 ? screen->grabWindow(0, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]))
                         : screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "screen_grab: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
