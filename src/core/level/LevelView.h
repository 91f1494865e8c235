#pragma once

#include "level/LevelTool.h"
#include "level/MapRenderer.h"
#include "level/ObjectList.h"
#include "media/PictureSource.h"

#include <QImage>
#include <QRect>
#include <QObject>
#include <QSize>
#include <QStringList>

class QPainter;

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::level {

// The level editor of the current stage without its window: the object
// list, the tool and the map picture, redrawn whenever the document says
// the stage changed. The pane shows what it holds and forwards input.
class LevelView : public QObject {
    Q_OBJECT
public:
    explicit LevelView(document::ProjectDocument& document, QObject* parent = nullptr);

    LevelTool& tool() { return m_tool; }
    const LevelTool& tool() const { return m_tool; }
    MapRenderer& renderer() { return m_renderer; }
    media::PictureSource& pictures() { return m_pictures; }
    const ObjectList& objectList() const { return m_list; }

    // The map as last drawn (kMapSize x kMapSize, RGB32).
    const QImage& map() const { return m_map; }
    BlinkColour Blink;

    // The game screen ("Настройки игры"), framed at the origin from the next redraw.
    int ScreenWidth = 0;
    int ScreenHeight = 0;

    // Once, when the pane is made: blink colour reset, list and map drawn.
    void start();
    // Another project ("Новый", "Открыть"): nothing of the previous one stays
    // picked, selected, drawn or reported; done whenever the document is replaced.
    void clear();
    // Rebuilds the object list of the current stage.
    void start1();
    // Redraws the map; the selection frame's colour steps.
    void redrawMap();
    // Any stage's map as the game shows it, without the editor's marks (for its thumbnail).
    const QImage& renderStage(int level);

    // Input as the pane delivers it; the map is redrawn as each event needs.
    void listPointerMoved(int x, int y) { m_tool.listPointerMoved(x, y); }
    void listReleased() { m_tool.listReleased(m_list); }
    void pointerMoved(int x, int y)
    {
        handle([&] { m_tool.pointerMoved(x, y); }, true);
    }
    void pressed(int x, int y, bool primary = true, bool extend = false)
    {
        handle([&] { m_tool.pressed(x, y, primary, extend); });
    }
    // A release on the map; `click` when it ends a left click there, which places a picked icon first.
    void released(bool click)
    {
        handle(
            [&] {
                if (click)
                    m_tool.clicked();
                m_tool.released();
            },
            true);
    }

    // Runs one input event: changes the document reports while it runs
    // redraw the map once, at the end (or always, when `redrawAfter`).
    template <class Input>
    void handle(Input input, bool redrawAfter = false)
    {
        m_handling = true;
        m_stale = false;
        input();
        m_handling = false;
        if (redrawAfter || m_stale)
            redrawMap();
    }

    // Paints the part `exposed` (view pixels) of the map shown at `percent`,
    // with the grid when it is shown. Reads no file.
    void paint(QPainter& painter, int percent, const QRect& exposed) const;

    // Why the last action was refused; empty when it was not.
    QString statusText() const;
    // Picture problems not yet shown, each reported once until it is mended.
    QStringList takeMessages() { return m_pictures.takeMessages(); }

signals:
    void iconsChanged();
    void mapChanged();

private:
    void levelMapChanged(int level);

    document::ProjectDocument& m_document;
    media::PictureSource m_pictures;
    MapRenderer m_renderer;
    LevelTool m_tool;
    ObjectList m_list;
    QString m_listStatus;
    QImage m_map;
    QImage m_stageMap; // renderStage's
    bool m_handling = false;
    bool m_stale = false;
};

} // namespace kestrava::level
