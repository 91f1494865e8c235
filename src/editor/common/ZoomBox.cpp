#include "editor/common/ZoomBox.h"

#include "media/MapZoom.h"

#include <QLineEdit>

namespace kestrava::editor {

namespace {

QString shown(int percent)
{
    return QString::number(percent) + QStringLiteral(" %");
}

} // namespace

ZoomBox::ZoomBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ZoomBox"));
    setAccessibleName(QStringLiteral("Масштаб"));
    setToolTip(QStringLiteral("Масштаб карты: Ctrl + колесо мыши, Ctrl + «+», Ctrl + «−», Ctrl + 0"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (int step : media::zoom::kSteps)
        addItem(shown(step), step);
    setPercent(100);
    connect(this, &QComboBox::activated, this, [this](int index) { take(itemText(index)); });
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] { take(lineEdit()->text()); });
}

void ZoomBox::setPercent(int percent)
{
    m_percent = percent;
    const QSignalBlocker block(this);
    const int index = findData(percent);
    if (index >= 0)
        setCurrentIndex(index);
    setEditText(shown(percent));
}

void ZoomBox::take(const QString& text)
{
    const int percent = media::zoom::parse(text);
    if (percent < media::zoom::kMin || percent > media::zoom::kMax) {
        setPercent(m_percent);
        return;
    }
    const bool changed = percent != m_percent;
    setPercent(percent);
    if (changed)
        emit percentChosen(percent);
}

} // namespace kestrava::editor
