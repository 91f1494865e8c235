#pragma once

#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <memory>

class QFormLayout;
class QLineEdit;

namespace kestrava::editor {

class ColourDialog;

// A colour panel of the interface dialogs ("Цвет фона:"): a button showing
// its colour; a click asks the colour dialog for another.
class ColourPanel : public QPushButton {
    Q_OBJECT
public:
    // dialog: the owner's colour dialog, looked up at each click.
    ColourPanel(const QString& accessibleName, const std::unique_ptr<ColourDialog>& dialog, QWidget* parent = nullptr);

    int colour() const { return m_colour; }
    void setColour(int colour);

private:
    void choose();

    const std::unique_ptr<ColourDialog>& m_dialog;
    int m_colour = 0;
};

// The preview of the game screen ("Экран игры"): shows the picture the
// interface editor paints, at its own size, and reports the pointer over it
// in its pixels, moves with no button held included.
class ScreenView : public QWidget {
    Q_OBJECT
public:
    explicit ScreenView(const QImage& screen, QWidget* parent = nullptr);

    QSize sizeHint() const override { return m_screen.size(); }
    // The picture changed size or content.
    void refresh();

signals:
    void pressed(QPoint pos);
    void moved(QPoint pos);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& m_screen;
};

// A number box of the interface dialogs, with its label in the form.
QLineEdit* addNumberBox(QFormLayout* form, const QString& label, const char* name);

} // namespace kestrava::editor
