#pragma once

#include "interface/InterfacePicture.h"
#include "interface/InterfaceRecords.h"
#include "model/ScreenSize.h"
#include "undo/History.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QUndoStack>

#include <array>
#include <optional>
#include <utility>

namespace kestrava::io { class AppFolder; class IniFile; }

namespace kestrava::interface {

// A number box of the interface dialogs: blanks at both ends ignored, a
// decimal integer from min to max. Anything else is an io::Error naming
// `what` and the text.
int parseNumberBox(const QString& text, const QString& what, int min, int max);

// The game interface editor (InterfaceEditorWindow) without its window: the four
// indicator records, the preview of the game screen (painted by
// interface/InterfacePicture.h), choosing an indicator, dragging it with the
// pointer, the weapon picture, and the settings file.
// Drags and confirmed dialogs are steps of its own undo stack.
class InterfaceEditor : public QObject {
    Q_OBJECT
public:
    // The preview shows the project's game screen; this one until it is told it.
    static constexpr QSize kStartScreen{model::kDefaultGameScreen.width, model::kDefaultGameScreen.height};
    static constexpr int kMaxScreenSide = 1000; // no phone screen is larger than a level map
    static constexpr int kMaxCoordinate = 10000;

    explicit InterfaceEditor(const io::AppFolder& app, QObject* parent = nullptr);
    ~InterfaceEditor() override;

    const InterfaceRecords& records() const { return m_records; }
    const BarRecord& bar(Indicator which) const;

    // --- the preview ---
    const QImage& iscreen() const { return m_screen; }
    // Paints the screen colour, the lives bar, the ammunition bar, the timer
    // and the weapon, in this order.
    void DrawAll();
    // "Задать" of "Размер экрана": each side 1..kMaxScreenSide, else an io::Error and nothing changes.
    void setScreenSize(int width, int height);
    // "Цвет экрана".
    void setScreenColour(int colour);

    // --- choosing ---
    // A choice of the combo box: it marks the indicator in the preview and
    // makes it the current one. A chosen timer or weapon follows the pointer.
    void choose(Indicator indicator);
    // The indicator "Свойства объекта" opens: the one chosen last, or the
    // bar pressed last; None before either.
    Indicator current() const { return m_current; }

    // --- the pointer on the preview (preview pixels) ---
    // A press on a bar (its right and bottom edges included) grabs it; with
    // the timer chosen any press grabs the timer, with the weapon chosen a
    // press on the weapon grabs it.
    void pressed(QPoint pos);
    // Grabbed bars follow the pointer; so does a chosen timer or weapon from
    // its choice on, with no button held, until a release puts it down.
    // One step from a press or a choice to the next release or choice.
    void moved(QPoint pos);
    void released();
    bool dragging() const { return m_drag[0] || m_drag[1]; }

    // --- the dialogs' "OK" ---
    // Sizes 1..kMaxCoordinate, positions within ±kMaxCoordinate, else an io::Error and nothing changes.
    void setBar(Indicator which, const BarRecord& bar);
    void setTimer(const TimerRecord& timer);
    // FrameCount is the width of the weapon picture loaded last divided by
    // FrameWidth; the preview shows its first frame from now on.
    void setWeapon(const WeaponRecord& weapon, int background, bool clearBackground);

    // --- the weapon picture ---
    // "Загрузить": a PNG, kept and copied into the program's temp folder as
    // Weapon.png. A file that is no readable PNG is an io::Error and changes nothing.
    void loadWeaponPicture(const QString& path);
    bool weaponLoaded() const { return !m_sprite.isNull(); }
    const QImage& weaponSprite() const { return m_sprite; }
    // "Определить автоматически": the colour of the picture's top-left pixel; an io::Error without a picture.
    int weaponCornerColour() const;

    // --- the settings file ---
    // Every key of the five sections, in their order; a key the file has
    // keeps its place.
    void writeKeys(io::IniFile& file) const;
    // "Сохранить": the settings file at path (what else it holds is kept)
    // and, when a weapon picture was loaded or opened, Weapon.png beside it,
    // written together. A Weapon.png already there stays when there was none.
    // The layout is then saved (isModified() false).
    void save(const QString& path);
    // Reads a settings file as the game reads it into the layout, and the
    // Weapon.png beside it, when there is one, as the weapon picture. Values
    // the dialogs would refuse are refused here too. Nothing changes unless
    // all of it was read (an io::Error naming the file); the history starts anew.
    void open(const QString& path);
    // The layout before anything was chosen, with no weapon picture; the history starts anew.
    void startNew();
    bool isModified() const { return m_history.isModified(); }

    undo::History& history() { return m_history; }
    QUndoStack& undoStack() { return m_history.stack(); }
    // Sets the records and the shown weapon picture without a step (the steps themselves).
    void applyRecords(const InterfaceRecords& records, const QImage& weaponPicture);

signals:
    // The preview was painted again.
    void previewChanged();

private:
    // One step of the history to after, showing weaponPicture (by default the one shown now).
    void step(const InterfaceRecords& after, const QString& text, int gesture = 0,
              std::optional<QImage> weaponPicture = std::nullopt);

    const io::AppFolder& m_app;
    InterfaceRecords m_records;
    QImage m_screen;
    Indicator m_shown = Indicator::None;
    Indicator m_current = Indicator::None;

    std::array<bool, 2> m_drag{};       // lives bar, ammunition bar
    std::array<QPoint, 2> m_barOffset{}; // pointer minus the grabbed bar's corner
    QPoint m_followOffset;               // pointer minus the chosen timer's or weapon's corner
    bool m_following = false;            // the chosen timer or weapon follows the pointer
    int m_gesture = 1;                   // serial of the drag the pointer's moves belong to

    QImage m_sprite;        // the weapon picture loaded last
    QByteArray m_spriteFile; // its file, written beside the settings
    QImage m_shownSprite;   // the picture as of the last "OK" of the weapon dialog
    // Its first frame, made again only when it or the weapon changed, since
    // the screen is drawn on every pointer move.
    WeaponFrame m_weaponFrame;

    undo::History m_history;
};

} // namespace kestrava::interface
