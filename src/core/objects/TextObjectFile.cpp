#include "objects/TextObjectFile.h"

#include "io/TextFile.h"
#include "model/Capacities.h"
#include "model/ObjectKind.h"
#include "objects/ReadChecks.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

QString TextObjectFile::keyword() { return model::describe(model::ObjectKind::Text).keyword; }

TextObjectFile TextObjectFile::read(const QString& path)
{
    return readObjectFileOfKind<TextObjectFile>(path, u"файл текстового объекта"_s);
}

TextObjectFile TextObjectFile::readBody(io::LineReader& reader)
{
    TextObjectFile f;
    readTextStyle(reader, f);
    const int n = readBounded(reader, model::kMaxTextLines, u"число строк текста"_s);
    for (int i = 0; i < n; ++i)
        f.lines.append(reader.text());
    return f;
}

void TextObjectFile::writeTo(io::LineWriter& w) const
{
    checkBounded(w.path(), int(lines.size()), model::kMaxTextLines, u"число строк текста"_s);
    w.text(keyword());
    writeTextStyle(w, *this);
    w.integer(int(lines.size()));
    for (const QString& line : lines)
        w.text(line);
}

void TextObjectFile::write(const QString& path) const
{
    writeObjectFile(*this, path);
}

} // namespace kestrava::objects
