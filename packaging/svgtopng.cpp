// Draws an SVG file as a square PNG of a given size, for the icon theme's bitmap sizes:
//   svgtopng IN.svg SIZE OUT.png
// The program's own windows draw the same file through the same renderer, so the menu's icon
// and the window's icon look alike.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: svgtopng IN.svg SIZE OUT.png\n");
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "svgtopng: bad size %s\n", argv[2]);
        return 2;
    }
    // Text in an SVG needs the font database, which needs an application; no display is used.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);

    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgtopng: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "svgtopng: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
