#include "editor/interface/InterfaceWidgets.h"

#include "editor/common/ColourDialog.h"
#include "io/ColourNames.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

ColourPanel::ColourPanel(const QString& accessibleName, const std::unique_ptr<ColourDialog>& dialog, QWidget* parent)
    : QPushButton(parent), m_dialog(dialog)
{
    setAccessibleName(accessibleName);
    setAutoDefault(false);
    setMinimumWidth(120);
    connect(this, &QPushButton::clicked, this, &ColourPanel::choose);
    setColour(0);
}

void ColourPanel::setColour(int colour)
{
    m_colour = colour;
    showSwatch(this, colour);
    // The colour's name as the settings file will hold it.
    setText(io::colourText(colour));
    setAccessibleDescription(text());
}

void ColourPanel::choose()
{
    if (const std::optional<QColor> chosen = m_dialog->chooseColour(this, io::colourOf(m_colour)))
        setColour(io::colourValue(*chosen));
}

ScreenView::ScreenView(const QImage& screen, QWidget* parent) : QWidget(parent), m_screen(screen)
{
    setObjectName(u"iscreen"_s);
    setAccessibleName(u"Экран игры"_s);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    refresh();
}

void ScreenView::refresh()
{
    setFixedSize(m_screen.size());
    update();
}

void ScreenView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_screen);
}

void ScreenView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position().toPoint());
}

void ScreenView::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->position().toPoint());
}

void ScreenView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit released();
}

QLineEdit* addNumberBox(QFormLayout* form, const QString& label, const char* name)
{
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString(label).remove(u':'));
    box->setMaximumWidth(80);
    form->addRow(label, box);
    return box;
}

} // namespace kestrava::editor
