#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

class QLabel;

namespace kestrava::level { struct ListIcon; }

namespace kestrava::editor {

// The object list panel (pnObjectsList): one icon per list slot. The icons
// let the mouse through, so the panel sees every move and release over them.
class ObjectListPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 65;
    static constexpr int kMinHeight = 609;

    explicit ObjectListPanel(QWidget* parent = nullptr);

    // Shows the icon table (element 0 unused).
    void setIcons(const std::vector<level::ListIcon>& icons);

signals:
    void pointerMoved(QPoint pos);
    void buttonReleased(QPoint pos);
    // The right button came up over the panel: its menu, not a pick.
    void contextMenuRequested(QPoint pos);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<QWidget*> m_icons;
    QLabel* m_emptyHint = nullptr;
};

} // namespace kestrava::editor
