#pragma once

#include <QComboBox>

namespace kestrava::editor {

// "Масштаб": the zoom of a map in percent, chosen from the steps or typed
// (25..800); a typed value outside or not a number puts the box back.
class ZoomBox : public QComboBox {
    Q_OBJECT
public:
    explicit ZoomBox(QWidget* parent = nullptr);

    int percent() const { return m_percent; }
    // Shows `percent` without reporting it.
    void setPercent(int percent);

signals:
    void percentChosen(int percent);

private:
    void take(const QString& text);

    int m_percent = 100;
};

} // namespace kestrava::editor
