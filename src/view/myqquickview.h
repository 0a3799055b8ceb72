#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>

class Hid_Thread;
class QMediaPlayer;
class QSettings;
enum class FileRefusal;

// The backend the QML talks to: every action of the UI on files, sounds or the keyboard is one
// of its slots. It reaches the QML only by invoking functions of the root object by name.
// Everything here runs on the GUI thread.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    // The device object; set once by the window right after the view is built. Lighting states
    // the keyboard reports are stored here, on the GUI thread.
    void setHidThread(Hid_Thread *hid);

    // Called by the keyboard and mouse hooks.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint volkCode, uint x, uint y);

    uchar layoutType() const { return kbLayoutType; }
    uchar activeProfile() const { return currentProfile; }
    uchar macroSlots() const { return maxMacro; }
    // Key name to USB usage, as the last firmware check built it from KeyCodeDef.bin.
    const QMap<QString, uchar> &keyNames() const { return keyNameToCode; }
    // The settings of profile `index`, or null when there is no such profile.
    QSettings *profileAt(int index) const;

    // The second half of getCustomFilePath: the chosen picture must open, or the user is told
    // and the result is empty.
    QString acceptPicture(const QString &path) const;

    // The second halves of loadMacroIniFromFile and saveMacroIniToFile, once the user has
    // chosen the other file. An import the strict reader refuses changes nothing and says why.
    FileRefusal importMacro(const QVariant &name, const QString &source);
    void exportMacro(const QVariant &name, const QString &target);

    // Sound player 0 to 4, for those who watch what plays; null until the first sound is
    // wanted.
    QMediaPlayer *mediaPlayer(int index) const;

    // The halves of loadProfile and saveProfile behind their dialogs. An index without a
    // profile does nothing; a source that cannot be read, or that the strict reader refuses,
    // leaves the profile as it was, and the import says why.
    FileRefusal importProfile(int profile, const QString &source);
    void exportProfile(int profile, const QString &target);
    // The message-box texts of the language loaded last.
    // The language's message texts, "msg/0" to "msg/<messageCount - 1>", empty where missing.
    static constexpr int messageCount = 40;
    // The text that tells the user the keyboard did not take a change.
    static constexpr int keyboardNoticeMessage = 30;
    // The keyboard did not answer a query: the pages show what the profile holds.
    static constexpr int keyboardSilentMessage = 31;
    // A macro's file could not be written; a macro without a keyboard slot cannot be bound.
    static constexpr int macroNotSavedMessage = 4;
    static constexpr int macroWithoutSlotMessage = 5;
    const QStringList &messageTexts() const { return messages; }

    // The keyboard is there but may not be opened: the window says which device, why and what
    // to do, in the user's language (again whenever the language changes), until hidden.
    void showDeviceAccessProblem(const QString &device, const QString &path, bool inUse);
    void hideDeviceAccessProblem();

public Q_SLOTS:
    void currentVersion(bool isMyKeyboard);
    void closeUI();
    void syncFW();
    void initUI();
    void zzzMorvel();
    void runUI();
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();
    void openUpdateExe();
    QVariantList loadUsbStr();
    QVariantList loadUsbCode();
    bool getIsSkinShow();
    uchar getMaxProfile();
    void loadMacroIniFromFile(QVariant name);
    void saveMacroIniToFile(QVariant name);
    void renameMacroIniFile(QVariant oldName, QVariant newName);
    QString getCustomFilePath();
    void initMacroIni(uchar macroCount);
    QVariant createMacroIni();
    QVariant deleteMacroIni(QVariant name);
    QStringList getMacroIniNames();
    QVariant saveMacroIni(QVariant name, QStringList macros);
    QStringList loadMacroIni(QVariant name);
    QVariantList loadMacroIniConfig(QVariant name);
    void setMacroIniConfig(QVariant name, QVariantList config);
    QList<uchar> macroIncode(QStringList macros, QVariant repeatTimes);
    QVariant getMacroRepeat(QVariant name);
    void ui_10H_SetMacroKey(QVariant macroId, QVariant name);
    void setGlobalInt(QVariant key, QVariant tmpdata);
    QVariant getGlobalData(QVariant key);

    void saveApConfig(QVariantList apConfigs);
    QVariantList loadApConfig();
    void resetApconfig();
    QVariantList loadHWDef();

    void loadProfile(int profile);
    QVariant loadDefaultProfile(QString key);
    void saveProfile(int profile);
    void resetProfile(int profile);

    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QString langCode);

    void syncLed();
    QVariantList getKeydefine(QVariant matrixId);
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetKeyboardMode(uchar mode);
    void ui_04H_SetButtonSensitivity(uchar sens1);
    void ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction, uchar color,
                           uchar bl0, uchar bl1);
    void ui_0C0DH_SetKeyMatrix(QVariantList src256);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src384);
    void ui_13H_SetRecoveryData();
    void ui_21H_SetCurrentProfile(int profile);
    void ui_30H_SetColor(QVariantList src21);
    QString ui_80H_GetFWVersion();
    QVariant ui_80H_GetHWMode();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetKeyboardMode();
    QVariant ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariantList ui_8C8DH_GetKeyMatrix();
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariant ui_A1H_GetCurrentProfile();
    QVariantList ui_B0H_GetColor();

    // Message `message` of the language in use as a short notice over the window.
    void showNotice(int message);

private:
    // Tells the user, in their language, why `file` was not imported.
    void showRefusal(FileRefusal refusal, const QString &file) const;
    // Tells the user once which damaged files the start set aside.
    void showSetAsideFiles();
    void storeLedState(const QVariantList &ledType);
    bool mediaPlayersReady();

    // `message`: keyboardNoticeMessage for a set, keyboardSilentMessage for a query.
    void tellKeyboardDidNotTakeChange(int message);
    void createMediaPlayers();
    void silence(QMediaPlayer *player);
    void playSound(int index);
    void firstFrameRendered();
    // The settings of the active profile, or null when the keyboard reported one we have not.
    QSettings *currentProfileSettings() const { return profileAt(currentProfile); }
    QString keydefineKey(const QString &position) const;
    void sendDeviceAccessMessage();

    QPointer<Hid_Thread> hidThread;
    // Sounds play only while this is set; the background track restarts regardless.
    bool audioEnabled = true;
    // Children of the view, each with its own audio output; made for the first sound wanted.
    std::array<QMediaPlayer *, 5> mediaObjects{};
    // Sounds asked for before the window's first frame, played once it is out.
    QList<int> pendingSounds;
    // Players silenced while still loading, stopped once they have loaded.
    std::array<bool, 5> silenceWhenLoaded{};
    bool firstFrameShown = false;
    // Owned; opened in the constructor, deleted (and so written out) with the view.
    QSettings *apConfig = nullptr;
    QList<QSettings *> profileSettings;
    // Index into profileSettings, as the keyboard reported it: check it before use.
    uchar currentProfile = 0;
    QStringList messages;
    // When the user was last told that the keyboard did not take a change, and which of the two
    // texts they were told: one notice covers every failure of its kind in the same few seconds
    // (the four planes of a picture, the queries of a page reload).
    QElapsedTimer lastKeyboardNotice;
    int lastKeyboardNoticeMessage = -1;

    // Stored files the start found damaged, under the names they were set aside as; shown once
    // when the interface runs.
    QStringList setAsideFiles;
    uchar kbLayoutType = 0;
    uchar maxMacro = 0;
    uchar maxProfile = 0;
    QMap<QString, uchar> keyNameToCode;
    struct AccessProblem {
        QString device;
        QString path;
        bool inUse = false;
    };
    std::optional<AccessProblem> accessProblem;
};
