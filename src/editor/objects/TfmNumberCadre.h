#pragma once

#include <QDialog>

class QSpinBox;

namespace kestrava::editor {

// "Введите номер кадра": asks the active object editor's frame number. The
// caller reads number() however the dialog was closed.
class TfmNumberCadre : public QDialog {
    Q_OBJECT
public:
    explicit TfmNumberCadre(QWidget* parent = nullptr);

    int number() const;
    QSpinBox* seNumberCadre() const { return m_seNumberCadre; }

private:
    QSpinBox* m_seNumberCadre;
};

} // namespace kestrava::editor
