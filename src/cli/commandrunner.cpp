#include "cli/commandrunner.h"

#include "backend/backend.h"
#include "backend/profilerules.h"
#include "cli/clilog.h"
#include "cli/cliwords.h"
#include "cli/commandfront.h"
#include "cli/commandparser.h"
#include "storage/strictsettingsreader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cmath>

namespace
{
using Verb = CliCommand::Verb;

// The key page writes every position of the matrix; Fn stays itself.
constexpr int matrixPositions = 128;
constexpr int lockedMatrix = 89;
constexpr int macroKeyBase = 0x4100;
// Every supported keyboard is driven with the key table of layout 1.
constexpr uchar keyLayout = 1;
constexpr int settleTimeoutMs = 10000;

QString refusalText(FileRefusal refusal)
{
    switch (refusal) {
    case FileRefusal::Unreadable:
        return QStringLiteral("The file cannot be read.");
    case FileRefusal::TooLarge:
        return QStringLiteral("The file is larger than 1 MB, and a profile or a macro takes only "
                              "a few kilobytes.");
    case FileRefusal::NotText:
        return QStringLiteral("The file is not a settings file of this program: it holds binary "
                              "data or is cut off.");
    case FileRefusal::Encoded:
        return QStringLiteral("The file holds encoded data that this program never writes.");
    case FileRefusal::UnknownKey:
        return QStringLiteral("The file holds settings that do not belong in this kind of file.");
    case FileRefusal::BadValue:
        return QStringLiteral("A value in the file has the wrong form: not a whole number, out "
                              "of range, or a list of the wrong length.");
    case FileRefusal::NoKnownKey:
        return QStringLiteral("The file holds none of the settings of this kind of file.");
    case FileRefusal::None:
        break;
    }
    return QString();
}

int byteValue(const QVariant &value)
{
    return std::clamp(value.toInt(), 0, 255);
}

QVariantList byteValues(const QVariantList &values)
{
    QVariantList bytes;
    for (const QVariant &value : values)
        bytes.append(byteValue(value));
    return bytes;
}

// The colour page's slider level of a stored speed 1-7 (fastest 1); anything else is level 1.
int speedLevelOf(int speed)
{
    return speed >= 1 && speed < 7 ? 8 - speed : 1;
}

// The profile's lighting as the colour page shows it, or the factory lighting where the profile
// holds none.
QVariantList storedLighting(DeviceBridge &bridge)
{
    QVariantList led = bridge.ui_88H_GetLEDType();
    if (led.size() < 7)
        led = ProfileStore::factoryValue(QStringLiteral("color/ledType")).toList();
    while (led.size() < 7)
        led.append(0);
    return led;
}
} // namespace

CommandRunner::CommandRunner(Backend &objects, CommandFront &commandFront)
    : backend(objects), front(commandFront)
{
    connect(&backend.bridge(), &DeviceBridge::commandNotTaken, this,
            [this](uchar) { changeRefused = true; });
}

CliResult CommandRunner::run(const CliCommand &command)
{
    changeRefused = false;
    switch (command.verb) {
    case Verb::Help:
        return CliResult::done(CommandParser::help(command.topic));
    case Verb::Version:
        return CliResult::done(CommandParser::version());
    case Verb::Status:
        return status(command.json);
    case Verb::Profile:
        return profile(command.profile);
    case Verb::Lighting:
        return lighting(command);
    case Verb::Key:
        return key(command.key, command.target);
    case Verb::KeyReset:
        return resetKey(command.key);
    case Verb::Gaming:
        return gaming(command.gamingOn);
    case Verb::List:
        return list(command.topic);
    case Verb::Import:
        return importFile(command);
    case Verb::Export:
        return exportFile(command);
    case Verb::Rule:
        return rule(command);
    case Verb::Watch:
        // It runs until stopped, so it is not a command the window carries out for r7ctl.
        return CliResult::badUsage(
            QStringLiteral("r7ctl: \"watch\" runs on its own, not in the window.\n"));
    }
    return CliResult::badUsage(QStringLiteral("r7ctl: unknown command.\n"));
}

