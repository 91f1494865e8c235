#pragma once

#include "model/Capacities.h"
#include "objects/ActiveObjectFile.h"
#include "undo/History.h"

#include <QImage>

#include <optional>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUndoStack>

#include <vector>

namespace kestrava::io { class AppFolder; }

namespace kestrava::objects {

// The active object editor (ActiveObjectEditorWindow) without its window: the sprite
// strip, the frame count, the animation table with the current direction
// and state, the pictures the window shows, and saving and opening the .oba.
// Every change of the object (strip, count, a frame) is a step of its own
// undo stack; unsaved changes are the stack away from its clean index.
class ActiveEditor {
public:
    static constexpr int kDefaultFrameCount = 16;
    static constexpr QSize kDirectionSize{137, 129};
    static constexpr int kFrameBox = 57;
    static constexpr QSize kStripViewSize{385, 41};
    // One tick of the game's loop (MyGameCanvas.TICK in the runtime). The
    // game itself shows a frame for Movement.FRAME_TICKS ticks; the preview
    // steps once a tick.
    static constexpr int kPreviewIntervalMs = 50;
    // The frames of the strip as the author clicks them: each in a square of this side.
    static constexpr int kFrameThumbnail = 48;

    explicit ActiveEditor(const io::AppFolder& app);
    ActiveEditor(const ActiveEditor&) = delete;
    ActiveEditor& operator=(const ActiveEditor&) = delete;

    // --- the strip ---
    bool pictureLoaded() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    // "Загрузить изображение": decodes the PNG; the table is kept. A file
    // that is no readable PNG, or a strip too narrow for the frame count,
    // changes nothing. A strip a whole number of squares long takes that
    // many frames. A strip with no transparent pixel whose four corners share
    // one colour has that background colour made transparent (the game draws
    // the picture's alpha); returned then, so the window can say so.
    std::optional<QRgb> loadPicture(const QString& path);

    // "Количество кадров". Below 1, or so many that a frame of the loaded
    // strip would be narrower than a pixel, is refused (an io::Error).
    int frameCount() const { return m_frameCount; }
    void setFrameCount(int count);
    // nearest(strip width / frame count) and the strip's height; 0 without a strip.
    int frameWidth() const;
    int frameHeight() const { return m_picture.height(); }
    // Frame k (from 1) in the strip.
    QRect frameRect(int k) const;

    // --- the table ---
    int direction() const { return m_direction; } // 1 right, 2 up, 3 left, 4 down
    int state() const { return m_state; }         // 1..4, "Спокойствие" .. "Уничтожение"
    void setDirection(int d);
    void setState(int b);
    // The direction a release at pixel p of a picture of the given size
    // chooses: the axis p lies further along from the centre; on a diagonal
    // or the centre, current.
    static int directionFrom(QPoint p, QSize size, int current);
    // A release over the direction picture.
    void releasedAt(QPoint p) { m_direction = directionFrom(p, kDirectionSize, m_direction); }

    // Entry (s, d, b) as its decimal text; "0" is an empty position.
    QString entry(int s, int d, int b) const { return m_table[s][d][b]; }
    // The frame at position s of the current direction and state.
    int frameAt(int s) const;
    // A frame number for position s of the current direction and state; 0
    // empties it. Refused without a strip and outside 0..frame count.
    void setFrame(int s, int k);
    // A click on frame k of the strip: k goes into the first empty position
    // of the current direction and state; refused when all are taken.
    void addFrame(int k);
    // A right click on frame k: its last position in the current sequence
    // is emptied and the positions after it move up, so the order played
    // stays; nothing when k is not in it.
    void removeFrame(int k);
    // How often frame k is in the current sequence.
    int uses(int k) const;
    // "Во все направления": the current direction's positions of the current
    // state given to every other direction of it, one step; false when they
    // all had them already.
    bool copyToAllDirections();

    // The frames the game plays for the current direction and state: the
    // non-empty positions in order.
    std::vector<int> sequence() const;

    // --- pictures ---
    QImage directionPicture() const;
    // Box s: its frame scaled into the box, or an empty outlined square; a
    // number beyond the frame count is shown in red on the empty square.
    QImage frameBox(int s) const;
    QImage stripView() const;
    // Frame k fitted into a kFrameThumbnail square, for the clickable strip.
    QImage frameThumbnail(int k) const;
    // Step n of the preview: frame n (modulo the sequence) in the direction picture.
    QImage previewPicture(int step) const;

    // --- files ---
    // Refuses (an io::Error) what save() refuses whatever the file: no strip,
    // or a frame number beyond the frame count.
    void checkSavable() const;
    // "Сохранить": the .oba at path, and base.png (the strip as cut, exactly
    // frame count x frame width wide, so the game cuts it as the editor did)
    // and base.bmp (the first frame, on white) in the program's objects folder, all
    // built first and written together.
    void save(const QString& path);
    // "Открыть": an .oba and its strip from the program's objects folder;
    // the state is replaced only when all of it was read and fits. The
    // history starts anew.
    void open(const QString& path);
    // "Новый": no strip, the default frame count and every position empty;
    // the history starts anew.
    void startNew();

    // --- history ---
    undo::History& history() { return m_history; }
    QUndoStack& undoStack() { return m_history.stack(); }
    // Something was changed since the editor started, opened or saved.
    bool isModified() const { return m_history.isModified(); }

    // What a step keeps: the object as it is saved.
    struct Content {
        QImage picture;
        int frameCount = kDefaultFrameCount;
        QString table[model::kAnimPositions + 1][model::kAnimDirections + 1][model::kAnimStates + 1];
    };
    // Sets the object and shows the direction and state a step was made in (the steps themselves).
    void apply(const Content& content, int direction, int state);

    // What save() writes into the .oba.
    ActiveObjectFile objectFile(const QString& path) const;
    QImage stripAsCut() const;

private:
    static constexpr int P = model::kAnimPositions;
    static constexpr int D = model::kAnimDirections;
    static constexpr int B = model::kAnimStates;

    int number(int s, int d, int b) const;
    // One step from the object now to after.
    void step(Content after, const QString& text);
    static void emptyTable(Content& content);
    // Why entry (s, d, b) does not fit the frame count; empty when it does.
    QString entryProblem(int s, int d, int b) const;
    QImage frameImage(int k) const;

    const io::AppFolder& m_app;
    Content m_content;
    // Short names for what the object holds.
    QImage& m_picture = m_content.picture;
    int& m_frameCount = m_content.frameCount;
    QString (&m_table)[P + 1][D + 1][B + 1] = m_content.table;
    int m_direction = 1;
    int m_state = 1;
    undo::History m_history;
};

// Names of directions and states as the author reads them in messages.
QString directionName(int d);
QString stateName(int b);

} // namespace kestrava::objects
