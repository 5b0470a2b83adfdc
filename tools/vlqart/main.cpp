// vlqart: rasterises the program's SVG artwork at build time, so start-up
// loads ready pictures instead of laying out SVG text.
//   vlqart OUT_DIR SRC_ROOT FILE.svg...   writes OUT_DIR/<FILE relative to SRC_ROOT>.png
// Each picture is drawn at the SVG's own size with Qt's SVG renderer, the
// same one the program falls back to.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vlqart OUT_DIR SRC_ROOT FILE.svg...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir root(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const QString svgPath = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer svg(svgPath);
        if (!svg.isValid()) {
            std::fprintf(stderr, "vlqart: %s is not a valid SVG picture\n", argv[i]);
            return 1;
        }
        QImage image(svg.defaultSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p);
        p.end();
        const QString rel = root.relativeFilePath(QFileInfo(svgPath).absoluteFilePath());
        const QString target = out.filePath(rel.left(rel.size() - 4) + ".png");
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!image.save(target, "PNG")) {
            std::fprintf(stderr, "vlqart: cannot write %s\n", qPrintable(target));
            return 1;
        }
    }
    return 0;
}
