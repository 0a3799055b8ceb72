#include "cli/commandparser.h"

#include "cli/cliwords.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>

namespace
{
using Verb = CliCommand::Verb;

const QMap<QString, Verb> verbs{
    {QStringLiteral("status"), Verb::Status},     {QStringLiteral("profile"), Verb::Profile},
    {QStringLiteral("lighting"), Verb::Lighting}, {QStringLiteral("key"), Verb::Key},
    {QStringLiteral("gaming"), Verb::Gaming},     {QStringLiteral("list"), Verb::List},
    {QStringLiteral("import"), Verb::Import},     {QStringLiteral("export"), Verb::Export},
    {QStringLiteral("rule"), Verb::Rule},         {QStringLiteral("watch"), Verb::Watch},
};

// The options each command takes, all with a value but --json.
const QMap<QString, QStringList> commandOptions{
    {QStringLiteral("status"), {QStringLiteral("json")}},
    {QStringLiteral("lighting"),
     {QStringLiteral("brightness"), QStringLiteral("speed"), QStringLiteral("colour"),
      QStringLiteral("color"), QStringLiteral("direction")}},
    {QStringLiteral("import"), {QStringLiteral("profile"), QStringLiteral("macro")}},
    {QStringLiteral("export"), {QStringLiteral("profile"), QStringLiteral("macro")}},
};

const QStringList listTopics{QStringLiteral("profiles"), QStringLiteral("macros"),
                             QStringLiteral("effects"), QStringLiteral("keys"),
                             QStringLiteral("media")};

// The one-line usage of each command, which its help and its errors start with.
const QMap<QString, QString> usages{
    {QStringLiteral("status"), QStringLiteral("r7ctl status [--json]")},
    {QStringLiteral("profile"), QStringLiteral("r7ctl profile [N]")},
    {QStringLiteral("lighting"),
     QStringLiteral("r7ctl lighting EFFECT|picture N [--brightness 0-7] [--speed 1-7] "
                    "[--colour 1-7|loop] [--direction right|left]")},
    {QStringLiteral("key"), QStringLiteral("r7ctl key KEY TARGET | r7ctl key reset KEY|all")},
    {QStringLiteral("gaming"), QStringLiteral("r7ctl gaming on|off")},
    {QStringLiteral("list"), QStringLiteral("r7ctl list profiles|macros|effects|keys|media")},
    {QStringLiteral("import"),
     QStringLiteral("r7ctl import FILE.pf [--profile N] | r7ctl import FILE.mc --macro NAME")},
    {QStringLiteral("export"),
     QStringLiteral("r7ctl export [--profile N] FILE.pf | r7ctl export --macro NAME FILE.mc")},
    {QStringLiteral("rule"),
     QStringLiteral("r7ctl rule list | rule add class|title MATCH N | rule remove N | "
                    "rule default N|keep")},
    {QStringLiteral("watch"), QStringLiteral("r7ctl watch")},
};

const QMap<QString, QString> descriptions{
    {QStringLiteral("status"),
     QStringLiteral("Says whether the keyboard is connected and accepted, which profile is "
                    "current and its lighting.\n  --json  the same as one JSON object\n")},
    {QStringLiteral("profile"),
     QStringLiteral("Without N, prints the current profile (1 to the number of profiles).\n"
                    "With N, makes profile N current, as a click on it in the profile menu.\n")},
    {QStringLiteral("lighting"),
     QStringLiteral("Sets the lighting of the current profile, as Apply on the colour page.\n"
                    "EFFECT is one of: static breathing wave induction-darken marquee ripple\n"
                    "induction-brighten neon marquee-colorful raining marquee-circle spotlight;\n"
                    "\"picture 1\" to "
                    "\"picture 5\" show a user picture.\n"
                    "  --brightness 0-7        0 is off, 7 the brightest\n"
                    "  --speed 1-7             7 is the fastest\n"
                    "  --colour 1-7|loop       a palette colour, or all of them in turn\n"
                    "  --direction right|left\n"
                    "What is not given stays as the profile holds it.\n")},
    {QStringLiteral("key"),
     QStringLiteral("Gives KEY (its name on the key page, any case; see \"r7ctl list keys\") a "
                    "new function, as Apply on the key page:\n"
                    "  a standard key name (A, F5, Space, LCtrl, ...),\n"
                    "  a media function (see \"r7ctl list media\"),\n"
                    "  macro:NAME, a macro with a keyboard slot (see \"r7ctl list macros\").\n"
                    "\"key reset KEY\" gives KEY its own function back, \"key reset all\" every "
                    "key.\n")},
    {QStringLiteral("gaming"),
     QStringLiteral("Turns gaming mode on or off, as the key page's GAMING MODE box.\n")},
    {QStringLiteral("list"),
     QStringLiteral("Prints one name a line: the profiles, the macros, the lighting effects, "
                    "the key names or the media functions.\n")},
    {QStringLiteral("import"),
     QStringLiteral("Replaces a profile (the current one unless --profile N) or the macro "
                    "NAME by a file, after the same checks as the window: a refused file changes "
                    "nothing.\n")},
    {QStringLiteral("export"),
     QStringLiteral("Writes a profile (the current one unless --profile N) or the macro NAME "
                    "to a file.\n")},
    {QStringLiteral("rule"),
     QStringLiteral("Edits the rules \"r7ctl watch\" follows: which profile the window in front "
                    "calls for.\n"
                    "  list                   the rules, numbered, the first match wins\n"
                    "  add class NAME N       windows whose WM_CLASS (either part, any case) is "
                    "NAME\n"
                    "  add title PATTERN N    windows whose whole title matches PATTERN (\"*\" "
                    "and \"?\"\n"
                    "                         as wildcards, any case)\n"
                    "  remove N               rule N of the list\n"
                    "  default N|keep         the profile for windows no rule matches, or "
                    "\"keep\" to\n"
                    "                         leave the keyboard as it is\n"
                    "The rules are in setting/rules.bin in the user's data folder.\n")},
    {QStringLiteral("watch"),
     QStringLiteral("Follows the window in front on the X11 display and makes the keyboard's "
                    "profile the one\nthe rules give it (see \"r7ctl rule --help\"), until "
                    "stopped. A window that stays in front\nfor %1 ms is acted on; nothing is "
                    "sent when the keyboard is on that profile already.\nRules edited "
                    "meanwhile count at once. Without an X11 display it says so and exits "
                    "with 2.\n")},
};

CommandParser::Result refuse(const QString &command, const QString &why)
{
    QString error = QStringLiteral("r7ctl: %1\n").arg(why);
    if (usages.contains(command))
        error += QStringLiteral("Usage: %1\n").arg(usages.value(command));
    error += QStringLiteral("Try \"r7ctl %1--help\" for more.\n")
                 .arg(command.isEmpty() ? QString() : command + QLatin1Char(' '));
    return {std::nullopt, error};
}

std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// The most profiles a hardware definition may name; the model's own count is checked later.
constexpr int maxProfiles = 10;
} // namespace

