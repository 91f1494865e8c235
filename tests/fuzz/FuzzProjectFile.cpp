// The project file reader, fed whole files. A small object library in a
// temporary application folder lets the groups a file names be imported.
#include "io/AppFolder.h"
#include "io/Error.h"
#include "model/Project.h"
#include "objects/ActiveObjectFile.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/BarObjectFile.h"
#include "objects/TextObjectFile.h"
#include "persist/ProjectFile.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace kestrava;

namespace {

const io::AppFolder& library()
{
    static QTemporaryDir dir;
    static const io::AppFolder app = [] {
        io::AppFolder folder(dir.path());
        folder.ensureFolders();
        objects::BackgroundObjectFile forest;
        forest.PictureName = QStringLiteral("forest.png");
        forest.TileWidth = 16;
        forest.TileHeight = 16;
        forest.setMapSize(2, 2);
        forest.write(folder.objectFile(QStringLiteral("forest.obf")));
        objects::ActiveObjectFile hero;
        hero.PictureName = QStringLiteral("hero.png");
        hero.FrameCount = 1;
        hero.TileWidth = hero.TileHeight = 16;
        hero.write(folder.objectFile(QStringLiteral("hero.oba")));
        objects::BarObjectFile lives;
        lives.Width = 30;
        lives.Height = 8;
        lives.write(folder.objectFile(QStringLiteral("lives.obl")));
        objects::TextObjectFile title;
        title.lines = {QStringLiteral("Уровень")};
        title.write(folder.objectFile(QStringLiteral("title.obt")));
        return folder;
    }();
    return app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    model::Project fresh;
    fresh.ProjectDir = library().root() + QStringLiteral("/game");
    try {
        persist::readProject(fresh, library(), QStringLiteral("fuzz.prg"), bytes);
    } catch (const io::Error&) {
    }
    return 0;
}
