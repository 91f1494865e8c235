#pragma once

#include "model/ObjectKind.h"

#include <QDialog>
#include <QString>

#include <optional>

namespace kestrava::editor {

// "Выберите тип создаваемого объекта": a button per kind (kindEditor), each
// closes the chooser with its kind; the caller then opens that kind's editor.
class ObjectKindChooser : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Выберите тип создаваемого объекта");

    explicit ObjectKindChooser(QWidget* parent = nullptr);

    // The kind whose button closed the chooser; none when it was closed otherwise.
    std::optional<model::ObjectKind> choice() const { return m_choice; }

private:
    void choose(model::ObjectKind kind);

    std::optional<model::ObjectKind> m_choice;
};

} // namespace kestrava::editor
