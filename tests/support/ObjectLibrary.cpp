#include "support/ObjectLibrary.h"

#include "model/Project.h"
#include "objects/ObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::test {
namespace {

QImage picture(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

void writeWithPictures(const io::AppFolder& app, const QString& name, int w, int h, QRgb colour)
{
    objects::writeObjectPng(app, name, picture(w, h, colour));
    objects::writeObjectBmp(app, name, picture(w, h, colour));
}

} // namespace

void writeSampleLibrary(const io::AppFolder& app)
{
    objects::BackgroundObjectFile forest;
    forest.PictureName = u"forest.png"_s;
    forest.TileWidth = 16;
    forest.TileHeight = 16;
    forest.setMapSize(3, 2);
    forest.cells = {1, 2, 0, 3, 3, 4};
    forest.write(app.objectFile(u"forest.obf"_s));
    writeWithPictures(app, u"forest.obf"_s, 32, 32, qRgb(0, 128, 0));

    objects::BackgroundObjectFile empty;
    empty.PictureName = u"empty.png"_s;
    empty.TileWidth = 8;
    empty.TileHeight = 8;
    empty.setMapSize(5, 0);
    empty.write(app.objectFile(u"empty.obf"_s));

    for (const QString& name : {u"hero.oba"_s, u"ghost.oba"_s}) {
        objects::ActiveObjectFile sprite;
        sprite.PictureName = objects::pngNameOf(name);
        sprite.FrameCount = 3;
        sprite.TileWidth = 16;
        sprite.TileHeight = 24;
        sprite.Anim[1][1][1] = 1;
        sprite.Anim[1][1][2] = 2;
        sprite.Anim[2][1][2] = 3;
        sprite.Anim[6][4][4] = name.startsWith(u'h') ? 3 : 2;
        sprite.write(app.objectFile(name));
        writeWithPictures(app, name, 48, 24, qRgb(200, 0, 0));
    }

    objects::BarObjectFile lives;
    lives.Width = 30;
    lives.Height = 8;
    lives.Direction = objects::BarObjectFile::vertical();
    lives.write(app.objectFile(u"lives.obl"_s));
    objects::writeObjectBmp(app, u"lives.obl"_s, picture(30, 8, qRgb(255, 0, 0)));

    objects::TextObjectFile title;
    title.FontFace = 2;
    title.FontSize = 1;
    title.Bold = 1;
    title.Colour = 0x0000FF;
    title.lines = {u"Уровень 1"_s, u"жизни = 3"_s};
    title.write(app.objectFile(u"title.obt"_s));

    objects::TextObjectFile blank;
    blank.write(app.objectFile(u"blank.obt"_s));
}

SampleProjectFolder::SampleProjectFolder()
{
    writeSampleLibrary(tmp.app());
    dir = tmp.makeDir(u"game"_s);
    file = dir + u"/project.prg"_s;
    extras = dir + u"/project.kestrava.json"_s;
}

model::Project SampleProjectFolder::savedWith(const QStringList& objects) const
{
    model::Project project;
    persist::save_project(project, file);
    for (const QString& name : objects)
        importInto(project, tmp.app(), 1, name);
    persist::save(project, file);
    return project;
}

void importInto(model::Project& project, const io::AppFolder& app, int level, const QString& name)
{
    project.CurLevel = level;
    persist::Load_object(project, app, name);
}

QString folderSnapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        QString hash;
        if (f.open(QIODevice::ReadOnly))
            hash = QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
        entries.append(path.mid(folder.size()) + u' ' + hash);
    }
    entries.sort();
    return entries.join(u'\n');
}

} // namespace kestrava::test
