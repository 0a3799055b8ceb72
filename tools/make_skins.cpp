// Paints the skins' pictures: every image the interface names, the key caps of every key type
// and a picture of the keyboard, from the layout that tools/make_skins.py hands over.
//
//   R7MakeSkins layout.json modules/img
//
// Both skins share the shapes; each has its own accent colour. The sizes are the ones the
// interface's positions assume (a 1000 x 600 window, 151 x 23 slider base with seven 21 px
// cells, 49 x 26 profile rows, 150 x 37 function rows, ...).

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace
{
struct Theme {
    QString folder;
    QColor accent;     // highlights, hovered and selected states
    QColor accentDeep; // the accent's shadow side
    QColor tint;       // the faint colour cast of the dark surfaces
};

struct Key {
    int x;
    int y;
    int type;
    QString name;
};

struct Layout {
    QMap<int, QSize> capSizes;
    QList<Key> keys;
};

const QColor ink(0xd6, 0xdc, 0xe4);    // icons at rest
const QColor inkDim(0x7d, 0x86, 0x92); // secondary lines
const QColor deep(0x0a, 0x0c, 0x0f);   // wells and fields

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The same pixels as a palette picture, when they have few enough colours: a full-window
// picture of mostly flat colour then decodes in a third of the time, and the window reads its
// frame before it first shows.
QImage withExactPalette(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    QHash<QRgb, uchar> indices;
    QList<QRgb> colours;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            auto found = indices.constFind(in[x]);
            if (found == indices.constEnd()) {
                if (colours.size() == 256)
                    return image;
                found = indices.insert(in[x], uchar(colours.size()));
                colours.append(in[x]);
            }
            out[x] = *found;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

QFont font(int pixelSize, bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A soft glow: the same path stroked wide and faint, then narrower and stronger.
void glow(QPainter &p, const QPainterPath &path, const QColor &colour, double width)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(withAlpha(colour, 22 + (4 - i) * 10), width * i, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(path);
    }
    p.restore();
}

// A rounded panel with a top-lit gradient and a one-pixel rim.
void panel(QPainter &p, const QRectF &r, double radius, const QColor &top, const QColor &bottom,
           const QColor &rim)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(rim, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

class SkinPainter
{
public:
    SkinPainter(const Theme &theme, const Layout &layout, const QDir &root)
        : t(theme), keys(layout), dir(root.filePath(theme.folder))
    {
    }

    bool paintAll()
    {
        background();
        frame();
        logo();
        topBar();
        topBarButtons();
        bottomBar();
        profileColumn();
        profileRows();
        functionRows();
        centrePanels();
        fields();
        buttons();
        keyCaps();
        keyboardPicture();
        return ok;
    }

private:
    void save(const QImage &image, const QString &relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        if (!image.save(path)) {
            QTextStream(stderr) << "cannot write " << path << "\n";
            ok = false;
        }
    }

    // Draws the same picture twice, at rest (_0) and hovered or chosen (_1).
    void pair(const QString &stem, QSize size, const std::function<void(QPainter &, bool)> &draw)
    {
        for (int lit = 0; lit < 2; ++lit) {
            QImage image = canvas(size.width(), size.height());
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            draw(p, lit == 1);
            p.end();
            save(image, stem + (lit ? "_1.png" : "_0.png"));
        }
    }

    QColor iconColour(bool lit) const { return lit ? t.accent : ink; }

    void background()
    {
        QImage image = canvas(1000, 600);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath window;
        window.addRoundedRect(QRectF(0, 0, 1000, 600), 14, 14);
        p.setClipPath(window);

        QLinearGradient base(0, 0, 0, 600);
        base.setColorAt(0, mix(QColor(0x14, 0x17, 0x1c), t.tint, 0.06));
        base.setColorAt(0.55, QColor(0x0c, 0x0e, 0x11));
        base.setColorAt(1, QColor(0x07, 0x08, 0x0a));
        p.fillRect(image.rect(), base);

        // A wide accent haze behind the page area.
        QRadialGradient haze(QPointF(550, 330), 520);
        haze.setColorAt(0, withAlpha(t.accent, 26));
        haze.setColorAt(0.6, withAlpha(t.accent, 6));
        haze.setColorAt(1, Qt::transparent);
        p.fillRect(image.rect(), haze);

        // Fine diagonal hatching, strongest in the corners.
        p.setPen(QPen(QColor(255, 255, 255, 7), 1));
        for (int x = -600; x < 1000; x += 14)
            p.drawLine(QPointF(x, 600), QPointF(x + 600, 0));
        QRadialGradient centreShade(QPointF(500, 300), 560);
        centreShade.setColorAt(0, QColor(0x0c, 0x0e, 0x11, 235));
        centreShade.setColorAt(1, QColor(0x0c, 0x0e, 0x11, 0));
        p.fillRect(image.rect(), centreShade);
        p.end();
        save(image, "background.png");
    }

    void frame()
    {
        QImage image = canvas(1000, 600);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);

        // The window's rim: light on top, accent in the upper corners.
        p.setBrush(Qt::NoBrush);
        QLinearGradient rim(0, 0, 0, 600);
        rim.setColorAt(0, QColor(255, 255, 255, 60));
        rim.setColorAt(1, QColor(255, 255, 255, 18));
        p.setPen(QPen(QBrush(rim), 1));
        p.drawRoundedRect(QRectF(0.5, 0.5, 999, 599), 14, 14);

        // The page area's well, with corner brackets in the accent.
        const QRectF page(168, 93, 743, 448);
        p.setPen(QPen(QColor(255, 255, 255, 16), 1));
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(page, 8, 8);
        p.setPen(QPen(withAlpha(t.accent, 170), 2, Qt::SolidLine, Qt::FlatCap));
        const double arm = 18;
        const QPointF corners[4] = {page.topLeft(), page.topRight(), page.bottomLeft(),
                                    page.bottomRight()};
        for (const QPointF &c : corners) {
            const double dx = c.x() < 500 ? arm : -arm;
            const double dy = c.y() < 300 ? arm : -arm;
            p.drawLine(c, c + QPointF(dx, 0));
            p.drawLine(c, c + QPointF(0, dy));
        }

        // The two side columns.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 6));
        p.drawRoundedRect(QRectF(6, 106, 154, 420), 8, 8);
        p.drawRoundedRect(QRectF(910, 106, 84, 420), 8, 8);
        p.end();
        save(withExactPalette(image), "frame/frameBackground.png");

        for (int side = 0; side < 2; ++side) {
            QImage deco = canvas(144, 14);
            QPainter d(&deco);
            d.setRenderHint(QPainter::Antialiasing);
            QLinearGradient line(0, 0, 144, 0);
            line.setColorAt(side == 0 ? 0 : 1, withAlpha(t.accent, 0));
            line.setColorAt(0.5, withAlpha(t.accent, 230));
            line.setColorAt(side == 0 ? 1 : 0, withAlpha(t.accent, 40));
            d.setPen(QPen(QBrush(line), 1.5));
            d.drawLine(QPointF(0, 7), QPointF(144, 7));
            QPainterPath diamond;
            diamond.moveTo(72, 2);
            diamond.lineTo(77, 7);
            diamond.lineTo(72, 12);
            diamond.lineTo(67, 7);
            diamond.closeSubpath();
            glow(d, diamond, t.accent, 1.5);
            d.setPen(Qt::NoPen);
            d.setBrush(t.accent);
            d.drawPath(diamond);
            // Three ticks pointing towards the window's edge.
            d.setBrush(withAlpha(t.accent, 150));
            for (int i = 0; i < 3; ++i) {
                const double x = side == 0 ? 20 + i * 7 : 124 - i * 7;
                d.drawRect(QRectF(x - 1.5, 4, 3, 6));
            }
            d.end();
            save(deco, side == 0 ? "frame/decoration1.png" : "frame/decoration2.png");
        }
    }

    void logo()
    {
        pair("frame/web", QSize(206, 40), [this](QPainter &p, bool lit) {
            QPainterPath mark;
            mark.addText(QPointF(8, 29), font(26), QStringLiteral("R7"));
            if (lit)
                glow(p, mark, t.accent, 2);
            QLinearGradient fill(0, 6, 0, 30);
            fill.setColorAt(0, lit ? t.accent.lighter(130) : t.accent);
            fill.setColorAt(1, t.accentDeep);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawPath(mark);
            // A slanted bar between the mark and the name.
            p.setBrush(withAlpha(lit ? t.accent : ink, 200));
            QPolygonF bar;
            bar << QPointF(56, 30) << QPointF(62, 8) << QPointF(64.5, 8) << QPointF(58.5, 30);
            p.drawPolygon(bar);
            p.setFont(font(12));
            p.setPen(lit ? QColor(Qt::white) : ink);
            QFont name = font(12);
            name.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
            p.setFont(name);
            p.drawText(QPointF(72, 24), QStringLiteral("CONFIGURATOR"));
        });
    }

    void topBar()
    {
        QImage image = canvas(984, 74);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // A bar with a raised tab in the middle that holds the logo.
        QPainterPath bar;
        bar.moveTo(0, 0);
        bar.lineTo(984, 0);
        bar.lineTo(984, 50);
        bar.lineTo(640, 50);
        bar.lineTo(618, 72);
        bar.lineTo(366, 72);
        bar.lineTo(344, 50);
        bar.lineTo(0, 50);
        bar.closeSubpath();
        QLinearGradient fill(0, 0, 0, 72);
        fill.setColorAt(0, mix(QColor(0x1c, 0x20, 0x26, 235), t.tint, 0.05));
        fill.setColorAt(1, QColor(0x0d, 0x0f, 0x12, 235));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(bar);
        QPainterPath edge;
        edge.moveTo(0, 49.5);
        edge.lineTo(344, 49.5);
        edge.lineTo(366, 71.5);
        edge.lineTo(618, 71.5);
        edge.lineTo(640, 49.5);
        edge.lineTo(984, 49.5);
        glow(p, edge, t.accent, 1);
        p.setPen(QPen(t.accent, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(edge);
        p.end();
        save(image, "list_up/listUpContainer.png");
    }

    void topBarButtons()
    {

        pair("list_up/applicationSetting", QSize(32, 32),
             [this](QPainter &p, bool lit) { gear(p, QPointF(16, 16), iconColour(lit), lit); });
        pair("list_up/applicationMinimize", QSize(40, 40), [this](QPainter &p, bool lit) {
            roundButton(p, QPointF(20, 21), lit);
            p.setPen(QPen(lit ? QColor(Qt::white) : ink, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(15, 16), QPointF(25, 26));
            p.drawLine(QPointF(25, 16), QPointF(15, 26));
        });
        pair("list_up/hide", QSize(40, 40), [this](QPainter &p, bool lit) {
            roundButton(p, QPointF(20, 21), lit);
            p.setPen(QPen(lit ? QColor(Qt::white) : ink, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(15, 21), QPointF(25, 21));
        });
    }

    void roundButton(QPainter &p, QPointF centre, bool lit)
    {
        QRadialGradient fill(centre - QPointF(0, 5), 16);
        fill.setColorAt(0, lit ? t.accent : QColor(0x2a, 0x2f, 0x36));
        fill.setColorAt(1, lit ? t.accentDeep : QColor(0x14, 0x17, 0x1b));
        p.setPen(QPen(lit ? t.accent.lighter(120) : QColor(255, 255, 255, 40), 1));
        p.setBrush(fill);
        p.drawEllipse(centre, 14, 14);
    }

    void gear(QPainter &p, QPointF c, const QColor &colour, bool lit)
    {
        QPainterPath teeth;
        const int count = 8;
        for (int i = 0; i < count * 2; ++i) {
            const double a = M_PI * 2 * (i - 0.5) / (count * 2);
            const double b = M_PI * 2 * (i + 0.5) / (count * 2);
            const double r = (i % 2 == 0) ? 12.5 : 9.5;
            const QPointF pa = c + QPointF(std::cos(a) * r, std::sin(a) * r);
            const QPointF pb = c + QPointF(std::cos(b) * r, std::sin(b) * r);
            if (i == 0)
                teeth.moveTo(pa);
            else
                teeth.lineTo(pa);
            teeth.lineTo(pb);
        }
        teeth.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(c, 4.2, 4.2);
        const QPainterPath shape = teeth.subtracted(hole);
        if (lit)
            glow(p, shape, colour, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(shape);
    }

    void bottomBar()
    {
        QImage image = canvas(982, 50);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath bar;
        bar.moveTo(0, 12);
        bar.lineTo(340, 12);
        bar.lineTo(360, 2);
        bar.lineTo(622, 2);
        bar.lineTo(642, 12);
        bar.lineTo(982, 12);
        bar.lineTo(982, 50);
        bar.lineTo(0, 50);
        bar.closeSubpath();
        QLinearGradient fill(0, 0, 0, 50);
        fill.setColorAt(0, mix(QColor(0x1a, 0x1e, 0x24, 235), t.tint, 0.05));
        fill.setColorAt(1, QColor(0x0b, 0x0d, 0x10, 240));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(bar);
        QPainterPath edge;
        edge.moveTo(0, 12.5);
        edge.lineTo(340, 12.5);
        edge.lineTo(360, 2.5);
        edge.lineTo(622, 2.5);
        edge.lineTo(642, 12.5);
        edge.lineTo(982, 12.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(withAlpha(t.accent, 200), 1.2));
        p.drawPath(edge);
        p.end();
        save(image, "list_dn/listDnContainer.png");
    }

    void profileColumn()
    {
        QImage image = canvas(80, 440);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        panel(p, QRectF(0, 0, 80, 440), 10, mix(QColor(0x1a, 0x1e, 0x24, 230), t.tint, 0.05),
              QColor(0x0d, 0x0f, 0x12, 230), QColor(255, 255, 255, 30));
        p.setPen(QPen(t.accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, 1.5), QPointF(58, 1.5));
        // Stacked layers: the profiles.
        for (int i = 0; i < 3; ++i) {
            QPolygonF layer;
            const double y = 36 + i * 9;
            layer << QPointF(40, y) << QPointF(58, y + 9) << QPointF(40, y + 18)
                  << QPointF(22, y + 9);
            p.setPen(
                QPen(i == 0 ? t.accent : inkDim, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(i == 0 ? withAlpha(t.accent, 60) : QColor(0, 0, 0, 120));
            p.drawPolygon(layer);
        }
        // The well the rows sit in.
        p.setPen(QPen(QColor(255, 255, 255, 18), 1));
        p.setBrush(withAlpha(deep, 200));
        p.drawRoundedRect(QRectF(19.5, 93.5, 57, 267), 5, 5);
        p.end();
        save(image, "list_pf/listPfContainer.png");
    }

    void profileRows()
    {

        pair("list_pf/profileFW", QSize(49, 26), [this](QPainter &p, bool lit) {
            const QRectF r(1, 2, 47, 22);
            if (lit) {
                QLinearGradient fill(r.topLeft(), r.topRight());
                fill.setColorAt(0, withAlpha(t.accent, 110));
                fill.setColorAt(1, withAlpha(t.accent, 20));
                p.setPen(QPen(withAlpha(t.accent, 200), 1));
                p.setBrush(fill);
            } else {
                p.setPen(QPen(QColor(255, 255, 255, 26), 1));
                p.setBrush(QColor(0x1b, 0x1f, 0x25, 200));
            }
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
            p.setPen(Qt::NoPen);
            p.setBrush(lit ? t.accent : QColor(255, 255, 255, 40));
            p.drawRoundedRect(QRectF(1, 6, 3, 14), 1.5, 1.5);
        });
    }

    void functionRows()
    {
        pair("list_fn/listFnBtn", QSize(150, 37), [this](QPainter &p, bool lit) {
            const QRectF r(0.5, 0.5, 149, 36);
            QLinearGradient fill(r.topLeft(), r.topRight());
            if (lit) {
                fill.setColorAt(0, withAlpha(t.accent, 95));
                fill.setColorAt(0.7, withAlpha(t.accent, 25));
                fill.setColorAt(1, withAlpha(t.accent, 10));
            } else {
                fill.setColorAt(0, QColor(0x22, 0x26, 0x2d, 220));
                fill.setColorAt(1, QColor(0x14, 0x17, 0x1b, 200));
            }
            p.setPen(QPen(lit ? withAlpha(t.accent, 210) : QColor(255, 255, 255, 28), 1));
            p.setBrush(fill);
            p.drawRoundedRect(r, 6, 6);
            p.setPen(Qt::NoPen);
            p.setBrush(lit ? t.accent : QColor(255, 255, 255, 50));
            p.drawRoundedRect(QRectF(0, 8, 3, 21), 1.5, 1.5);
        });
        pair("list_fn/fnKeydefine", QSize(24, 24), [this](QPainter &p, bool lit) {
            const QColor c = iconColour(lit);
            p.setPen(QPen(c, 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(2, 5, 20, 14), 3, 3);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            for (int i = 0; i < 4; ++i)
                p.drawRect(QRectF(5 + i * 4, 8, 2.2, 2.2));
            for (int i = 0; i < 3; ++i)
                p.drawRect(QRectF(7 + i * 4, 11.5, 2.2, 2.2));
            p.drawRect(QRectF(8, 15, 8, 1.8));
        });
        pair("list_fn/fnMacro", QSize(24, 24), [this](QPainter &p, bool lit) {
            const QColor c = iconColour(lit);
            p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
            QPolygonF play;
            play << QPointF(9.5, 7.5) << QPointF(16.5, 12) << QPointF(9.5, 16.5);
            p.setBrush(c);
            p.drawPolygon(play);
        });
        // A key cap with its light spreading out below it.
        pair("list_fn/fnBacklight", QSize(24, 24), [this](QPainter &p, bool lit) {
            const QColor c = iconColour(lit);
            p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(6, 3.5, 12, 10), 2.5, 2.5);
            p.drawLine(QPointF(8, 17), QPointF(5.5, 20.5));
            p.drawLine(QPointF(12, 17.5), QPointF(12, 21.5));
            p.drawLine(QPointF(16, 17), QPointF(18.5, 20.5));
        });
        pair("list_fn/fnColor", QSize(24, 24), [](QPainter &p, bool lit) {
            const QColor dots[3] = {QColor(0xff, 0x3b, 0x5c), QColor(0x3b, 0xe0, 0x7a),
                                    QColor(0x3b, 0x8c, 0xff)};
            const QPointF at[3] = {{12, 8}, {8, 15}, {16, 15}};
            p.setCompositionMode(QPainter::CompositionMode_Plus);
            for (int i = 0; i < 3; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(lit ? dots[i] : withAlpha(ink, 110));
                p.drawEllipse(at[i], 6, 6);
            }
        });
    }

    void centrePanels()
    {
        QImage settings = canvas(340, 420);
        {
            QPainter p(&settings);
            p.setRenderHint(QPainter::Antialiasing);
            panel(p, QRectF(0, 0, 340, 420), 10, mix(QColor(0x1b, 0x1f, 0x25, 248), t.tint, 0.06),
                  QColor(0x0c, 0x0e, 0x11, 248), QColor(255, 255, 255, 36));
            p.setPen(QPen(t.accent, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12, 1.5), QPointF(120, 1.5));
            // The text-settings box sits at (27, 190), 270 x 176.
            p.setPen(QPen(QColor(255, 255, 255, 22), 1));
            p.setBrush(QColor(0, 0, 0, 60));
            p.drawRoundedRect(QRectF(27.5, 190.5, 270, 176), 6, 6);
        }
        save(settings, "list_center/globalsettingBackground.png");

        const auto pagePanel = [this](int h, const QString &file, bool keyWell) {
            QImage image = canvas(740, h);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            panel(p, QRectF(0, 0, 740, h), 8, QColor(0x16, 0x19, 0x1e, 225),
                  QColor(0x0c, 0x0e, 0x11, 225), QColor(255, 255, 255, 26));
            p.setPen(QPen(withAlpha(t.accent, 220), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(14, 1.5), QPointF(150, 1.5));
            if (keyWell) {
                p.setPen(QPen(QColor(255, 255, 255, 14), 1));
                p.setBrush(QColor(0, 0, 0, 80));
                p.drawRoundedRect(QRectF(14.5, 84.5, 711, 252), 6, 6);
            }
            p.end();
            save(image, file);
        };
        pagePanel(442, "list_center/fnKeydefineBackground.png", true);
        pagePanel(442, "list_center/fnColorBackground.png", true);
        pagePanel(396, "list_center/fnCommonBackground.png", false);
    }

    void field(QPainter &p, const QRectF &r, double radius)
    {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, QColor(0x07, 0x08, 0x0a, 235));
        fill.setColorAt(1, QColor(0x13, 0x16, 0x1a, 235));
        p.setPen(QPen(QColor(255, 255, 255, 34), 1));
        p.setBrush(fill);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }

    void fields()
    {
        const auto plain = [this](QSize size, const QString &file,
                                  const std::function<void(QPainter &)> &draw) {
            QImage image = canvas(size.width(), size.height());
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            draw(p);
            p.end();
            save(image, file);
        };
        plain(QSize(151, 23), "common/slider_BASE.png",
              [this](QPainter &p) { field(p, QRectF(0, 0, 151, 23), 4); });
        plain(QSize(151, 206), "common/filelist_BASE.png", [this](QPainter &p) {
            field(p, QRectF(0, 0, 151, 206), 5);
            p.setPen(QPen(withAlpha(t.accent, 160), 1));
            p.drawLine(QPointF(6, 0.5), QPointF(145, 0.5));
        });
        plain(QSize(151, 1), "common/draw_line.png", [](QPainter &p) {
            QLinearGradient line(0, 0, 151, 0);
            line.setColorAt(0, QColor(255, 255, 255, 0));
            line.setColorAt(0.5, QColor(255, 255, 255, 34));
            line.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillRect(QRect(0, 0, 151, 1), line);
        });
        plain(QSize(40, 20), "common/draw_inputValue.png",
              [this](QPainter &p) { field(p, QRectF(0, 0, 40, 20), 3); });
        plain(QSize(145, 31), "common/draw_paletteIndex.png", [](QPainter &p) {
            for (int i = 0; i < 7; ++i) {
                p.setPen(QPen(QColor(255, 255, 255, 40), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(QRectF(i * 21 + 0.5, 0.5, 18, 30), 2, 2);
            }
        });
        plain(QSize(100, 70), "common/draw_palette.png", [this](QPainter &p) {
            p.setPen(QPen(QColor(255, 255, 255, 40), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(0.5, 0.5, 99, 69), 4, 4);
            p.setPen(QPen(withAlpha(t.accent, 140), 1));
            p.drawLine(QPointF(6, 0.5), QPointF(40, 0.5));
        });
        plain(QSize(151, 23), "common/btnFileListFrame.png", [this](QPainter &p) {
            p.setPen(QPen(withAlpha(t.accent, 150), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(0.5, 0.5, 150, 22), 4, 4);
        });
        plain(QSize(151, 23), "common/btnFrame.png", [](QPainter &p) {
            p.setPen(QPen(QColor(255, 255, 255, 50), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(0.5, 0.5, 150, 22), 4, 4);
        });
        plain(QSize(70, 32), "common/fram_2btn.png", [](QPainter &p) {
            p.setPen(QPen(QColor(255, 255, 255, 30), 1));
            p.setBrush(QColor(0, 0, 0, 90));
            p.drawRoundedRect(QRectF(0.5, 0.5, 69, 31), 16, 16);
        });
        pair("common/slider_FILLER", QSize(21, 21), [this](QPainter &p, bool lit) {
            const QRectF r(2, 2, 17, 17);
            if (lit) {
                QLinearGradient fill(r.topLeft(), r.bottomLeft());
                fill.setColorAt(0, t.accent.lighter(115));
                fill.setColorAt(1, t.accentDeep);
                p.setPen(QPen(withAlpha(t.accent.lighter(140), 220), 1));
                p.setBrush(fill);
            } else {
                p.setPen(QPen(QColor(255, 255, 255, 30), 1));
                p.setBrush(QColor(0x22, 0x26, 0x2d));
            }
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        });
        pair("common/checkbox", QSize(15, 15), [this](QPainter &p, bool lit) {
            p.setPen(QPen(lit ? t.accent : QColor(255, 255, 255, 90), 1.2));
            p.setBrush(lit ? withAlpha(t.accent, 50) : QColor(0, 0, 0, 140));
            p.drawRoundedRect(QRectF(1, 1, 13, 13), 3, 3);
            if (lit) {
                p.setPen(
                    QPen(t.accent.lighter(130), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                QPolygonF tick;
                tick << QPointF(4, 7.5) << QPointF(6.5, 10) << QPointF(11, 4.5);
                p.drawPolyline(tick);
            }
        });
    }

    // A round 26 px button with a symbol drawn by `symbol` in the given colour.
    void roundIcon(const QString &stem, const std::function<void(QPainter &, QColor)> &symbol)
    {
        pair(stem, QSize(26, 26), [this, symbol](QPainter &p, bool lit) {
            QRadialGradient fill(QPointF(13, 9), 14);
            fill.setColorAt(0, lit ? withAlpha(t.accent, 120) : QColor(0x2a, 0x2f, 0x36));
            fill.setColorAt(1, lit ? withAlpha(t.accentDeep, 90) : QColor(0x15, 0x18, 0x1c));
            p.setPen(QPen(lit ? t.accent : QColor(255, 255, 255, 45), 1));
            p.setBrush(fill);
            p.drawEllipse(QPointF(13, 13), 12, 12);
            symbol(p, lit ? QColor(Qt::white) : ink);
        });
    }

    // A square 21 px tool with a symbol.
    void toolIcon(const QString &stem, const std::function<void(QPainter &, QColor)> &symbol)
    {
        pair(stem, QSize(21, 21), [this, symbol](QPainter &p, bool lit) {
            p.setPen(QPen(lit ? withAlpha(t.accent, 220) : QColor(255, 255, 255, 34), 1));
            p.setBrush(lit ? withAlpha(t.accent, 45) : QColor(0x1b, 0x1f, 0x25, 230));
            p.drawRoundedRect(QRectF(0.5, 0.5, 20, 20), 4, 4);
            symbol(p, lit ? t.accent.lighter(125) : ink);
        });
    }

    void buttons()
    {
        const auto stroke = [](QColor c, double w) {
            return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        };
        roundIcon("common/reset", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(7.5, 7.5, 11, 11), 100 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            QPolygonF head;
            head << QPointF(10.5, 5.5) << QPointF(14.5, 8) << QPointF(10.5, 10.5);
            p.drawPolygon(head);
        });
        roundIcon("common/apply", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 2));
            QPolygonF tick;
            tick << QPointF(8, 13.5) << QPointF(11.5, 17) << QPointF(18.5, 9.5);
            p.drawPolyline(tick);
        });
        toolIcon("common/add", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.8));
            p.drawLine(QPointF(10.5, 6), QPointF(10.5, 15));
            p.drawLine(QPointF(6, 10.5), QPointF(15, 10.5));
        });
        toolIcon("common/delete", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.8));
            p.drawLine(QPointF(6, 10.5), QPointF(15, 10.5));
        });
        toolIcon("common/record", [](QPainter &p, QColor c) {
            p.setPen(Qt::NoPen);
            p.setBrush(c == ink ? QColor(0xe0, 0x4a, 0x4a) : QColor(0xff, 0x5c, 0x5c));
            p.drawEllipse(QPointF(10.5, 10.5), 4.5, 4.5);
        });
        toolIcon("common/stop", [](QPainter &p, QColor c) {
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawRoundedRect(QRectF(6.5, 6.5, 8, 8), 1.5, 1.5);
        });
        toolIcon("common/solid-delete", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(6, 7), QPointF(15, 7));
            p.drawLine(QPointF(9, 5.5), QPointF(12, 5.5));
            QPolygonF can;
            can << QPointF(7, 7.5) << QPointF(8, 15.5) << QPointF(13, 15.5) << QPointF(14, 7.5);
            p.drawPolyline(can);
        });
        toolIcon("common/solid-cut", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(7.5, 14), 2.3, 2.3);
            p.drawEllipse(QPointF(13.5, 14), 2.3, 2.3);
            p.drawLine(QPointF(9, 12.3), QPointF(14, 5));
            p.drawLine(QPointF(12, 12.3), QPointF(7, 5));
        });
        toolIcon("common/solid-paste", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(6, 6, 9, 10.5), 1.5, 1.5);
            p.setBrush(c);
            p.drawRoundedRect(QRectF(8.5, 4.5, 4, 3), 1, 1);
        });
        toolIcon("common/solid-copy", [stroke](QPainter &p, QColor c) {
            p.setPen(stroke(c, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(5, 5, 7.5, 8.5), 1.5, 1.5);
            p.setBrush(QColor(0x1b, 0x1f, 0x25));
            p.drawRoundedRect(QRectF(8.5, 8, 7.5, 8.5), 1.5, 1.5);
        });
    }

    // Face (-0): a dark cap lit from above. Frame (-1): the accent outline of a chosen key.
    void keyCaps()
    {
        for (auto it = keys.capSizes.cbegin(); it != keys.capSizes.cend(); ++it) {
            const QSize size = it.value();
            const QString stem = QStringLiteral("model_kb/k%1").arg(it.key());
            QImage face = canvas(size.width(), size.height());
            {
                QPainter p(&face);
                p.setRenderHint(QPainter::Antialiasing);
                capFace(p, QRectF(QPointF(0, 0), size));
            }
            save(face, stem + "-0.png");

            QImage outline = canvas(size.width(), size.height());
            {
                QPainter p(&outline);
                p.setRenderHint(QPainter::Antialiasing);
                const QRectF r = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
                p.setPen(QPen(withAlpha(t.accent, 90), 2));
                p.setBrush(withAlpha(t.accent, 28));
                p.drawRoundedRect(r, 4, 4);
                p.setPen(QPen(t.accent, 1.2));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(r, 4, 4);
            }
            save(outline, stem + "-1.png");
        }
    }

    void capFace(QPainter &p, const QRectF &r)
    {
        QLinearGradient skirt(r.topLeft(), r.bottomLeft());
        skirt.setColorAt(0, QColor(0x30, 0x35, 0x3d));
        skirt.setColorAt(1, QColor(0x12, 0x14, 0x18));
        p.setPen(QPen(QColor(0, 0, 0, 200), 1));
        p.setBrush(skirt);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        const QRectF top = r.adjusted(2.5, 1.5, -2.5, -4);
        QLinearGradient dish(top.topLeft(), top.bottomLeft());
        dish.setColorAt(0, QColor(0x2a, 0x2f, 0x36));
        dish.setColorAt(1, QColor(0x1c, 0x20, 0x25));
        p.setPen(QPen(QColor(255, 255, 255, 22), 1));
        p.setBrush(dish);
        p.drawRoundedRect(top, 3, 3);
    }

    void keyboardPicture()
    {
        QRect keysArea;
        for (const Key &key : keys.keys)
            keysArea |= QRect(QPoint(key.x, key.y), keys.capSizes.value(key.type));
        const int margin = 16;
        const QSize size(keysArea.width() + 2 * margin, keysArea.height() + 2 * margin + 8);
        const QPoint offset(margin - keysArea.x(), margin + 6 - keysArea.y());

        QImage image = canvas(size.width(), size.height());
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);

        // The case: a dark slab with a bevelled rim and an accent light strip along its front.
        const QRectF body(0.5, 0.5, size.width() - 1, size.height() - 1);
        QLinearGradient caseFill(body.topLeft(), body.bottomLeft());
        caseFill.setColorAt(0, QColor(0x26, 0x2a, 0x31));
        caseFill.setColorAt(0.08, QColor(0x18, 0x1b, 0x20));
        caseFill.setColorAt(1, QColor(0x0d, 0x0f, 0x12));
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.setBrush(caseFill);
        p.drawRoundedRect(body, 12, 12);
        QPainterPath strip;
        strip.moveTo(40, size.height() - 3.5);
        strip.lineTo(size.width() - 40, size.height() - 3.5);
        glow(p, strip, t.accent, 1.5);
        p.setPen(QPen(t.accent, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(strip);
        // The plate under the keys, with the backlight bleeding out between them.
        const QRectF plate = QRectF(keysArea.translated(offset)).adjusted(-5, -5, 5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x05, 0x06, 0x08));
        p.drawRoundedRect(plate, 6, 6);

        for (const Key &key : keys.keys) {
            const QRectF cap(QPointF(key.x, key.y) + offset, keys.capSizes.value(key.type));
            p.setPen(Qt::NoPen);
            p.setBrush(withAlpha(t.accent, 70));
            p.drawRoundedRect(cap.adjusted(-1, -1, 1, 1), 5, 5);
            capFace(p, cap);
            p.setFont(font(key.name.size() > 3 ? 7 : 9));
            p.setPen(QColor(0xc8, 0xd0, 0xda));
            p.drawText(cap.adjusted(2, 1, -2, -4), Qt::AlignCenter, key.name);
        }
        p.end();
        save(image, "keyboardPic.png");
    }

    Theme t;
    const Layout &keys;
    QDir dir;
    bool ok = true;
};

bool readLayout(const QString &file, Layout &layout)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
    const QJsonObject caps = root.value(QStringLiteral("capSizes")).toObject();
    for (auto it = caps.begin(); it != caps.end(); ++it) {
        const QJsonArray wh = it.value().toArray();
        layout.capSizes.insert(it.key().toInt(), QSize(wh.at(0).toInt(), wh.at(1).toInt()));
    }
    for (const QJsonValue &value : root.value(QStringLiteral("keys")).toArray()) {
        const QJsonObject key = value.toObject();
        layout.keys.append({key.value(QStringLiteral("x")).toInt(),
                            key.value(QStringLiteral("y")).toInt(),
                            key.value(QStringLiteral("type")).toInt(),
                            key.value(QStringLiteral("name")).toString()});
    }
    return !layout.capSizes.isEmpty() && !layout.keys.isEmpty();
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: R7MakeSkins layout.json output-folder\n";
        return 2;
    }
    Layout layout;
    if (!readLayout(args.at(1), layout)) {
        QTextStream(stderr) << "cannot read the layout " << args.at(1) << "\n";
        return 1;
    }
    const QDir output(args.at(2));
    // Skin 1: ice blue. Skin 2: ember red.
    const Theme themes[] = {
        {QStringLiteral("skin1"), QColor(0x22, 0xd3, 0xff), QColor(0x06, 0x6e, 0xa8),
         QColor(0x20, 0x80, 0xb0)},
        {QStringLiteral("skin2"), QColor(0xff, 0x4f, 0x3a), QColor(0xa3, 0x1b, 0x12),
         QColor(0xb0, 0x40, 0x30)},
    };
    bool ok = true;
    for (const Theme &theme : themes)
        ok = SkinPainter(theme, layout, output).paintAll() && ok;
    return ok ? 0 : 1;
}
