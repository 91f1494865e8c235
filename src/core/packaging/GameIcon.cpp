#include "packaging/GameIcon.h"

#include "codegen/StageObjects.h"
#include "io/Png.h"

#include <QFileInfo>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

constexpr int kIconSide = 32;

// Fitted into 32 x 32 and centred, on transparency; small pixel art grows by whole pixels.
QImage fitted(const QImage& picture)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const bool growing = source.width() <= kIconSide && source.height() <= kIconSide;
    const QImage scaled = source.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio,
                                        growing ? Qt::FastTransformation : Qt::SmoothTransformation);
    QImage icon(kIconSide, kIconSide, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.drawImage((kIconSide - scaled.width()) / 2, (kIconSide - scaled.height()) / 2, scaled);
    return icon;
}

const codegen::EmittedActive* hero(const codegen::StageObjects& objects, const model::StageData& stage)
{
    for (const codegen::EmittedActive& a : objects.active)
        if (a.group->Index > 0 && a.group->Index <= model::kMaxActiveGroups
            && stage.ActiveType[size_t(a.group->Index)] == model::MovementType::EightWay)
            return &a;
    return objects.active.empty() ? nullptr : &objects.active.front();
}

} // namespace

QImage gameIcon(const model::Project& project, const QString& resDir)
{
    const QString own = project.projectPath(QString::fromLatin1(kAuthorIcon));
    if (!own.isEmpty() && QFileInfo::exists(own)) {
        const QImage icon = io::readPng(own);
        const bool phoneSize = icon.size() == QSize(16, 16) || icon.size() == QSize(32, 32);
        return phoneSize ? icon : fitted(icon);
    }
    const codegen::StageObjects objects = codegen::emittedObjects(project, 1);
    const codegen::EmittedActive* h = hero(objects, project.stage(1));
    if (!h)
        return QImage();
    const QImage strip = io::readPng(resDir + u'/' + h->picture);
    const int w = h->group->TileWidth;
    const int hgt = h->group->TileHeight;
    // The strip as the game's Sprite cuts it; a picture that does not cut is one frame.
    const bool cuts = w > 0 && hgt > 0 && strip.width() % w == 0 && strip.height() % hgt == 0;
    return fitted(cuts ? strip.copy(0, 0, w, hgt) : strip);
}

} // namespace kestrava::packaging