CommandParser::Result CommandParser::parse(const QStringList &arguments, const QString &directory)
{
    CliCommand command;
    if (arguments.isEmpty())
        return refuse(QString(), QStringLiteral("no command given."));
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        command.verb = Verb::Help;
        command.topic = arguments.value(1);
        return {command, {}};
    }
    if (name == QLatin1String("--version")) {
        command.verb = Verb::Version;
        return {command, {}};
    }
    if (!verbs.contains(name))
        return refuse(QString(), QStringLiteral("\"%1\" is not a command.").arg(name));

    // The words and the options, in either order; "--" ends the options.
    QStringList words;
    QMap<QString, QString> options;
    const QStringList allowed = commandOptions.value(name);
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            words.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument == QLatin1String("--help")) {
            command.verb = Verb::Help;
            command.topic = name;
            return {command, {}};
        }
        QString option = argument.mid(2);
        QString value;
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
        }
        if (!allowed.contains(option))
            return refuse(name, QStringLiteral("\"%1\" takes no option --%2.").arg(name, option));
        if (option == QLatin1String("json")) {
            if (equals >= 0)
                return refuse(name, QStringLiteral("--json takes no value."));
        } else if (equals < 0) {
            if (i + 1 >= arguments.size())
                return refuse(name, QStringLiteral("--%1 needs a value.").arg(option));
            value = arguments.at(++i);
        }
        if (option == QLatin1String("color"))
            option = QStringLiteral("colour");
        if (options.contains(option))
            return refuse(name, QStringLiteral("--%1 is given twice.").arg(option));
        options.insert(option, value);
    }

    command.verb = verbs.value(name);
    command.json = options.contains(QStringLiteral("json"));
    const auto wordCount = [&](qsizetype low, qsizetype high) {
        return words.size() >= low && words.size() <= high;
    };
    switch (command.verb) {
    case Verb::Status:
        if (!wordCount(0, 0))
            return refuse(name, QStringLiteral("\"status\" takes no words."));
        break;
    case Verb::Profile:
        if (!wordCount(0, 1))
            return refuse(name, QStringLiteral("give at most one profile number."));
        if (!words.isEmpty()) {
            const std::optional<int> profile = number(words.first(), 1, maxProfiles);
            if (!profile)
                return refuse(name,
                              QStringLiteral("\"%1\" is not a profile number.").arg(words.first()));
            command.profile = *profile;
        }
        break;
    case Verb::Lighting: {
        if (words.isEmpty())
            return refuse(name, QStringLiteral("give an effect or \"picture N\"."));
        const QString effect = words.first().toLower();
        if (effect == QLatin1String("picture")) {
            const std::optional<int> picture =
                wordCount(2, 2) ? number(words.at(1), 1, CliWords::pictureCount) : std::nullopt;
            if (!picture)
                return refuse(name, QStringLiteral("give the user picture as 1 to 5."));
            command.lightingType = CliWords::firstPictureType + *picture - 1;
        } else {
            command.lightingType = int(CliWords::effectNames().indexOf(effect));
            if (command.lightingType < 0)
                return refuse(name, QStringLiteral("\"%1\" is not an effect; \"r7ctl list "
                                                   "effects\" names them.")
                                        .arg(words.first()));
            if (!wordCount(1, 1))
                return refuse(name, QStringLiteral("give one effect."));
        }
        if (options.contains(QStringLiteral("brightness"))) {
            const std::optional<int> level = number(options.value("brightness"), 0, 7);
            if (!level)
                return refuse(name, QStringLiteral("the brightness is 0 to 7."));
            command.brightnessLevel = *level;
        }
        if (options.contains(QStringLiteral("speed"))) {
            const std::optional<int> level = number(options.value("speed"), 1, 7);
            if (!level)
                return refuse(name, QStringLiteral("the speed is 1 to 7."));
            command.speedLevel = *level;
        }
        if (options.contains(QStringLiteral("colour"))) {
            const std::optional<int> colour = CliWords::colourIndex(options.value("colour"));
            if (!colour)
                return refuse(name, QStringLiteral("the colour is 1 to 7 or \"loop\"."));
            command.colour = *colour;
        }
        if (options.contains(QStringLiteral("direction"))) {
            const std::optional<int> direction = CliWords::direction(options.value("direction"));
            if (!direction)
                return refuse(name, QStringLiteral("the direction is \"right\" or \"left\"."));
            command.direction = *direction;
        }
        break;
    }
    case Verb::Key:
        if (!wordCount(2, 2))
            return refuse(name, QStringLiteral("give a key and what it is to do."));
        if (words.first().compare(QLatin1String("reset"), Qt::CaseInsensitive) == 0) {
            command.verb = Verb::KeyReset;
            command.key = words.at(1);
        } else {
            command.key = words.at(0);
            command.target = words.at(1);
        }
        break;
    case Verb::Gaming:
        if (!wordCount(1, 1) ||
            (words.first() != QLatin1String("on") && words.first() != QLatin1String("off")))
            return refuse(name, QStringLiteral("give \"on\" or \"off\"."));
        command.gamingOn = words.first() == QLatin1String("on");
        break;
    case Verb::List:
        if (!wordCount(1, 1) || !listTopics.contains(words.first()))
            return refuse(name, QStringLiteral("give what to list."));
        command.topic = words.first();
        break;
    case Verb::Import:
    case Verb::Export: {
        if (!wordCount(1, 1))
            return refuse(name, QStringLiteral("give one file."));
        command.file = QDir::cleanPath(QDir(directory).absoluteFilePath(words.first()));
        if (options.contains(QStringLiteral("profile")) &&
            options.contains(QStringLiteral("macro")))
            return refuse(name, QStringLiteral("give a profile or a macro, not both."));
        if (options.contains(QStringLiteral("profile"))) {
            const std::optional<int> profile =
                number(options.value(QStringLiteral("profile")), 1, maxProfiles);
            if (!profile)
                return refuse(name, QStringLiteral("\"%1\" is not a profile number.")
                                        .arg(options.value(QStringLiteral("profile"))));
            command.profile = *profile;
        }
        command.macro = options.value(QStringLiteral("macro"));
        if (options.contains(QStringLiteral("macro")) && command.macro.isEmpty())
            return refuse(name, QStringLiteral("give the macro's name."));
        break;
    }
    case Verb::Rule: {
        const QString action = words.value(0);
        command.topic = action;
        if (action == QLatin1String("list")) {
            if (!wordCount(1, 1))
                return refuse(name, QStringLiteral("\"rule list\" takes no more words."));
        } else if (action == QLatin1String("add")) {
            if (!wordCount(4, 4) ||
                (words.at(1) != QLatin1String("class") && words.at(1) != QLatin1String("title")))
                return refuse(name, QStringLiteral("give \"class\" or \"title\", what to match "
                                                   "and a profile number."));
            command.key = words.at(1);
            command.target = words.at(2);
            if (command.target.isEmpty())
                return refuse(name, QStringLiteral("give what to match."));
            const std::optional<int> profile = number(words.at(3), 1, maxProfiles);
            if (!profile)
                return refuse(name,
                              QStringLiteral("\"%1\" is not a profile number.").arg(words.at(3)));
            command.profile = *profile;
        } else if (action == QLatin1String("remove")) {
            const std::optional<int> rule =
                wordCount(2, 2) ? number(words.at(1), 1, 9999) : std::nullopt;
            if (!rule)
                return refuse(name, QStringLiteral("give the number of the rule, as \"r7ctl rule "
                                                   "list\" shows it."));
            command.rule = *rule;
        } else if (action == QLatin1String("default")) {
            if (!wordCount(2, 2))
                return refuse(name, QStringLiteral("give a profile number or \"keep\"."));
            if (words.at(1) != QLatin1String("keep")) {
                const std::optional<int> profile = number(words.at(1), 1, maxProfiles);
                if (!profile)
                    return refuse(name, QStringLiteral("\"%1\" is neither a profile number nor "
                                                       "\"keep\".")
                                            .arg(words.at(1)));
                command.profile = *profile;
            }
        } else {
            return refuse(name, QStringLiteral("give add, remove, list or default."));
        }
        break;
    }
    case Verb::Watch:
        if (!wordCount(0, 0))
            return refuse(name, QStringLiteral("\"watch\" takes no words."));
        break;
    case Verb::KeyReset:
    case Verb::Help:
    case Verb::Version:
        break;
    }
    return {command, {}};
}

