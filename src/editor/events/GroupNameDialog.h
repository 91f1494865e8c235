#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace kestrava::editor {

// "Название группы": the caption of a new group or comment row of the event
// sheet. The caller reads name() however the dialog was closed.
class GroupNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit GroupNameDialog(QWidget* parent = nullptr);

    QString name() const;
    QLineEdit* eNameGroup() const { return m_eNameGroup; }

private:
    QLineEdit* m_eNameGroup;
};

} // namespace kestrava::editor
