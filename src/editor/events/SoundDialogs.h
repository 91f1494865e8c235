#pragma once

#include "model/Sound.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kestrava::editor {

// "Звук": a sound of the project for a sound item, and for "играть…" whether
// it repeats. Without sounds it says where to add them and "Да" is greyed.
class SoundChoiceDialog : public QDialog {
    Q_OBJECT
public:
    SoundChoiceDialog(const std::vector<model::SoundData>& sounds, bool withRepeat, QWidget* parent = nullptr);

    // The number of the sound chosen; 0 for none.
    int chosen() const;
    void choose(int number);

    QComboBox* cbSound = nullptr;
    QCheckBox* cbRepeat = nullptr; // null without the repeat
};

// "Громкость": 0..100.
class VolumeDialog : public QDialog {
    Q_OBJECT
public:
    explicit VolumeDialog(QWidget* parent = nullptr);
    QSpinBox* seVolume = nullptr;
};

// "Сигнал": a note ("C5") and its length in ms. "Да" refuses what is no note.
class ToneDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToneDialog(QWidget* parent = nullptr);

    QLineEdit* edNote = nullptr;
    QSpinBox* seLength = nullptr;
    int Pitch = 0;

private:
    void acceptAnswer();
};

} // namespace kestrava::editor