QString CommandParser::help(const QString &command)
{
    if (usages.contains(command))
        return QStringLiteral("Usage: %1\n\n%2")
            .arg(usages.value(command), descriptions.value(command));
    QString text = QStringLiteral(
        "Usage: r7ctl COMMAND [ARGUMENTS]\n\n"
        "Configures the R7 keyboard from the command line, on the same files as the window.\n"
        "While the window runs, it carries the command out.\n\nCommands:\n");
    for (const QString &name : commandNames())
        text += QStringLiteral("  %1\n").arg(usages.value(name));
    text += QStringLiteral(
        "\n\"r7ctl COMMAND --help\" describes a command. Exit status: 0 done; 1 the keyboard is\n"
        "absent, refused or did not take the change; 2 bad usage, an unknown name, a value out\n"
        "of range or a refused file (nothing sent, nothing stored).\n");
    return text;
}

QString CommandParser::version()
{
    return QStringLiteral("r7ctl %1\n").arg(QCoreApplication::applicationVersion());
}

QStringList CommandParser::commandNames()
{
    return {QStringLiteral("status"), QStringLiteral("profile"), QStringLiteral("lighting"),
            QStringLiteral("key"),    QStringLiteral("gaming"),  QStringLiteral("list"),
            QStringLiteral("import"), QStringLiteral("export"),  QStringLiteral("rule"),
            QStringLiteral("watch")};
}
