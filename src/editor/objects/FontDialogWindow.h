#pragma once

#include "editor/common/FontDialog.h"
#include "objects/FontRecord.h"
#include "undo/History.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class QPushButton;
class QRadioButton;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

class ColourDialog;
class StandardDialogs;

// "Свойства шрифта": the font dialog, which is also the text object editor.
// As a font dialog (the game interface settings) it takes a font record
// with SetFont and gives one back with GetFont; as the text object editor
// "Сохранить" writes the font and the text box as an .obt and closes it.
// Its file dialogs go through the standard dialogs seam, the colour
// through setColourDialog.
class FontDialogWindow : public QDialog, public FontDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Свойства шрифта");
    static inline const QString kObjectFilter = QStringLiteral("файл текстового объекта (*.obt)");

    FontDialogWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~FontDialogWindow() override;

    void setColourDialog(std::unique_ptr<ColourDialog> dialog);

    objects::FontRecord GetFont() const override;
    // Choices outside the record's ranges leave the face at the first
    // choice and the size unchosen; the colour keeps its low three bytes.
    void SetFont(const objects::FontRecord& font) override;
    QDialog* dialog() override { return this; }
    // Section "Font" of the settings file at path; throws io::Error.
    void WriteFontToINI(const QString& path) const;

    // Made the text object editor: closing it with a font or text not saved
    // asks "Сохранить объект?" first. The shared font dialog never asks.
    void setTextObjectEditor(bool on);
    bool isModified() const;
    // What the text may show in braces ("{очки}"): offered by "Вставить
    // значение", and a text naming anything else is refused at saving.
    void setTextValues(const QStringList& names);

    // "Сохранить"; true when the text object was written (the window then closes).
    bool N_SaveClick();
    // A click on the colour swatch.
    void ColourClick();

    QAction* N_Save = nullptr;
    std::array<QRadioButton*, objects::FontRecord::kFaces> rbFace{};
    std::array<QRadioButton*, objects::FontRecord::kSizes> rbSize{};
    QCheckBox* cbBold = nullptr;
    QCheckBox* cbItalic = nullptr;
    QCheckBox* cbUnderline = nullptr;
    QPushButton* bColour = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QToolButton* bValue = nullptr; // "Вставить значение"

signals:
    // Any choice changed (an interface settings preview may follow it).
    void fontChanged();

public slots:
    void reject() override;

private:
    // The text object as shown: what its history keeps.
    struct Shown {
        objects::FontRecord font;
        QString text;
        bool operator==(const Shown&) const = default;
    };
    Shown shown() const;
    // What is shown now is what was saved last (or shown first): the history starts anew.
    void markSaved();
    // A choice or the text changed: the step from what was saved follows it.
    void follow();
    void showState(const Shown& state);

    void showColour();
    void showSample();

    const io::AppFolder& m_app;
    StandardDialogs& m_dialogs;
    std::unique_ptr<ColourDialog> m_colourDialog;
    QButtonGroup* m_faces = nullptr;
    QButtonGroup* m_sizes = nullptr;
    QLabel* m_sample = nullptr;
    int m_colour = 0;
    bool m_textObjectEditor = false;
    QStringList m_textValues;
    undo::History m_history;
    Shown m_state;        // as the last step left it
    int m_gesture = 1;    // of the changes since the last save
    bool m_showing = false;
};

} // namespace kestrava::editor
