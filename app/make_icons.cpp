// kamelune-icons SVG FOLDER: draws the icon at the hicolor theme's sizes into
// FOLDER/NxN/apps/kamelune.png, for the package and the install.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kamelune-icons SVG FOLDER\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "kamelune-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::string(argv[2]) + "/" + std::to_string(size) + "x" +
                                   std::to_string(size) + "/apps";
        std::filesystem::create_directories(folder);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        if (!image.save(QString::fromStdString(folder + "/kamelune.png"))) {
            std::fprintf(stderr, "kamelune-icons: cannot write %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
