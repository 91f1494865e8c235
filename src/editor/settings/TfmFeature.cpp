#include "editor/settings/TfmFeature.h"

#include "editor/settings/TfmDisplay.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

TfmFeature::TfmFeature(settings::ScreenSize current, QWidget* parent)
    : QDialog(parent), ScreenHeightChoice(current.height), ScreenWidthChoice(current.width)
{
    setObjectName(QStringLiteral("fmFeature"));
    setWindowTitle(QStringLiteral("Свойства игры"));
    ButtonSize = new QPushButton(settings::sizeButtonCaption(current));
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
    connect(ButtonYes, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<settings::ScreenSize> showGameSettings(QWidget* parent, settings::ScreenSize current)
{
    TfmFeature dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return settings::ScreenSize{dialog.ScreenWidthChoice, dialog.ScreenHeightChoice};
}

} // namespace kestrava::editor
