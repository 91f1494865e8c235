#include "editor/events/SoundDialogs.h"

#include "editor/common/EntryDialog.h"
#include "editor/common/ErrorBox.h"
#include "objects/SoundFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

SoundChoiceDialog::SoundChoiceDialog(const std::vector<model::SoundData>& sounds, bool withRepeat, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"SoundChoiceDialog"_s);
    setWindowTitle(u"Звук"_s);
    auto* label = new QLabel(sounds.empty() ? u"В проекте нет звуков: добавьте их в «Объекты» → «Звуки проекта…»."_s
                                            : u"Выберите звук проекта"_s,
                             this);
    label->setWordWrap(true);
    cbSound = new QComboBox(this);
    cbSound->setObjectName(u"cbSound"_s);
    cbSound->setAccessibleName(u"Звук"_s);
    for (const model::SoundData& sound : sounds)
        cbSound->addItem(u"%1. %2 (%3)"_s.arg(sound.Number).arg(sound.Name, model::soundKindName(sound.Kind)),
                         sound.Number);
    label->setBuddy(cbSound);
    QList<QWidget*> controls{label, cbSound};
    if (withRepeat) {
        cbRepeat = new QCheckBox(u"повторять"_s, this);
        cbRepeat->setObjectName(u"cbRepeat"_s);
        controls.append(cbRepeat);
    }
    auto* layout = new QVBoxLayout(this);
    for (QWidget* control : controls)
        layout->addWidget(control);
    auto* yes = new QPushButton(u"Да"_s, this);
    yes->setObjectName(u"bYes"_s);
    yes->setDefault(true);
    yes->setEnabled(!sounds.empty());
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(yes, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int SoundChoiceDialog::chosen() const
{
    return cbSound->currentIndex() < 0 ? 0 : cbSound->currentData().toInt();
}

void SoundChoiceDialog::choose(int number)
{
    const int at = cbSound->findData(number);
    if (at >= 0)
        cbSound->setCurrentIndex(at);
}

VolumeDialog::VolumeDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"VolumeDialog"_s);
    setWindowTitle(u"Громкость"_s);
    seVolume = buildNumberDialog(this, u"Громкость от 0 до 100"_s, [this] { accept(); });
    seVolume->setRange(0, 100);
    seVolume->setValue(100);
}

ToneDialog::ToneDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"ToneDialog"_s);
    setWindowTitle(u"Сигнал"_s);
    auto* noteLabel = new QLabel(u"Нота (C4 — до первой октавы, F#5, Bb3)"_s, this);
    edNote = new QLineEdit(u"C5"_s, this);
    edNote->setObjectName(u"edNote"_s);
    noteLabel->setBuddy(edNote);
    auto* lengthLabel = new QLabel(u"Длительность, мс"_s, this);
    seLength = new QSpinBox(this);
    seLength->setObjectName(u"seLength"_s);
    seLength->setRange(10, 5000);
    seLength->setValue(200);
    lengthLabel->setBuddy(seLength);
    layOutEntryDialog(this, {noteLabel, edNote, lengthLabel, seLength}, [this] { acceptAnswer(); });
}

void ToneDialog::acceptAnswer()
{
    const std::optional<int> pitch = objects::notePitch(edNote->text());
    if (!pitch) {
        showError(this, u"«%1» — не нота: пишите букву ноты (C D E F G A B), при нужде # или b, и октаву "
                        u"от 0 до 9, например C5."_s.arg(edNote->text().left(20)));
        return;
    }
    Pitch = *pitch;
    accept();
}

} // namespace kestrava::editor
