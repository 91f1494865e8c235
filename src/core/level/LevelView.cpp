#include "level/LevelView.h"

#include "document/ProjectDocument.h"

namespace kestrava::level {

LevelView::LevelView(document::ProjectDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_pictures(document.app()), m_renderer(m_pictures),
      m_tool(document, m_renderer), m_map(model::kMapSize, model::kMapSize, QImage::Format_RGB32)
{
    m_map.fill(Qt::white);
    connect(&document, &document::ProjectDocument::levelMapChanged, this, &LevelView::levelMapChanged);
    connect(&document, &document::ProjectDocument::groupsChanged, this, [this](int level) {
        if (level == m_document.project().CurLevel)
            showStage();
    });
    connect(&document, &document::ProjectDocument::currentLevelChanged, this, [this] {
        m_tool.reset();
        showStage();
        redraw();
    });
    connect(&document, &document::ProjectDocument::projectReplaced, this, [this] {
        m_tool.forgetProject();
        m_renderer.forgetRenders();
        m_pictures.clearReports();
        showStage();
        redraw();
    });
}

void LevelView::levelMapChanged(int level)
{
    if (level != m_document.project().CurLevel)
        return;
    if (m_handling)
        m_stale = true;
    else
        redraw();
}

void LevelView::start()
{
    Blink = BlinkColour();
    showStage();
    redraw();
}

void LevelView::showStage()
{
    m_listStatus = m_list.build(m_document.project(), m_document.project().CurLevel, m_pictures);
    emit iconsChanged();
}

void LevelView::redraw()
{
    Blink.advance();
    m_renderer.render(m_map, m_document.project(), m_document.project().CurLevel,
                      m_tool.overlay(Blink.rgb(), m_screen));
    emit mapChanged();
}

QString LevelView::statusText() const
{
    return m_tool.statusText().isEmpty() ? m_listStatus : m_tool.statusText();
}

} // namespace kestrava::level
