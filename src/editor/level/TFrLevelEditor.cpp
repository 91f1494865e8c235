#include "editor/level/TFrLevelEditor.h"

#include "model/Capacities.h"

namespace kestrava::editor {

TFrLevelEditor::TFrLevelEditor(model::Project& project, const io::AppFolder& app, QWidget* parent)
    : QWidget(parent), m_project(project), m_app(app),
      m_map(model::kMapSize, model::kMapSize, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("FrLevelEditor1"));
    m_map.fill(Qt::white);
}

void TFrLevelEditor::clear() {}
void TFrLevelEditor::start() {}
void TFrLevelEditor::start1() {}
void TFrLevelEditor::pereris() { m_map.fill(Qt::white); }
QImage TFrLevelEditor::levelPicture() const { return m_map; }

} // namespace kestrava::editor
