#include "view/effects/keyboardpreview.h"

#include "view/effects/effectintervals.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QQmlEngine>
#include <QQuickWindow>

#include <algorithm>

namespace
{
// Effects whose keys change one by one tell the keys before each step.
bool emitsKeyTick(int type)
{
    return (type >= EffectType::fadingMarquee && type <= EffectType::wave) ||
           (type >= EffectType::raindrop && type <= EffectType::vortex);
}

QString keyPicture(int skin, int keyType, int state)
{
    return QStringLiteral("modules/img/skin%1/model_kb/k%2-%3.png")
        .arg(skin)
        .arg(keyType)
        .arg(state);
}

QFont labelFont(const QString &family)
{
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(11);
    return font;
}
} // namespace

void registerKeyboardPreview()
{
    qmlRegisterType<KeyboardPreview>("R7.Preview", 1, 0, "KeyboardPreview");
}

KeyboardPreview::KeyboardPreview(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    tickTimer.setTimerType(Qt::PreciseTimer);
    connect(&tickTimer, &QTimer::timeout, this, &KeyboardPreview::onTick);
    frameTimer.setSingleShot(true);
    connect(&frameTimer, &QTimer::timeout, this, [this] {
        framePending = true;
        update();
    });
    connect(this, &QQuickItem::visibleChanged, this, [this] {
        if (isVisible())
            update();
    });
    connect(this, &QQuickItem::widthChanged, this, [this] { background = {}; });
    connect(this, &QQuickItem::heightChanged, this, [this] { background = {}; });
    sinceFrame.start();
    engine.setBrightnessLevel(brightness);
    engine.setDirection(direction);
    engine.setColourIndex(colour);
}

void KeyboardPreview::setKeys(const QVariantList &hwDef)
{
    if (hwDef.size() < 2)
        return;
    const int declared = hwDef.at(0).toInt();
    const int matrixCount = hwDef.at(1).toInt();
    const int count = std::clamp(declared, 0, int((hwDef.size() - 2) / 6));

    // A key is as large as its picture in the skin; the skins share their key sizes.
    QHash<int, QSize> sizes;
    std::vector<PreviewKey> keys;
    faces.clear();
    for (int i = 0; i < count; ++i) {
        const int at = 2 + 6 * i;
        const int keyType = hwDef.at(at + 2).toInt();
        if (!sizes.contains(keyType))
            sizes.insert(keyType, QImageReader(keyPicture(skinNumber, keyType, 0)).size());
        const QSize size = sizes.value(keyType).expandedTo(QSize(0, 0));
        keys.push_back({hwDef.at(at + 4).toInt(), hwDef.at(at).toDouble(),
                        hwDef.at(at + 1).toDouble(), double(size.width()), double(size.height())});
        KeyFace face;
        face.keyType = keyType;
        face.name = hwDef.at(at + 3).toString();
        faces.push_back(face);
    }
    // The drawing is as large as the keys reach.
    double right = 0;
    double bottom = 0;
    for (const PreviewKey &key : keys) {
        right = std::max(right, key.x + key.width);
        bottom = std::max(bottom, key.y + key.height);
    }
    setImplicitSize(right, bottom);
    engine.setLayout(KeyLayout(std::move(keys), matrixCount));
    layOutLabels();
    background = {};
    restartTimer();
    changed();
}

void KeyboardPreview::play(int index)
{
    const bool other = index != engine.type();
    engine.play(index);
    restartTimer();
    if (other)
        Q_EMIT effectIndexChanged();
    Q_EMIT ticked();
    changed();
}

void KeyboardPreview::pressMatrix(int matrix)
{
    engine.press(matrix);
    changed();
}

QVariantList KeyboardPreview::getPic(int n) const
{
    QVariantList picture;
    for (int value : engine.picture(n))
        picture.append(value);
    return picture;
}

QVariantList KeyboardPreview::keyColours() const
{
    QVariantList list;
    const std::vector<KeyColour> shown = engine.shownColours();
    const std::vector<PreviewKey> &keys = engine.layout().keys();
    for (std::size_t k = 0; k < shown.size(); ++k)
        list.append(QVariantMap{{"swId", int(k)},
                                {"matrix", keys[k].matrix},
                                {"r", shown[k].r},
                                {"g", shown[k].g},
                                {"b", shown[k].b},
                                {"alpha", shown[k].alpha}});
    return list;
}

void KeyboardPreview::setBrightnessLV(int level)
{
    if (level == brightness)
        return;
    brightness = level;
    engine.setBrightnessLevel(level);
    Q_EMIT brightnessLVChanged();
    changed();
}

void KeyboardPreview::setSpeedLV(int value)
{
    if (value == speed)
        return;
    speed = value;
    restartTimer();
    Q_EMIT speedLVChanged();
}

void KeyboardPreview::setDirectLV(int wheel)
{
    if (wheel == direction)
        return;
    direction = wheel;
    engine.setDirection(wheel);
    Q_EMIT directLVChanged();
}

void KeyboardPreview::setColorIndex(int index)
{
    if (index == colour)
        return;
    colour = index;
    engine.setColourIndex(index);
    Q_EMIT colorIndexChanged();
    changed();
}

