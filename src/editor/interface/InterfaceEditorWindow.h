#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class QPushButton;

namespace kestrava::io { class AppFolder; }
namespace kestrava::interface { class InterfaceEditor; }

namespace kestrava::editor {

class ColourDialog;
class FontDialog;
class ScreenView;
class StandardDialogs;
class InterfaceBarDialog;
class PreviewSizeDialog;
class InterfaceTimerDialog;
class InterfaceWeaponDialog;

// "Редактор интерфейса": the preview of the game screen with the lives bar,
// ammunition bar, timer and weapon indicator, laid out with the pointer and
// the four modeless dialogs, and saved as the game's settings file. It shows
// interface::InterfaceEditor and forwards input to it; it lives, hidden when
// closed, as long as the main window, and so do its records.
class InterfaceEditorWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Редактор интерфейса");
    static inline const QString kSettingsFilter = QStringLiteral("Параметры конфигурации (*.ini)");
    static inline const QString kNothingChosen = QStringLiteral("Объект не выбран!");

    // font: the shared font dialog, for the timer.
    InterfaceEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, FontDialog& font, QWidget* parent = nullptr);
    ~InterfaceEditorWindow() override;

    interface::InterfaceEditor& editor() { return *m_editor; }
    void setColourDialog(std::unique_ptr<ColourDialog> dialog);
    // The project's folder, which the game's converter reads the settings
    // file from. Its settings file, when there is one, is read into the
    // editor (unless the editor holds unsaved changes made for this same
    // folder), and "Сохранить" offers it first; without one the layout of
    // another project is not carried over. A file that cannot be read is
    // named in a message, and "Сохранить" will not write over it.
    void setProjectFolder(const QString& folder);
    // The settings file "Сохранить" offers; empty when it starts in the folder.
    const QString& settingsFile() const { return m_settingsFile; }

    // Buttons; each runs through guarded().
    void ScreenSizeClick();
    void ScreenColourClick();
    void PropertiesClick();
    void SaveClick();
    void ExitClick();

    ScreenView* iscreen = nullptr;
    QComboBox* cbobject = nullptr;
    QPushButton* bScreenSize = nullptr;
    QPushButton* bScreenColour = nullptr;
    QPushButton* bProperties = nullptr;
    QPushButton* bSave = nullptr;
    QPushButton* bUndo = nullptr;
    QPushButton* bRedo = nullptr;
    QPushButton* bExit = nullptr;

    InterfaceBarDialog* frmBarSetup = nullptr;
    InterfaceTimerDialog* frmTimer = nullptr;
    InterfaceWeaponDialog* frmWeapon = nullptr;
    PreviewSizeDialog* frmScrSz = nullptr;

private:
    static void showModeless(QDialog* dialog);

    StandardDialogs& m_dialogs;
    std::unique_ptr<interface::InterfaceEditor> m_editor;
    std::unique_ptr<ColourDialog> m_colourDialog;
    QString m_saveFolder;
    QString m_projectFolder; // the folder whose settings the editor shows
    QString m_settingsFile;  // the file read, offered by "Сохранить"
    QString m_unreadable;    // a file that could not be read, never written over
};

} // namespace kestrava::editor
