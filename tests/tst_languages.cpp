// The language list and the loading of one language.

#include "backend/qt4localenames.h"
#include "testworkspace.h"
#include "view/myqquickview.h"

#include <QFile>
#include <QTest>

class LanguagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayNames_data();
    void displayNames();
    void noLanguageFolder();
    void texts_data();
    void texts();
    void messagesFollowTheLanguage();
    void tableMatchesTheList();
};

void LanguagesTest::displayNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QVariantMap>("map");

    QTest::newRow("shipped codes")
        << QStringList{"lang_031000.ini", "lang_025044.ini", "lang_025208.ini", "lang_031225.ini"}
        << QVariantMap{{"ENGLISH", "031000"},
                       {"CHINESE (Simp)", "025044"},
                       {"CHINESE (Trad)", "025208"},
                       {"ENGLISH (UNITED STATES)", "031225"}};
    QTest::newRow("Qt 4 numbers, not Qt 6")
        << QStringList{"lang_059000.ini", "lang_066114.ini", "lang_111197.ini"}
        << QVariantMap{{"JAPANESE", "059000"},
                       {"KOREAN (SOUTH KOREA)", "066114"},
                       {"SPANISH (SPAIN)", "111197"}};
    // Serbian has two numbers in Qt 4.8; the later file in name order wins.
    QTest::newRow("same display name")
        << QStringList{"lang_101000.ini", "lang_100000.ini"} << QVariantMap{{"SERBIAN", "101000"}};
    QTest::newRow("beyond the enumerations")
        << QStringList{"lang_900999.ini"} << QVariantMap{{"UNKNOWN (UNKNOWN)", "900999"}};
    QTest::newRow("other files ignored")
        << QStringList{"lang_031000.ini", "lang_031000.txt", "readme.ini", "Lang_025044.ini"}
        << QVariantMap{{"ENGLISH", "031000"}, {"CHINESE (Simp)", "025044"}};
}

void LanguagesTest::displayNames()
{
    QFETCH(QStringList, files);
    QFETCH(QVariantMap, map);
    TestWorkspace workspace;
    for (const QString &file : files)
        workspace.writeFile(QStringLiteral("modules/i18n/") + file, "[font]\ntotal=0\n");
    myQQuickView view;
    const QVariantMap languages = view.chkLanguages();
    QCOMPARE(languages, map);
    for (const QVariant &code : languages)
        QCOMPARE(code.typeId(), QMetaType::QString);
}

void LanguagesTest::noLanguageFolder()
{
    TestWorkspace workspace;
    myQQuickView view;
    QCOMPARE(view.chkLanguages(), QVariantMap());
}

void LanguagesTest::texts_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("no file") << QByteArray() << QStringList{""} << QStringList(4);
    QTest::newRow("total 0") << QByteArray("[font]\nfamily=Liberation Sans\ntotal=0\n")
                             << QStringList{"Liberation Sans"} << QStringList(4);
    QTest::newRow("UTF-8 texts, missing ones empty")
        << QByteArray("[font]\nfamily=WenQuanYi Micro Hei\ntotal=3\ncs=x\n"
                      "[strings]\n1=\xe8\xae\xbe\xe7\xbd\xae\n3=Fn\n"
                      "[msg]\n0=\xe8\xad\xa6\xe5\x91\x8a\n2=Picture\n3=\"Cannot open: \"\n")
        << QStringList{"WenQuanYi Micro Hei", "\u8bbe\u7f6e", "", "Fn"}
        << QStringList{"\u8b66\u544a", "", "Picture", "Cannot open: "};
    QTest::newRow("negative total")
        << QByteArray("[font]\nfamily=F\ntotal=-2\n") << QStringList{"F"} << QStringList(4);
}

void LanguagesTest::texts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, messages);
    TestWorkspace workspace;
    if (!file.isNull())
        workspace.writeFile(QStringLiteral("modules/i18n/lang_025044.ini"), file);
    myQQuickView view;
    QCOMPARE(view.getGlobalStrings(QStringLiteral("025044")), texts);
    QCOMPARE(view.messageTexts().size(), myQQuickView::messageCount);
    QCOMPARE(view.messageTexts().mid(0, 4), messages);
}

// The picture warning and the macro warning use the language loaded last.
void LanguagesTest::messagesFollowTheLanguage()
{
    TestWorkspace workspace;
    workspace.writeFile(QStringLiteral("modules/i18n/lang_031000.ini"),
                        "[msg]\n0=Too long\n1=The macro is cut.\n2=Picture\n3=\"Cannot open \"\n");
    myQQuickView view;
    view.getGlobalStrings(QStringLiteral("031000"));
    QCOMPARE(view.messageTexts().mid(0, 4),
             (QStringList{"Too long", "The macro is cut.", "Picture", "Cannot open "}));
    view.getGlobalStrings(QStringLiteral("999999"));
    QCOMPARE(view.messageTexts(), QStringList(myQQuickView::messageCount));
}

// The compiled-in table is the list it was generated from.
void LanguagesTest::tableMatchesTheList()
{
    QFile list(QStringLiteral(R7_LOCALE_CODES));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    while (!list.atEnd()) {
        const QStringList fields = QString::fromUtf8(list.readLine()).trimmed().split(u'\t');
        if (fields.size() != 3 || fields.at(0).startsWith(u'#'))
            continue;
        if (fields.at(0) == QLatin1String("language"))
            QCOMPARE(qt4LanguageName(fields.at(1).toInt()), fields.at(2));
        else if (fields.at(0) == QLatin1String("country"))
            QCOMPARE(qt4CountryName(fields.at(1).toInt()), fields.at(2));
        else
            continue;
        ++rows;
    }
    QCOMPARE(rows, 235 + 247);
    QCOMPARE(qt4LanguageName(-1), QStringLiteral("Unknown"));
    QCOMPARE(qt4LanguageName(235), QStringLiteral("Unknown"));
    QCOMPARE(qt4CountryName(247), QStringLiteral("Unknown"));
}

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