void KeyboardPreview::setPalette(const QVariantList &values)
{
    paletteValues = values;
    std::array<Rgb, 7> colours{};
    const auto value = [&values](int i) {
        return i < values.size() ? std::clamp(values.at(i).toInt(), 0, 255) : 0;
    };
    for (int c = 0; c < 7; ++c)
        colours[c] = {value(3 * c), value(3 * c + 1), value(3 * c + 2)};
    engine.setPalette(colours);
    Q_EMIT paletteChanged();
    changed();
}

void KeyboardPreview::setPicture(int n, const QVariantList &picture)
{
    std::vector<int> values;
    values.reserve(picture.size());
    for (const QVariant &value : picture)
        values.push_back(value.toInt());
    engine.setPicture(n, std::move(values));
    switch (n) {
    case 1:
        Q_EMIT pic01Changed();
        break;
    case 2:
        Q_EMIT pic02Changed();
        break;
    case 3:
        Q_EMIT pic03Changed();
        break;
    case 4:
        Q_EMIT pic04Changed();
        break;
    default:
        Q_EMIT pic05Changed();
        break;
    }
    Q_EMIT pictureChged(picture);
    changed();
}

void KeyboardPreview::setSkin(int number)
{
    if (number == skinNumber)
        return;
    skinNumber = number;
    background = {};
    Q_EMIT skinChanged();
    update();
}

void KeyboardPreview::setFontFamily(const QString &name)
{
    if (name == family)
        return;
    family = name;
    layOutLabels();
    background = {};
    Q_EMIT fontFamilyChanged();
    update();
}

void KeyboardPreview::restartTimer()
{
    const int ms = effectInterval(engine.type(), speed);
    if (ms != tickTimer.interval()) {
        tickTimer.setInterval(ms);
        Q_EMIT intervalChanged();
    }
    if (ms > 0)
        tickTimer.start();
    else
        tickTimer.stop();
}

void KeyboardPreview::onTick()
{
    if (emitsKeyTick(engine.type()))
        Q_EMIT tmrTrigged();
    engine.tick();
    Q_EMIT ticked();
    changed();
}

// Only a change the user could see costs a frame.
void KeyboardPreview::changed()
{
    if (!isVisible() || framePending || frameTimer.isActive())
        return;
    if (engine.shownColours() == painted)
        return;
    requestFrame();
}

void KeyboardPreview::requestFrame()
{
    const qint64 wait = minFrameGap - sinceFrame.elapsed();
    frameTimer.start(int(std::max<qint64>(wait, 0)));
}

void KeyboardPreview::layOutLabels()
{
    const QFont font = labelFont(family);
    const std::vector<PreviewKey> &keys = engine.layout().keys();
    for (std::size_t k = 0; k < faces.size() && k < keys.size(); ++k) {
        KeyFace &face = faces[k];
        face.label = QStaticText(face.name);
        face.label.setTextFormat(Qt::PlainText);
        face.label.prepare(QTransform(), font);
        const QSizeF size = face.label.size();
        face.labelAt = {keys[k].centreX() - size.width() / 2,
                        keys[k].centreY() - size.height() / 2};
    }
}

// The key caps and the faint white names never change with the effect: they are drawn once.
void KeyboardPreview::drawBackground()
{
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    background =
        QImage((QSizeF(width(), height()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    background.setDevicePixelRatio(ratio);
    background.fill(Qt::transparent);
    QPainter painter(&background);
    painter.setFont(labelFont(family));
    const std::vector<PreviewKey> &keys = engine.layout().keys();
    QHash<int, QImage> caps;
    for (std::size_t k = 0; k < faces.size(); ++k) {
        const KeyFace &face = faces[k];
        if (face.keyType != 0) {
            if (!caps.contains(face.keyType))
                caps.insert(face.keyType, QImage(keyPicture(skinNumber, face.keyType, 0)));
            painter.drawImage(QPointF(keys[k].x, keys[k].y), caps.value(face.keyType));
        }
        painter.setPen(QColor(255, 255, 255, 26));
        painter.drawStaticText(face.labelAt, face.label);
    }
}

QSGNode *KeyboardPreview::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data)
{
    // The scene graph syncs hidden items too. Hidden, the preview keeps what it had: its three
    // frame-sized images are made when it is first shown, and it is repainted whenever shown.
    if (!isVisible())
        return oldNode;
    return QQuickPaintedItem::updatePaintNode(oldNode, data);
}

void KeyboardPreview::paint(QPainter *painter)
{
    if (background.isNull() && width() > 0 && height() > 0)
        drawBackground();
    painter->drawImage(QPointF(0, 0), background);
    painter->setFont(labelFont(family));
    painted = engine.shownColours();
    framePending = false;
    for (std::size_t k = 0; k < painted.size() && k < faces.size(); ++k) {
        const KeyColour &c = painted[k];
        if (c.alpha <= 0)
            continue;
        painter->setPen(QColor(c.r, c.g, c.b, std::min(c.alpha, 255)));
        painter->drawStaticText(faces[k].labelAt, faces[k].label);
    }
    sinceFrame.restart();
}

void KeyboardPreview::setFrameInterval(int ms)
{
    if (ms == minFrameGap || ms < 0)
        return;
    minFrameGap = ms;
    Q_EMIT frameIntervalChanged();
}
