#pragma once

#include "events/Sheet.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

// "Новое событие": the condition chooser. chosen() holds the condition the
// author picked; nothing when the window was closed without one.
class TfmNewEvent : public QDialog {
    Q_OBJECT
public:
    // groupPicture(g): the picture of active group g of the current stage,
    // null when it has none. mode: "dob", "izm" or empty.
    TfmNewEvent(document::ProjectDocument& document, std::function<QImage(int group)> groupPicture,
                const QString& mode, QWidget* parent = nullptr);

    const std::optional<events::Condition>& chosen() const { return m_chosen; }
    QString ChooserMode;

private:
    std::optional<events::Condition> m_chosen;
};

} // namespace kestrava::editor