QString CommandRunner::keyboardProblem()
{
    if (!keyboardPrepared) {
        front.prepareKeyboard();
        keyboardPrepared = true;
    }
    const Hid_Thread *hid = backend.bridge().device();
    if (!hid || hid->devices().value(hid->selectedDevice()).commandPath.isEmpty())
        return QStringLiteral("r7ctl: no R7 keyboard is connected. Plug it in (or check the "
                              "keyboard access rule, see the README) and try again.\n");
    if (!hid->isKeyboardAccepted())
        return QStringLiteral("r7ctl: the keyboard's firmware is not one this program supports; "
                              "nothing was sent.\n");
    return QString();
}

bool CommandRunner::settle()
{
    const Hid_Thread *hid = backend.bridge().device();
    const QDeadlineTimer deadline(settleTimeoutMs);
    while (hid && !hid->isTransportIdle() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    // The failures arrive as queued signals.
    QCoreApplication::processEvents();
    return !changeRefused && !deadline.hasExpired();
}

CliResult CommandRunner::status(bool json)
{
    const QString problem = keyboardProblem();
    const Hid_Thread *hid = backend.bridge().device();
    const bool connected =
        hid && !hid->devices().value(hid->selectedDevice()).commandPath.isEmpty();
    const bool accepted = connected && hid->isKeyboardAccepted();
    const int current = int(backend.profiles().activeIndex()) + 1;
    const QVariantList led = storedLighting(backend.bridge());
    const int type = led.at(0).toInt();
    const int brightness = int(std::lround(led.at(1).toInt() * 7 / 63.0));
    const int speed = speedLevelOf(led.at(2).toInt());
    const QString direction = CliWords::directionWord(led.at(3).toInt());
    const QString colour = CliWords::colourWord(led.at(4).toInt());

    CliResult result = CliResult::done();
    if (json) {
        QJsonObject object{{QStringLiteral("connected"), connected},
                           {QStringLiteral("accepted"), accepted}};
        if (accepted) {
            object.insert(QStringLiteral("profile"), current);
            object.insert(QStringLiteral("profiles"), backend.profiles().count());
            object.insert(QStringLiteral("lighting"),
                          QJsonObject{{QStringLiteral("effect"), CliWords::lightingName(type)},
                                      {QStringLiteral("brightness"), brightness},
                                      {QStringLiteral("speed"), speed},
                                      {QStringLiteral("direction"), direction},
                                      {QStringLiteral("colour"), colour}});
        }
        result.out = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
                     QLatin1Char('\n');
    } else {
        result.out = QStringLiteral("Keyboard: %1\n")
                         .arg(!connected ? QStringLiteral("not connected")
                              : accepted ? QStringLiteral("connected, firmware accepted")
                                         : QStringLiteral("connected, firmware refused"));
        if (accepted)
            result.out +=
                QStringLiteral("Profile: %1 of %2\nLighting: %3, brightness %4 of 7, "
                               "speed %5 of 7, %6, colour %7\n")
                    .arg(current)
                    .arg(backend.profiles().count())
                    .arg(CliWords::lightingName(type).isEmpty() ? QStringLiteral("unknown")
                                                                : CliWords::lightingName(type))
                    .arg(brightness)
                    .arg(speed)
                    .arg(direction, colour);
    }
    if (!problem.isEmpty()) {
        result.status = CliResult::KeyboardProblem;
        result.err = problem;
    }
    return result;
}

CliResult CommandRunner::profile(int profile)
{
    if (profile > backend.profiles().count())
        return CliResult::badUsage(
            QStringLiteral("r7ctl: there is no profile %1; the keyboard has %2.\n")
                .arg(profile)
                .arg(backend.profiles().count()));
    const QString problem = keyboardProblem();
    if (!problem.isEmpty())
        return CliResult::keyboardProblem(problem);
    const int current = int(backend.profiles().activeIndex());
    if (profile == 0)
        return CliResult::done(QString::number(current + 1) + QLatin1Char('\n'));
    // Choosing the current profile again sends nothing, as in the menu.
    if (profile - 1 != current)
        front.chooseProfile(profile - 1);
    if (!settle())
        return CliResult::keyboardProblem(
            QStringLiteral("r7ctl: the keyboard did not take the profile switch. Check that it "
                           "is plugged in and try again.\n"));
    return CliResult::done();
}

CliResult CommandRunner::lighting(const CliCommand &command)
{
    const QString problem = keyboardProblem();
    if (!problem.isEmpty())
        return CliResult::keyboardProblem(problem);
    DeviceBridge &bridge = backend.bridge();
    const QVariantList led = storedLighting(bridge);
    const int storedBrightness = led.at(1).toInt();
    const int brightnessLevel = command.brightnessLevel >= 0 ? command.brightnessLevel
                                : storedBrightness >= 0 && storedBrightness <= 63
                                    ? int(std::lround(storedBrightness * 7 / 63.0))
                                    : 7;
    const int speedLevel =
        command.speedLevel >= 0 ? command.speedLevel : speedLevelOf(led.at(2).toInt());
    const int direction = command.direction >= 0 ? command.direction : led.at(3).toInt() & 1;
    const int colour = command.colour >= 0 ? command.colour : led.at(4).toInt();

    // What the colour page's Apply sends: the palette, every user picture (the shown one to
    // the keyboard, the others only into the profile), then the lighting.
    QVariantList colours = bridge.ui_B0H_GetColor();
    if (colours.size() < 21)
        colours = ProfileStore::factoryValue(QStringLiteral("color/color")).toList();
    bridge.ui_30H_SetColor(byteValues(colours.mid(0, 21)));
    for (int i = 0; i < CliWords::pictureCount; ++i)
        bridge.ui_12H_SetUserPicture(
            uchar(i), command.lightingType == CliWords::firstPictureType + i ? 0 : 255,
            byteValues(bridge.ui_92H_GetUserPicture(uchar(i))));
    bridge.ui_08H_SetLEDType(uchar(command.lightingType),
                             uchar(std::lround(brightnessLevel * 63 / 7.0)), uchar(8 - speedLevel),
                             uchar(direction), uchar(colour), uchar(led.at(5).toInt() & 0xFF),
                             uchar(led.at(6).toInt() & 0xFF));
    const bool taken = settle();
    front.reloadPages();
    if (!taken)
        return CliResult::keyboardProblem(
            QStringLiteral("r7ctl: the keyboard did not take the lighting. Check that it is "
                           "plugged in and try again.\n"));
    return CliResult::done();
}

int CommandRunner::keyPosition(const QString &name) const
{
    const QVariantList keys = backend.hardware().keys(keyLayout);
    for (qsizetype at = 2; at + 5 < keys.size(); at += 6)
        if (keys.at(at + 3).toString().compare(name, Qt::CaseInsensitive) == 0)
            return keys.at(at + 4).toInt();
    return -1;
}

QList<int> CommandRunner::storedMatrix() const
{
    QList<int> codes;
    for (int i = 0; i < matrixPositions; ++i) {
        const QVariantList pair = backend.bridge().getKeydefine(i);
        codes.append((pair.value(0).toInt() & 0xFF) | ((pair.value(1).toInt() << 8) & 0xFF00));
    }
    return codes;
}

CliResult CommandRunner::sendMatrix(const QList<int> &codes, const QString &done)
{
    QVariantList bytes;
    for (const int code : codes)
        bytes << (code & 0xFF) << ((code >> 8) & 0xFF);
    backend.bridge().ui_0C0DH_SetKeyMatrix(bytes);
    const bool taken = settle();
    front.reloadPages();
    if (!taken)
        return CliResult::keyboardProblem(
            QStringLiteral("r7ctl: the keyboard did not take the key assignment. Check that it "
                           "is plugged in and try again.\n"));
    return CliResult::done(done);
}

CliResult CommandRunner::key(const QString &key, const QString &target)
{
    const int position = keyPosition(key);
    if (position < 0)
        return CliResult::badUsage(QStringLiteral("r7ctl: the keyboard has no key \"%1\"; "
                                                  "\"r7ctl list keys\" names them.\n")
                                       .arg(key));
    if (position == lockedMatrix || position >= matrixPositions)
        return CliResult::badUsage(
            QStringLiteral("r7ctl: the key \"%1\" cannot be given another function.\n").arg(key));

    int code = -1;
    QString macro;
    if (target.startsWith(QLatin1String("macro:"), Qt::CaseInsensitive)) {
        macro = target.mid(6);
        if (!backend.macros().exists(macro))
            return CliResult::badUsage(QStringLiteral("r7ctl: there is no macro \"%1\"; \"r7ctl "
                                                      "list macros\" names them.\n")
                                           .arg(macro));
        bool valid = false;
        const int slot = backend.macros().loadMacroIniConfig(macro).value(0).toInt(&valid);
        if (!valid || slot < 0 || slot > 0xFF)
            return CliResult::badUsage(
                QStringLiteral("r7ctl: the macro \"%1\" has no keyboard slot, so no key can "
                               "play it.\n")
                    .arg(macro));
        code = macroKeyBase | slot;
    } else if (const std::optional<int> media = CliWords::mediaCode(target)) {
        code = *media;
    } else {
        const QVariantList names = backend.hardware().keyNames();
        const QVariantList codes = backend.hardware().keyCodes();
        for (qsizetype i = 0; i < std::min(names.size(), codes.size()) && code < 0; ++i)
            if (names.at(i).toString().compare(target, Qt::CaseInsensitive) == 0)
                code = codes.at(i).toInt() & 0xFF;
    }
    if (code < 0)
        return CliResult::badUsage(
            QStringLiteral("r7ctl: \"%1\" is neither a key, a media function nor macro:NAME; "
                           "\"r7ctl list keys\" and \"r7ctl list media\" name them.\n")
                .arg(target));

    const QString problem = keyboardProblem();
    if (!problem.isEmpty())
        return CliResult::keyboardProblem(problem);
    // A macro goes to its slot first, with repeat 1, as when the key page's list chooses it.
    if (!macro.isEmpty()) {
        QVariantList config = backend.macros().loadMacroIniConfig(macro);
        while (config.size() < 3)
            config.append(0);
        config[2] = 1;
        backend.macros().setMacroIniConfig(macro, config);
        backend.macros().ui_10H_SetMacroKey(code & 0xFF, macro);
    }
    QList<int> codes = storedMatrix();
    codes[position] = code;
    return sendMatrix(codes, QString());
}

CliResult CommandRunner::resetKey(const QString &key)
{
    const bool all = key.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0;
    const int position = all ? -1 : keyPosition(key);
    if (!all && (position < 0 || position == lockedMatrix || position >= matrixPositions))
        return CliResult::badUsage(QStringLiteral("r7ctl: the keyboard has no key \"%1\" to "
                                                  "reset; \"r7ctl list keys\" names them.\n")
                                       .arg(key));
    const QString problem = keyboardProblem();
    if (!problem.isEmpty())
        return CliResult::keyboardProblem(problem);

    // The key layout's own codes; the positions it has no key for are 0, and those beyond its
    // positions keep what the profile holds.
    const QVariantList keys = backend.hardware().keys(keyLayout);
    const int positions = std::min(matrixPositions, keys.value(1).toInt());
    QList<int> defaults = storedMatrix();
    for (int i = 0; i < positions; ++i)
        defaults[i] = 0;
    for (qsizetype at = 2; at + 5 < keys.size(); at += 6) {
        const int matrix = keys.at(at + 4).toInt();
        if (matrix >= 0 && matrix < matrixPositions)
            defaults[matrix] = keys.at(at + 5).toInt();
    }
    QList<int> codes = storedMatrix();
    if (all)
        codes = defaults;
    else
        codes[position] = defaults.at(position);
    return sendMatrix(codes, QString());
}

CliResult CommandRunner::gaming(bool on)
{
    const QString problem = keyboardProblem();
    if (!problem.isEmpty())
        return CliResult::keyboardProblem(problem);
    backend.bridge().ui_02H_SetKeyboardMode(on ? 1 : 0);
    const bool taken = settle();
    front.reloadPages();
    if (!taken)
        return CliResult::keyboardProblem(
            QStringLiteral("r7ctl: the keyboard did not take gaming mode. Check that it is "
                           "plugged in and try again.\n"));
    return CliResult::done();
}

CliResult CommandRunner::list(const QString &topic)
{
    QStringList names;
    if (topic == QLatin1String("profiles")) {
        for (int i = 1; i <= backend.profiles().count(); ++i)
            names.append(QString::number(i));
    } else if (topic == QLatin1String("macros")) {
        for (const QString &file : backend.macros().getMacroIniNames())
            names.append(file.chopped(4));
    } else if (topic == QLatin1String("effects")) {
        names = CliWords::effectNames();
        for (int i = 1; i <= CliWords::pictureCount; ++i)
            names.append(QStringLiteral("picture %1").arg(i));
    } else if (topic == QLatin1String("keys")) {
        const QVariantList keys = backend.hardware().keys(keyLayout);
        for (qsizetype at = 2; at + 5 < keys.size(); at += 6)
            if (keys.at(at + 4).toInt() != lockedMatrix)
                names.append(keys.at(at + 3).toString());
    } else {
        names = CliWords::mediaNames();
    }
    return CliResult::done(names.isEmpty() ? QString() : names.join(QLatin1Char('\n')) + '\n');
}

CliResult CommandRunner::rule(const CliCommand &command)
{
    const QString file = RuleFiles::path();
    const int profileCount = backend.profiles().count();
    const ProfileRules rules = ProfileRules::load(file, profileCount);
    QString faults;
    for (const QString &problem : rules.problems())
        faults += QStringLiteral("r7ctl: %1: %2\n").arg(file, problem);
    const RuleFiles::Content &content = rules.content();
    if (command.topic == QLatin1String("list")) {
        QString out;
        for (qsizetype i = 0; i < content.rules.size(); ++i) {
            const RuleFiles::Record &record = content.rules.at(i);
            out +=
                QStringLiteral("%1 %2 \"%3\" profile %4\n")
                    .arg(i + 1)
                    .arg(record.title.isEmpty() ? QStringLiteral("class") : QStringLiteral("title"),
                         record.title.isEmpty() ? record.windowClass : record.title)
                    .arg(record.profile);
        }
        out += content.defaultProfile == 0
                   ? QStringLiteral("default keep\n")
                   : QStringLiteral("default profile %1\n").arg(content.defaultProfile);
        return {faults.isEmpty() ? CliResult::Done : CliResult::BadUsage, out, faults};
    }
    // Writing back only the rules that were understood would lose the others.
    if (!faults.isEmpty())
        return CliResult::badUsage(faults + QStringLiteral("r7ctl: the rules file is left as it "
                                                           "is; correct or remove the rules "
                                                           "named above first.\n"));
    if (command.profile > profileCount)
        return CliResult::badUsage(
            QStringLiteral("r7ctl: there is no profile %1; the keyboard has %2.\n")
                .arg(command.profile)
                .arg(profileCount));
    QList<RuleFiles::Record> records = content.rules;
    int defaultProfile = content.defaultProfile;
    if (command.topic == QLatin1String("add")) {
        RuleFiles::Record record;
        (command.key == QLatin1String("class") ? record.windowClass : record.title) =
            command.target;
        record.profile = command.profile;
        records.append(record);
    } else if (command.topic == QLatin1String("remove")) {
        if (command.rule > records.size())
            return CliResult::badUsage(
                QStringLiteral("r7ctl: there is no rule %1; \"r7ctl rule list\" shows the %2 "
                               "there are.\n")
                    .arg(command.rule)
                    .arg(records.size()));
        records.removeAt(command.rule - 1);
    } else {
        defaultProfile = command.profile;
    }
    if (!RuleFiles::write(file, records, defaultProfile))
        return CliResult::badUsage(
            QStringLiteral("r7ctl: %1 cannot be written; it is left as it was.\n").arg(file));
    return CliResult::done();
}

int CommandRunner::fileProfile(const CliCommand &command, CliResult &error)
{
    if (command.profile > backend.profiles().count()) {
        error = CliResult::badUsage(
            QStringLiteral("r7ctl: there is no profile %1; the keyboard has %2.\n")
                .arg(command.profile)
                .arg(backend.profiles().count()));
        return -1;
    }
    if (command.profile > 0)
        return command.profile - 1;
    // The current profile is the keyboard's; without a keyboard say which one.
    if (!keyboardProblem().isEmpty()) {
        error = CliResult::keyboardProblem(
            QStringLiteral("r7ctl: without the keyboard the current profile is not known; give "
                           "it with --profile N.\n"));
        return -1;
    }
    return int(backend.profiles().activeIndex());
}

CliResult CommandRunner::importFile(const CliCommand &command)
{
    if (!command.macro.isEmpty()) {
        if (!backend.macros().exists(command.macro))
            return CliResult::badUsage(QStringLiteral("r7ctl: there is no macro \"%1\"; \"r7ctl "
                                                      "list macros\" names them.\n")
                                           .arg(command.macro));
        const FileRefusal refusal = backend.macros().importMacro(command.macro, command.file);
        if (refusal != FileRefusal::None)
            return CliResult::badUsage(QStringLiteral("r7ctl: %1 was not imported. %2 Nothing "
                                                      "was changed.\n")
                                           .arg(command.file, refusalText(refusal)));
        return CliResult::done();
    }
    CliResult error;
    const int profile = fileProfile(command, error);
    if (profile < 0)
        return error;
    const FileRefusal refusal = backend.profiles().importProfile(profile, command.file);
    if (refusal != FileRefusal::None)
        return CliResult::badUsage(
            QStringLiteral("r7ctl: %1 was not imported. %2 Nothing was changed.\n")
                .arg(command.file, refusalText(refusal)));
    // An imported current profile is chosen again, so the keyboard and the pages take it.
    if (keyboardProblem().isEmpty() && profile == int(backend.profiles().activeIndex())) {
        front.chooseProfile(profile);
        if (!settle())
            return CliResult::keyboardProblem(
                QStringLiteral("r7ctl: the profile was imported, but the keyboard did not take "
                               "it. Check that it is plugged in and run \"r7ctl profile %1\".\n")
                    .arg(profile + 1));
    }
    return CliResult::done();
}

CliResult CommandRunner::exportFile(const CliCommand &command)
{
    bool written = false;
    if (!command.macro.isEmpty()) {
        if (!backend.macros().exists(command.macro))
            return CliResult::badUsage(QStringLiteral("r7ctl: there is no macro \"%1\"; \"r7ctl "
                                                      "list macros\" names them.\n")
                                           .arg(command.macro));
        written = backend.macros().exportMacro(command.macro, command.file);
    } else {
        CliResult error;
        const int profile = fileProfile(command, error);
        if (profile < 0)
            return error;
        written = backend.profiles().exportProfile(profile, command.file);
    }
    if (!written)
        return CliResult::badUsage(QStringLiteral("r7ctl: cannot write %1. Check that its folder "
                                                  "exists and may be written.\n")
                                       .arg(command.file));
    qCDebug(lcCli) << "Exported to" << QFileInfo(command.file).absoluteFilePath();
    return CliResult::done();
}
