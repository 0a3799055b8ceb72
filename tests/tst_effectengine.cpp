// The lighting preview's effects as state: which keys light, with what colour and opacity, tick
// by tick, on a four-key board and on the shipped layout.

#include "view/effects/effectengine.h"
#include "view/effects/effectintervals.h"

#include <QImageReader>
#include <QSettings>
#include <QTest>

namespace
{
// Three keys in the top row (matrix 0, 1, 2 from the left) and one below the first (matrix 3).
KeyLayout fourKeys()
{
    return KeyLayout(
        {{0, 0, 0, 28, 28}, {1, 30, 0, 28, 28}, {2, 60, 0, 28, 28}, {3, 0, 30, 28, 28}}, 4);
}

// The keyboard the program ships, sized as its skin draws the keys.
KeyLayout shippedLayout()
{
    QSettings hwDef(QStringLiteral(R7_MODULES_DIR "/setting/HWDef.bin"), QSettings::IniFormat);
    hwDef.beginGroup(QStringLiteral("0"));
    std::vector<PreviewKey> keys;
    const int count = hwDef.value(QStringLiteral("total_HW")).toInt();
    for (int i = 1; i <= count; ++i) {
        const QStringList key = hwDef.value(QString::number(i)).toStringList();
        const QSize size =
            QImageReader(QStringLiteral(R7_MODULES_DIR "/img/skin1/model_kb/k%1-0.png").arg(key[2]))
                .size();
        keys.push_back({key[4].toInt(), key[0].toDouble(), key[1].toDouble(), double(size.width()),
                        double(size.height())});
    }
    return KeyLayout(std::move(keys), hwDef.value(QStringLiteral("total_FW")).toInt());
}

const std::array<Rgb, 7> palette{{{200, 0, 0},
                                  {0, 200, 0},
                                  {0, 0, 200},
                                  {200, 200, 0},
                                  {0, 200, 200},
                                  {200, 0, 200},
                                  {200, 200, 200}}};

EffectEngine engineOn(KeyLayout layout, int type, int colourIndex = 0)
{
    EffectEngine engine;
    engine.setLayout(std::move(layout));
    engine.setPalette(palette);
    engine.setColourIndex(colourIndex);
    engine.setBrightnessLevel(7);
    engine.setDirection(1);
    engine.play(type);
    return engine;
}

// "p2" presses matrix position 2, "t" ticks, "w2" turns the wheel to 2.
void run(EffectEngine &engine, const QString &actions)
{
    for (const QString &action : actions.split(' ', Qt::SkipEmptyParts)) {
        if (action == "t")
            engine.tick();
        else if (action.startsWith('p'))
            engine.press(action.mid(1).toInt());
        else if (action.startsWith('w'))
            engine.setDirection(action.mid(1).toInt());
    }
}

// "r,g,b,alpha" per key, space separated.
QString shown(const EffectEngine &engine)
{
    QStringList keys;
    for (const KeyColour &c : engine.shownColours())
        keys << QStringLiteral("%1,%2,%3,%4").arg(c.r).arg(c.g).arg(c.b).arg(c.alpha);
    return keys.join(' ');
}

int litKeys(const EffectEngine &engine)
{
    int lit = 0;
    for (const KeyColour &c : engine.shownColours())
        lit += c.alpha > 0;
    return lit;
}
} // namespace

class EffectEngineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedRows()
    {
        const KeyLayout layout = shippedLayout();
        QCOMPARE(layout.keys().size(), std::size_t(104));
        // Row by row: its length, then its first and last position in script order. The two
        // tall keypad keys join the row below them; odd rows run right to left.
        const QList<std::array<int, 3>> rows{{16, 0, 15},   {21, 99, 16},  {20, 32, 103},
                                             {17, 104, 48}, {16, 64, 111}, {14, 115, 80}};
        QList<std::array<int, 3>> found;
        const std::vector<int> &script = layout.rowScript();
        std::size_t start = 0;
        for (std::size_t i = 0; i < script.size(); ++i) {
            if (script[i] != KeyLayout::separator)
                continue;
            found.append({int(i - start), script[start], script[i - 1]});
            start = i + 1;
        }
        QCOMPARE(start, script.size());
        QCOMPARE(found, rows);
        QCOMPARE(layout.laserRows().size(), std::size_t(6));
        // The keypad plus key (definition index 57) counts as a key of the fourth row.
        QCOMPARE(layout.rowOfKey()[57], 3);
        QCOMPARE(layout.keys()[layout.laserRows()[3].front()].matrix, 104);
    }

    void wavePictures_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QList<int>>("centres");
        QTest::addColumn<QString>("colours");
        // Both ends, every block border and a point inside a block.
        QTest::newRow("three blocks") << 3 << QList<int>{0, 100, 150, 200, 300}
                                      << "255,0,0 0,255,0 0,127,127 0,0,255 255,0,0";
        QTest::newRow("four blocks") << 4 << QList<int>{0, 100, 200, 250, 300, 400}
                                     << "255,0,0 0,255,0 0,0,255 0,127,127 0,255,0 255,0,0";
    }

    void wavePictures()
    {
        QFETCH(int, blocks);
        QFETCH(QList<int>, centres);
        QFETCH(QString, colours);
        std::vector<PreviewKey> keys;
        for (int k = 0; k < centres.size(); ++k)
            keys.push_back({k, centres[k] - 10.0, 0, 20, 20});
        // The last position has no key.
        const int positions = int(centres.size()) + 1;
        const std::vector<Rgb> picture = KeyLayout(keys, positions).wavePicture(blocks);
        QStringList found;
        for (int m = 0; m < centres.size(); ++m)
            found
                << QStringLiteral("%1,%2,%3").arg(picture[m].r).arg(picture[m].g).arg(picture[m].b);
        QCOMPARE(found.join(' '), colours);
        QCOMPARE(picture.back(), Rgb{});
    }

    void oneTick_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("colourIndex");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("colours");

        const QString red = "200,0,0,255";
        const QString dark = "0,0,0,0";
        QTest::newRow("static") << 0x00 << 0 << "t" << QStringList(4, red).join(' ');
        QTest::newRow("static, LOOP")
            << 0x00 << 7 << "t" << QStringList(4, "0,200,0,255").join(' ');
        QTest::newRow("breathing") << 0x01 << 0 << "t" << QStringList(4, "200,0,0,5").join(' ');
        QTest::newRow("marquee: lit key fades by 13") << 0x02 << 0 << "t t"
                                                      << "200,0,0,242 200,0,0,255 0,0,0,0 0,0,0,0";
        QTest::newRow("marquee, LOOP: next colour after the row")
            << 0x02 << 7 << "t t t t"
            << "200,0,0,216 200,0,0,229 200,0,0,242 0,200,0,255";
        QTest::newRow("press lights, tick fades by 9") << 0x03 << 0 << "p1 t"
                                                       << "0,0,0,0 200,0,0,246 0,0,0,0 0,0,0,0";
        QTest::newRow("press, LOOP") << 0x03 << 7 << "p1 p2"
                                     << "0,0,0,0 200,0,0,255 0,200,0,255 0,0,0,0";
        QTest::newRow("press without a key")
            << 0x03 << 0 << "p9 t" << QStringList(4, dark).join(' ');
        QTest::newRow("starry blends towards the next colour")
            << 0x04 << 0 << "t t"
            << "160,40,0,255 0,160,40,255 40,40,160,255 160,200,40,255";
        QTest::newRow("laser: the pressed key first") << 0x05 << 0 << "p1 t"
                                                      << "0,0,0,0 200,0,0,255 0,0,0,0 0,0,0,0";
        QTest::newRow("laser: both ends next") << 0x05 << 0 << "p1 t t"
                                               << "200,0,0,255 200,0,0,255 200,0,0,255 0,0,0,0";
        QTest::newRow("laser: used up, the row goes dark")
            << 0x05 << 0 << "p1 t t t"
            << "200,0,0,0 200,0,0,0 200,0,0,0 0,0,0,0";
        QTest::newRow("wave rightwards") << 0x06 << 0 << "t"
                                         << "239,0,16,255 0,143,111,255 239,0,16,255 239,0,16,255";
        QTest::newRow("wave leftwards") << 0x06 << 0 << "w2 t"
                                        << "239,16,0,255 0,111,143,255 239,16,0,255 239,16,0,255";
        QTest::newRow("wave 2") << 0x0A << 0 << "t"
                                << "239,0,16,255 0,16,239,255 239,0,16,255 239,0,16,255";
        QTest::newRow("neon") << 0x07 << 0 << "t" << QStringList(4, "252,0,3,255").join(' ');
        QTest::newRow("ripple: rings of 15 from the pressed key")
            << 0x09 << 0 << "p0 t t t"
            << "200,0,0,229 200,0,0,255 0,0,0,0 200,0,0,255";
        QTest::newRow("user picture 2") << 0x34 << 0 << "t"
                                        << "1,2,3,255 4,5,6,255 0,0,0,255 0,0,0,255";
        QTest::newRow("none") << -1 << 0 << "t" << QStringList(4, dark).join(' ');
    }

    void oneTick()
    {
        QFETCH(int, type);
        QFETCH(int, colourIndex);
        QFETCH(QString, actions);
        QFETCH(QString, colours);
        EffectEngine engine = engineOn(fourKeys(), -1, colourIndex);
        // Picture 2 colours position 0 and 1; position 2's entry is cut short.
        engine.setPicture(2, {0x10, 1, 2, 3, 0x10, 4, 5, 6, 0x10, 7});
        engine.play(type);
        run(engine, actions);
        QCOMPARE(shown(engine), colours);
    }

    void breathingAlpha_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("50") << 50 << 250;
        QTest::newRow("51") << 51 << 255;
        QTest::newRow("101") << 101 << 5;
        QTest::newRow("wrapped to 0") << 102 << 0;
    }

    void breathingAlpha()
    {
        QFETCH(int, ticks);
        QFETCH(int, alpha);
        EffectEngine engine = engineOn(fourKeys(), 0x01, 7);
        for (int i = 0; i < ticks; ++i)
            engine.tick();
        QCOMPARE(engine.shownColours().front().alpha, alpha);
        // With LOOP the colour moves on when the breath starts again.
        QCOMPARE(engine.loopIndex(), ticks / 102);
    }

    void raindropReachesEveryKey()
    {
        EffectEngine engine = engineOn(fourKeys(), 0x08);
        std::array<bool, 4> reached{};
        for (int i = 0; i < 400; ++i) {
            engine.tick();
            const std::vector<KeyColour> keys = engine.shownColours();
            int full = 0;
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (keys[k].alpha == 255) {
                    reached[k] = true;
                    ++full;
                }
            }
            QCOMPARE(full, 1);
        }
        QCOMPARE(reached, (std::array<bool, 4>{true, true, true, true}));
    }

    void rippleCirclesRoundRobin()
    {
        EffectEngine engine = engineOn(fourKeys(), 0x09);
        run(engine, "p0 p1 p2 t p3");
        const std::array<EffectEngine::Circle, 3> &circles = engine.rippleCircles();
        QCOMPARE(circles[0].x0, 14);
        QCOMPARE(circles[0].y0, 44);
        QCOMPARE(circles[0].r, 0);
        QCOMPARE(circles[1].x0, 44);
        QCOMPARE(circles[1].r, 15);
        QCOMPARE(circles[2].x0, 74);
        // A circle grows to 690 and goes out when it would pass 700.
        for (int i = 0; i < 45; ++i)
            engine.tick();
        QCOMPARE(engine.rippleCircles()[1].r, 690);
        QVERIFY(engine.rippleCircles()[1].isEnable);
        engine.tick();
        QCOMPARE(engine.rippleCircles()[1].isEnable, false);
        QCOMPARE(engine.rippleCircles()[1].r, 0);
    }

    void vortex()
    {
        EffectEngine engine = engineOn(shippedLayout(), 0x0B);
        const EffectEngine::Circle centre = engine.vortexCircle();
        QVERIFY(centre.isEnable);
        QCOMPARE(centre.r, 0);
        // Both scripts light their first key: positions 0 and 115.
        engine.tick();
        QCOMPARE(litKeys(engine), 2);
        QCOMPARE(engine.loopIndex(), 1);
        for (int i = 1; i < 17; ++i)
            engine.tick();
        QCOMPARE(engine.count(), 17);
        QCOMPARE(engine.vortexCircle().r, 0);
        engine.tick();
        QCOMPARE(engine.vortexCircle().r, 15);
        for (int i = 18; i < 44; ++i)
            engine.tick();
        QCOMPARE(engine.count(), 44);
        QCOMPARE(engine.vortexCircle().r, 27 * 15);
        engine.tick();
        QCOMPARE(engine.count(), 0);
        QCOMPARE(engine.vortexCircle().r, 0);
        QCOMPARE(engine.vortexCircle().x0, centre.x0);
    }

    void laserRunsToBothEndsOfAShippedRow()
    {
        const KeyLayout layout = shippedLayout();
        EffectEngine engine = engineOn(layout, 0x05);
        // F5 (position 5) in the top row of 16: five keys on one side, ten on the other.
        engine.press(5);
        for (int i = 0; i < 11; ++i)
            engine.tick();
        QCOMPARE(litKeys(engine), 16);
        QCOMPARE(engine.runningLasers(), 1);
        engine.tick();
        QCOMPARE(litKeys(engine), 0);
        QCOMPARE(engine.runningLasers(), 0);
    }

    void intervals_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("speedLV");
        QTest::addColumn<int>("ms");
        QTest::newRow("wave, fastest") << 0x06 << 1 << 7;
        QTest::newRow("static, slowest") << 0x00 << 7 << 2400;
        QTest::newRow("raindrop") << 0x08 << 3 << 50;
        QTest::newRow("wave 2") << 0x0A << 4 << 42;
        QTest::newRow("vortex") << 0x0B << 7 << 40;
        QTest::newRow("picture ticks as static") << 0x35 << 1 << 600;
        QTest::newRow("none ticks as static") << -1 << 2 << 900;
        QTest::newRow("speed 0 does not tick") << 0x06 << 0 << 0;
        QTest::newRow("speed 8 does not tick") << 0x01 << 8 << 0;
    }

    void intervals()
    {
        QFETCH(int, type);
        QFETCH(int, speedLV);
        QFETCH(int, ms);
        QCOMPARE(effectInterval(type, speedLV), ms);
    }
};

QTEST_GUILESS_MAIN(EffectEngineTest)
#include "tst_effectengine.moc"
