#pragma once

#include "model/ObjectKind.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <optional>
#include <vector>

namespace kestrava::model { class Project; struct StageData; }
namespace kestrava::media { class PictureSource; }

namespace kestrava::level {


struct ListIcon {
    std::optional<model::ObjectKind> kind; // none: a blank slot
    int tag = 0;          // the group or text object number
    QImage image;         // the icon as shown; null for a blank slot
    QRect geometry;       // on the list panel
};

// The object file that group `tag` of a listed kind was loaded from, for
// "Обновить"; empty for a kind that keeps none or a tag out of range.
QString fileOfListed(const model::StageData& s, model::ObjectKind kind, int tag);

// An object's own picture in the project's objects folder; empty without a
// project folder, where a bare name would be looked for anywhere.
QString ownPicture(const model::Project& project, const QString& name);

// The object list of a stage: one icon per list slot.
class ObjectList {
public:
    static constexpr int kIconLeft = 5;
    static constexpr int kIconStep = 50;
    static constexpr int kIconWidth = 38;
    static constexpr int kIconHeight = 40;
    static constexpr int kPickMargin = 5;
    static constexpr int kBlankIcons = 40;
    static constexpr QRgb kIconFaceColour = 0xfff0f0f0;

    ObjectList();

    // Blank icons only (no stage shown).
    void clear();
    // The icons of a stage's slots: for slot p the background group with
    // that slot, else the active group, else the text object (the one made
    // last wins). Returns why slots were left out, or an empty text.
    QString build(const model::Project& project, int level, media::PictureSource& pictures);

    // The icon table, [1..n]; element 0 unused.
    const std::vector<ListIcon>& icons() const { return m_icons; }

    // The icon within kPickMargin of (x, y) (strictly), among the first
    // slotCount slots; kinds are tried in the order of model::kObjectKinds.
    std::optional<ListIcon> iconAt(int x, int y, int slotCount) const;

private:
    void blank(int count);
    void setSlot(int slot, model::ObjectKind kind, int tag, const QString& picturePath, media::PictureSource& pictures);

    std::vector<ListIcon> m_icons;
};

} // namespace kestrava::level
