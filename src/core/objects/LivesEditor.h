#pragma once

#include "objects/BarObjectFile.h"
#include "undo/History.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace kestrava::io { class AppFolder; }

namespace kestrava::objects {

// The bar editor (LivesBarEditorWindow) without its window: the bar picture, the file
// it came from, the direction choice, and saving and opening the .obl.
class LivesEditor {
public:
    static constexpr QSize kViewSize{33, 33};

    enum class Direction { None, Vertical, Horizontal };

    explicit LivesEditor(const io::AppFolder& app);

    bool pictureLoaded() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    // The file of the last picture loaded; empty before the first.
    const QString& picturePath() const { return m_path; }
    // "Загрузить изображение": reads a BMP or a PNG (told by its first
    // bytes) and remembers its path; a PNG is laid on white, as the bar is
    // saved as a BMP. A file that is neither, or damaged, changes nothing.
    void loadPicture(const QString& path);
    // The dialog was cancelled: the remembered file is read again, as it may
    // have been changed meanwhile; nothing happens before the first picture.
    void reloadPicture();

    Direction direction() const { return m_direction; }
    void setDirection(Direction direction);

    // Something was changed since the editor started, opened or saved.
    bool isModified() const { return m_history.isModified(); }

    // The picture stretched into the 33 x 33 view, keeping its proportions.
    QImage view() const;

    // Refused (an io::Error) without a picture.
    void checkSavable() const;
    // "сохранить": the .obl at path ("vert" for "вертикальное", "gor"
    // otherwise, also with neither chosen) and base.bmp in the program's
    // objects folder, written together.
    void save(const QString& path);
    // "открыть": an .obl and its base.bmp from the program's objects folder;
    // nothing changes unless both were read.
    void open(const QString& path);

    BarObjectFile objectFile() const;

private:
    // What a step of its history keeps: the bar as it is saved.
    struct Bar {
        QImage picture;
        Direction direction = Direction::None;
        bool operator==(const Bar&) const = default;
    };
    // One step from the bar now to after; none when nothing changes.
    void change(Bar after, const QString& text);

    const io::AppFolder& m_app;
    QImage m_picture;
    QString m_path;
    Direction m_direction = Direction::None;
    undo::History m_history;
};

} // namespace kestrava::objects
