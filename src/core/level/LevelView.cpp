#include "level/LevelView.h"

#include "document/ProjectDocument.h"
#include "media/MapZoom.h"

namespace kestrava::level {

LevelView::LevelView(document::ProjectDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_pictures(document.app(), document.pictures()), m_renderer(m_pictures),
      m_tool(document, m_renderer), m_map(model::kMapSize, model::kMapSize, QImage::Format_RGB32)
{
    m_map.fill(Qt::white);
    connect(&document, &document::ProjectDocument::levelMapChanged, this, &LevelView::levelMapChanged);
    connect(&document, &document::ProjectDocument::groupsChanged, this, [this](int level) {
        if (level == m_document.project().CurLevel)
            start1();
    });
    connect(&document, &document::ProjectDocument::currentLevelChanged, this, [this] {
        m_tool.reset();
        start1();
        redrawMap();
    });
    connect(&document, &document::ProjectDocument::projectReplaced, this, &LevelView::clear);
}

void LevelView::clear()
{
    m_tool.forgetProject();
    m_renderer.forgetRenders();
    m_pictures.clearReports();
    start1();
    redrawMap();
}

void LevelView::levelMapChanged(int level)
{
    if (level != m_document.project().CurLevel)
        return;
    if (m_handling)
        m_stale = true;
    else
        redrawMap();
}

void LevelView::start()
{
    Blink = BlinkColour();
    start1();
    redrawMap();
}

void LevelView::start1()
{
    m_listStatus = m_list.build(m_document.project(), m_document.project().CurLevel, m_pictures);
    emit iconsChanged();
}

void LevelView::redrawMap()
{
    Blink.advance();
    m_renderer.render(m_map, m_document.project(), m_document.project().CurLevel,
                      m_tool.overlay(Blink.rgb(), QSize(ScreenWidth, ScreenHeight)));
    emit mapChanged();
}

const QImage& LevelView::renderStage(int level)
{
    if (m_stageMap.isNull())
        m_stageMap = QImage(model::kMapSize, model::kMapSize, QImage::Format_RGB32);
    m_renderer.render(m_stageMap, m_document.project(), level, MapOverlay());
    return m_stageMap;
}

void LevelView::paint(QPainter& painter, int percent, const QRect& exposed) const
{
    const bool grid = m_document.project().LevelGrid.Shown;
    media::paintZoomed(painter, m_map, percent, exposed, grid ? m_tool.gridCell() : QSize());
}

QString LevelView::statusText() const
{
    return m_tool.statusText().isEmpty() ? m_listStatus : m_tool.statusText();
}

} // namespace kestrava::level
