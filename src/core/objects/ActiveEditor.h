#pragma once

#include "model/Capacities.h"
#include "objects/ActiveObjectFile.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace kestrava::io { class AppFolder; }

namespace kestrava::objects {

// The active object editor (TfmCreateActive) without its window: the sprite
// strip, the frame count, the animation table with the current direction
// and state, the pictures the window shows, and saving and opening the .oba.
class ActiveEditor {
public:
    static constexpr int kDefaultFrameCount = 16;
    static constexpr QSize kDirectionSize{137, 129};
    static constexpr int kFrameBox = 57;
    static constexpr QSize kStripViewSize{385, 41};
    // The game moves every sprite to the next frame of its sequence once per
    // step of its loop, and a step takes at least 50 ms (MyGameCanvas.FRAME
    // in the templates), so the preview shows each frame for 50 ms.
    static constexpr int kPreviewIntervalMs = 50;

    explicit ActiveEditor(const io::AppFolder& app);

    // --- the strip ---
    bool pictureLoaded() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    // "Загрузить изображение": decodes the PNG; the table is kept. A file
    // that is no readable PNG, or a strip too narrow for the frame count,
    // changes nothing.
    void loadPicture(const QString& path);

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

    // The frames the game plays for the current direction and state: the
    // non-empty positions in order.
    std::vector<int> sequence() const;

    // --- pictures ---
    QImage directionPicture() const;
    // Box s: its frame scaled into the box, or an empty outlined square; a
    // number beyond the frame count is shown in red on the empty square.
    QImage frameBox(int s) const;
    QImage stripView() const;
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
    // the state is replaced only when all of it was read and fits.
    void open(const QString& path);

    // What save() writes into the .oba.
    ActiveObjectFile objectFile(const QString& path) const;
    QImage stripAsCut() const;

private:
    static constexpr int P = model::kAnimPositions;
    static constexpr int D = model::kAnimDirections;
    static constexpr int B = model::kAnimStates;

    int number(int s, int d, int b) const;
    // Why entry (s, d, b) does not fit the frame count; empty when it does.
    QString entryProblem(int s, int d, int b) const;
    QImage frameImage(int k) const;

    const io::AppFolder& m_app;
    QImage m_picture;
    int m_frameCount = kDefaultFrameCount;
    int m_direction = 1;
    int m_state = 1;
    QString m_table[P + 1][D + 1][B + 1];
};

// Names of directions and states as the author reads them in messages.
QString directionName(int d);
QString stateName(int b);

} // namespace kestrava::objects
