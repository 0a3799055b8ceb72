#pragma once

#include "view/effects/effectengine.h"

#include <QElapsedTimer>
#include <QImage>
#include <QQuickPaintedItem>
#include <QStaticText>
#include <QTimer>
#include <QVariant>

#include <vector>

// The colour page's live preview: the keyboard drawing with every key's name lit as the
// keyboard lights it. The effect advances on its own timer at the keyboard's pace, but the
// drawing is repainted at most once per display frame and only when a key's colour changed, so
// the fastest effect costs a frame rate's worth of painting rather than one frame per 7 ms
// tick, and a hidden page with nothing to show costs nothing.
class KeyboardPreview : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(int effectIndex READ effectIndex NOTIFY effectIndexChanged)
    Q_PROPERTY(int brightnessLV READ brightnessLV WRITE setBrightnessLV NOTIFY brightnessLVChanged)
    Q_PROPERTY(int speedLV READ speedLV WRITE setSpeedLV NOTIFY speedLVChanged)
    Q_PROPERTY(int directLV READ directLV WRITE setDirectLV NOTIFY directLVChanged)
    Q_PROPERTY(int colorIndex READ colorIndex WRITE setColorIndex NOTIFY colorIndexChanged)
    Q_PROPERTY(bool isSurround READ isSurround NOTIFY colorIndexChanged)
    // 21 values: red, green, blue of the seven palette colours.
    Q_PROPERTY(QVariantList palette READ palette WRITE setPalette NOTIFY paletteChanged)
    Q_PROPERTY(int loopIndex READ loopIndex NOTIFY ticked)
    Q_PROPERTY(int count READ count NOTIFY ticked)
    Q_PROPERTY(int interval READ interval NOTIFY intervalChanged)
    Q_PROPERTY(QVariantList pic_01 READ pic01 WRITE setPic01 NOTIFY pic01Changed)
    Q_PROPERTY(QVariantList pic_02 READ pic02 WRITE setPic02 NOTIFY pic02Changed)
    Q_PROPERTY(QVariantList pic_03 READ pic03 WRITE setPic03 NOTIFY pic03Changed)
    Q_PROPERTY(QVariantList pic_04 READ pic04 WRITE setPic04 NOTIFY pic04Changed)
    Q_PROPERTY(QVariantList pic_05 READ pic05 WRITE setPic05 NOTIFY pic05Changed)
    Q_PROPERTY(int skin READ skin WRITE setSkin NOTIFY skinChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY fontFamilyChanged)
    // The shortest time between two frames of the preview, in milliseconds.
    Q_PROPERTY(
        int frameInterval READ frameInterval WRITE setFrameInterval NOTIFY frameIntervalChanged)

public:
    explicit KeyboardPreview(QQuickItem *parent = nullptr);

    // Lays the keys out from the hardware definition: key count, matrix size, then x, y, key
    // type, name, matrix position and code for each key.
    Q_INVOKABLE void setKeys(const QVariantList &hwDef);
    // Stops the current effect and starts `index` from its first state.
    Q_INVOKABLE void play(int index);
    // A key pressed on the keyboard, by matrix position.
    Q_INVOKABLE void pressMatrix(int matrix);
    // User picture n (1 .. 5).
    Q_INVOKABLE QVariantList getPic(int n) const;
    // Each key's colour as shown now: maps with swId, matrix, r, g, b and alpha.
    Q_INVOKABLE QVariantList keyColours() const;

    int effectIndex() const { return engine.type(); }
    int brightnessLV() const { return brightness; }
    void setBrightnessLV(int level);
    int speedLV() const { return speed; }
    void setSpeedLV(int value);
    int directLV() const { return direction; }
    void setDirectLV(int wheel);
    int colorIndex() const { return colour; }
    void setColorIndex(int index);
    bool isSurround() const { return colour < 0 || colour > 6; }
    QVariantList palette() const { return paletteValues; }
    void setPalette(const QVariantList &values);
    int loopIndex() const { return engine.loopIndex(); }
    int count() const { return engine.count(); }
    int interval() const { return tickTimer.interval(); }
    QVariantList pic01() const { return getPic(1); }
    QVariantList pic02() const { return getPic(2); }
    QVariantList pic03() const { return getPic(3); }
    QVariantList pic04() const { return getPic(4); }
    QVariantList pic05() const { return getPic(5); }
    void setPic01(const QVariantList &picture) { setPicture(1, picture); }
    void setPic02(const QVariantList &picture) { setPicture(2, picture); }
    void setPic03(const QVariantList &picture) { setPicture(3, picture); }
    void setPic04(const QVariantList &picture) { setPicture(4, picture); }
    void setPic05(const QVariantList &picture) { setPicture(5, picture); }
    int skin() const { return skinNumber; }
    void setSkin(int number);
    QString fontFamily() const { return family; }
    void setFontFamily(const QString &name);
    int frameInterval() const { return minFrameGap; }
    void setFrameInterval(int ms);

    void paint(QPainter *painter) override;
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;

Q_SIGNALS:
    void effectIndexChanged();
    void brightnessLVChanged();
    void speedLVChanged();
    void directLVChanged();
    void colorIndexChanged();
    void paletteChanged();
    void intervalChanged();
    void pic01Changed();
    void pic02Changed();
    void pic03Changed();
    void pic04Changed();
    void pic05Changed();
    void skinChanged();
    void fontFamilyChanged();
    void frameIntervalChanged();
    // Emitted on each tick of the effects that change keys one by one, before the step.
    void tmrTrigged();
    // Emitted after a user picture was replaced, with the new picture.
    void pictureChged(const QVariantList &picture);
    void ticked();

private:
    struct KeyFace {
        int keyType = 0;
        QString name;
        QStaticText label;
        QPointF labelAt;
    };

    void setPicture(int n, const QVariantList &picture);
    void restartTimer();
    void onTick();
    void changed();
    void requestFrame();
    void layOutLabels();
    void drawBackground();

    EffectEngine engine;
    int brightness = 7;
    int speed = 1;
    int direction = 1;
    int colour = 0;
    QVariantList paletteValues;
    int skinNumber = 1;
    QString family;

    std::vector<KeyFace> faces;
    std::vector<KeyColour> painted;
    QImage background;
    QTimer tickTimer;
    QTimer frameTimer;
    QElapsedTimer sinceFrame;
    // A frame of the window costs far more than a tick: 2-3 ms of a core with the software
    // scene graph, over 10 ms with OpenGL on a software rasteriser. 20 frames a second show
    // the effects smoothly enough for a preview at about 5 % of a core (tools/bench_effects).
    int minFrameGap = 50;
    // Between asking for a frame and painting it, further changes wait for that frame.
    bool framePending = false;
};

// Makes KeyboardPreview available to the interface as `import R7.Preview`.
void registerKeyboardPreview();
