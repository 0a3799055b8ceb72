#pragma once

#include "backend/backend.h"
#include "view/soundplayer.h"

#include <QElapsedTimer>
#include <QList>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>

#include <optional>

class Hid_Thread;
enum class FileRefusal;

// What the QML talks to: every action of the UI on files, sounds or the keyboard is one of its
// slots, each handing the work to the backend objects, which need no window. What stays here is
// the QML's own: the dialogs and message boxes, the UI text table, the calls into the QML root
// (reached only by invoking its functions by name) and the window's own files. Everything here
// runs on the GUI thread.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    // The device object; set once by the window right after the view is built.
    void setHidThread(Hid_Thread *hid);
    Backend &backend() { return objects; }
    SoundPlayer &soundPlayer() { return sounds; }

    // Called by the keyboard and mouse hooks.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint volkCode, uint x, uint y);

    // The second half of getCustomFilePath: the chosen picture must open, or the user is told
    // and the result is empty.
    QString acceptPicture(const QString &path) const;

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

protected:
    // The interface is made in steps after the first frame; what the user presses or types
    // meanwhile finds it complete.
    bool event(QEvent *event) override;

private:
    // Tells the user, in their language, why `file` was not imported.
    void showRefusal(FileRefusal refusal, const QString &file) const;
    // Tells the user once which damaged files the start set aside.
    void showSetAsideFiles();
    void showMacroTooLong() const;
    // `message`: keyboardNoticeMessage for a set, keyboardSilentMessage for a query.
    void tellKeyboardDidNotTakeChange(int message);
    void sendDeviceAccessMessage();

    Backend objects;
    SoundPlayer sounds{this, soundLibraryFile()};
    bool firstFrameShown = false;
    QStringList messages;
    // When the user was last told that the keyboard did not take a change, and which of the two
    // texts they were told: one notice covers every failure of its kind in the same few seconds
    // (the four planes of a picture, the queries of a page reload).
    QElapsedTimer lastKeyboardNotice;
    int lastKeyboardNoticeMessage = -1;
    struct AccessProblem {
        QString device;
        QString path;
        bool inUse = false;
    };
    std::optional<AccessProblem> accessProblem;
};
