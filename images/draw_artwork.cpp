// Draws the program's pictures: the icon from 16 to 256 pixels and the name
// plate shown in the main window. velmora.svg, the scalable icon, is the same
// drawing on the same 48-unit grid, written by hand: keep the two together. Run once after a change and commit the PNG
// files it writes:  velmora-draw-artwork <folder>
// Drawing is deterministic, so the same fonts give the same files.

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// The icon is drawn on a 48-unit grid and scaled to each size.
void drawIcon(QPainter& p)
{
    // The workpiece: a steel plate seen from above.
    QLinearGradient steel(0, 14, 0, 46);
    steel.setColorAt(0, QColor(226, 230, 234));
    steel.setColorAt(1, QColor(150, 158, 166));
    p.setPen(QPen(QColor(70, 78, 86), 2));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(3, 15, 42, 30), 4, 4);

    // The letter V already cut: a dark groove with a bright lower edge.
    QPainterPath groove;
    groove.moveTo(9, 21);
    groove.lineTo(17.5, 39);
    groove.lineTo(26, 21);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 250, 250), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(groove.translated(0.8, 0.8));
    p.setPen(QPen(QColor(36, 42, 50), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(groove);

    // The V-bit: a shank and its conical point resting at the end of the cut.
    QLinearGradient shank(30, 0, 40, 0);
    shank.setColorAt(0, QColor(90, 110, 170));
    shank.setColorAt(0.45, QColor(190, 205, 245));
    shank.setColorAt(1, QColor(50, 62, 110));
    p.setPen(QPen(QColor(28, 34, 70), 1.5));
    p.setBrush(shank);
    p.drawRect(QRectF(29.5, 2, 11, 10));
    const QPointF cone[] = {{29.5, 12}, {40.5, 12}, {35, 22}, {35, 22}};
    p.drawPolygon(cone, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 40));
    p.drawEllipse(QPointF(35, 22), 2.2, 2.2);
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    drawIcon(p);
    return image;
}

// Brushed metal: a soft vertical shade crossed by fine horizontal strokes of
// slightly varying lightness (a fixed sequence, so the file never changes).
void drawBrushedMetal(QPainter& p, const QRect& area)
{
    QLinearGradient shade(0, area.top(), 0, area.bottom());
    shade.setColorAt(0, QColor(196, 200, 204));
    shade.setColorAt(0.5, QColor(160, 165, 170));
    shade.setColorAt(1, QColor(122, 128, 134));
    p.fillRect(area, shade);
    unsigned seed = 12345;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        seed = seed * 1103515245u + 12345u;
        const int light = static_cast<int>((seed >> 16) % 40);
        p.setPen(QColor(255, 255, 255, light));
        p.drawLine(area.left(), y, area.right(), y);
    }
}

QImage nameplate()
{
    QImage image(124, 69, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect all = image.rect();
    drawBrushedMetal(p, all);

    // A bevel: light above and left, dark below and right.
    p.setPen(QPen(QColor(235, 238, 240), 2));
    p.drawLine(1, 1, 122, 1);
    p.drawLine(1, 1, 1, 67);
    p.setPen(QPen(QColor(80, 86, 92), 2));
    p.drawLine(1, 67, 122, 67);
    p.drawLine(122, 1, 122, 67);

    QFont face(QStringLiteral("DejaVu Sans"));
    face.setBold(true);
    const QString name = QStringLiteral("VELMORA");
    // The largest size that leaves a margin on both sides of the plate.
    int pixels = 26;
    do {
        face.setPixelSize(--pixels);
    } while (QFontMetrics(face).horizontalAdvance(name) > 104 && pixels > 8);
    const QRect textArea(0, 8, 124, 36);

    QPainterPath letters;
    const QFontMetrics metrics(face);
    const int x = (124 - metrics.horizontalAdvance(name)) / 2;
    letters.addText(x, textArea.top() + metrics.ascent() + 4, face, name);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 50, 170));
    p.drawPath(letters.translated(1.5, 1.5));
    QLinearGradient gold(0, textArea.top(), 0, textArea.bottom());
    gold.setColorAt(0, QColor(255, 240, 120));
    gold.setColorAt(1, QColor(240, 190, 10));
    p.setBrush(gold);
    p.setPen(QPen(QColor(120, 90, 0), 0.8));
    p.drawPath(letters);

    // An engraved rule and a cut "V" beneath the name, the program's trade.
    p.setPen(QPen(QColor(60, 66, 72), 1.5));
    p.drawLine(QPointF(14, 50.5), QPointF(110, 50.5));
    p.setPen(QPen(QColor(230, 233, 236), 1));
    p.drawLine(QPointF(14, 52), QPointF(110, 52));
    p.setPen(QPen(QColor(255, 214, 40), 2));
    p.drawLine(QPointF(56, 56), QPointF(62, 63));
    p.drawLine(QPointF(62, 63), QPointF(68, 56));
    return image;
}

bool save(const QImage& image, const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-draw-artwork <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = save(nameplate(), folder, QStringLiteral("nameplate.png"));
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = save(icon(size), folder, QStringLiteral("velmora-%1.png").arg(size)) && ok;
    return ok ? 0 : 1;
}
