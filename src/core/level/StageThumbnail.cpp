#include "level/StageThumbnail.h"

#include "io/AppFolder.h"
#include "io/Png.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

QString stageThumbnailPath(const io::AppFolder& app, int level)
{
    return app.objectFile(u"etap%1.bmp"_s.arg(level));
}

QImage storeStageThumbnail(const io::AppFolder& app, int level, const QImage& map)
{
    const QString path = stageThumbnailPath(app, level);
    io::writeBmp(map, path);
    return io::readBmp(path);
}

} // namespace kestrava::level
