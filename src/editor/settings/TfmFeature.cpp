#include "editor/settings/TfmFeature.h"

#include "editor/settings/TfmDisplay.h"
#include "level/LevelEditor.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

TfmFeature::TfmFeature(level::LevelEditor& editor, QWidget* parent) : QDialog(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("fmFeature"));
    setWindowTitle(QStringLiteral("Свойства игры"));
    ButtonSize = new QPushButton(QStringLiteral("размер: "));
    ButtonYes = new QPushButton(QStringLiteral(" Да"));
    ButtonSize->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ButtonSize);
    layout->addWidget(ButtonYes, 0, Qt::AlignRight);

    connect(ButtonSize, &QPushButton::clicked, this, [this] {
        TfmDisplay display({ScreenWidthChoice, ScreenHeightChoice}, this);
        display.exec();
        ScreenWidthChoice = display.choice().width;
        ScreenHeightChoice = display.choice().height;
        ButtonSize->setText(settings::sizeButtonCaption(display.choice()));
    });
    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        m_editor.setScreenSize(ScreenWidthChoice, ScreenHeightChoice);
        accept();
    });
}

bool showGameSettings(QWidget* parent, level::LevelEditor& editor)
{
    TfmFeature dialog(editor, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kestrava::editor
