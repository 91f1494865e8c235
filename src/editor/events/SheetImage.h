#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include <utility>

namespace kestrava::editor {

// The sheet picture (Image1): shows what the sheet paints and reports
// presses, releases and pointer moves in picture pixels.
class SheetImage : public QWidget {
    Q_OBJECT
public:
    explicit SheetImage(const QImage& picture, QWidget* parent = nullptr);

    // Texts painted over the picture, each clipped to its cell.
    void setCellTexts(QList<std::pair<QRect, QString>> texts);

signals:
    void buttonPressed(QPoint pos, Qt::MouseButton button);
    void buttonReleased(QPoint pos);
    void pointerMoved(QPoint pos);
    void doubleClicked(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& m_picture;
    QList<std::pair<QRect, QString>> m_texts;
};

} // namespace kestrava::editor
