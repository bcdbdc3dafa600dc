// quirlon95-icons SVG OUTDIR NAME SIZE...: renders the game's SVG icon to OUTDIR/NxN/apps/NAME.png
// for each size N, in the folder layout of the hicolor icon theme. Desktops that cannot draw SVG
// icons, and those that prefer a picture drawn for the size, look for these.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

constexpr int FixedArguments = 4;
// The hicolor theme has folders up to 512 pixels; larger sizes are surely a typing error.
constexpr int LargestSize = 512;

int fail(const QString& message) {
    std::fprintf(stderr, "quirlon95-icons: %s\n", qPrintable(message));
    return 1;
}

QString pngPath(const QString& outDir, const QString& name, int size) {
    return QStringLiteral("%1/%2x%2/apps/%3.png").arg(outDir).arg(size).arg(name);
}

QImage render(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

bool writePng(const QImage& image, const QString& path) {
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() <= FixedArguments) {
        return fail(QStringLiteral("usage: quirlon95-icons SVG OUTDIR NAME SIZE..."));
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        return fail(QStringLiteral("cannot read the SVG file %1").arg(args.at(1)));
    }
    for (const QString& sizeArgument : args.mid(FixedArguments)) {
        bool isNumber = false;
        const int size = sizeArgument.toInt(&isNumber);
        if (!isNumber || size <= 0 || size > LargestSize) {
            return fail(QStringLiteral("not an icon size: %1").arg(sizeArgument));
        }
        const QString path = pngPath(args.at(2), args.at(3), size);
        if (!writePng(render(renderer, size), path)) {
            return fail(QStringLiteral("cannot write %1").arg(path));
        }
    }
    return 0;
}
