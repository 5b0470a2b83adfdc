// vlqart: rasterises the program's SVG artwork at build time, so start-up
// loads ready pictures instead of laying out SVG text.
//   vlqart OUT_DIR SRC_ROOT FILE.svg...   writes OUT_DIR/<FILE relative to SRC_ROOT>.png
//   vlqart --size N OUT.png FILE.svg      one picture scaled to N x N (the icons)
// Each picture is drawn at the SVG's own size with Qt's SVG renderer, the
// same one the program falls back to.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool renderTo(QSvgRenderer& svg, QSize size, const QString& target) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (image.save(target, "PNG")) return true;
    std::fprintf(stderr, "vlqart: cannot write %s\n", qPrintable(target));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--size") == 0) {
        const int side = QByteArray(argv[2]).toInt();
        QSvgRenderer svg(QString::fromLocal8Bit(argv[4]));
        if (side < 1 || side > 4096 || !svg.isValid()) {
            std::fprintf(stderr, "vlqart: bad size or SVG picture\n");
            return 1;
        }
        return renderTo(svg, QSize(side, side), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: vlqart OUT_DIR SRC_ROOT FILE.svg... | vlqart --size N OUT.png FILE.svg\n");
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
        const QString rel = root.relativeFilePath(QFileInfo(svgPath).absoluteFilePath());
        if (!renderTo(svg, svg.defaultSize(), out.filePath(rel.left(rel.size() - 4) + ".png"))) return 1;
    }
    return 0;
}
