#include "editor/level/ObjectListPanel.h"

#include "level/ObjectList.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace kestrava::editor {

ObjectListPanel::ObjectListPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnObjectsList"));
    setMouseTracking(true);
    setFixedSize(kWidth, kMinHeight);
    // An empty stage says where its objects come from.
    m_emptyHint = new QLabel(QStringLiteral("Пусто: «Объекты» → «Загрузить»"), this);
    m_emptyHint->setObjectName(QStringLiteral("lbEmptyList"));
    m_emptyHint->setWordWrap(true);
    m_emptyHint->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_emptyHint->setGeometry(2, 8, kWidth - 4, 120);
    m_emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette grey = m_emptyHint->palette();
    grey.setColor(QPalette::WindowText, Qt::darkGray);
    m_emptyHint->setPalette(grey);
}

void ObjectListPanel::setIcons(const std::vector<level::ListIcon>& icons)
{
    for (QWidget* w : m_icons)
        delete w;
    m_icons.clear();
    int bottom = kMinHeight;
    for (size_t p = 1; p < icons.size(); ++p) {
        const level::ListIcon& icon = icons[p];
        if (!icon.kind)
            continue;
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("icon%1").arg(p));
        label->setGeometry(icon.geometry);
        label->setPixmap(QPixmap::fromImage(icon.image));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->show();
        m_icons.push_back(label);
        bottom = std::max(bottom, icon.geometry.bottom() + 10);
    }
    setFixedSize(kWidth, bottom);
    m_emptyHint->setVisible(m_icons.empty());
}

void ObjectListPanel::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->position().toPoint());
}

void ObjectListPanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ObjectListPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit contextMenuRequested(event->position().toPoint());
    else
        emit buttonReleased(event->position().toPoint());
}

} // namespace kestrava::editor
