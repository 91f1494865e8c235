#include "objects/FontRecord.h"

#include "io/ColourNames.h"
#include "io/IniFile.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

QStringList textLines(const QString& boxText)
{
    if (boxText.isEmpty())
        return {};
    QString text = boxText;
    text.replace(u"\r\n"_s, u"\n"_s);
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TextObjectFile textObject(const FontRecord& font, const QString& boxText)
{
    TextObjectFile file;
    copyTextStyle(file, font);
    file.lines = textLines(boxText);
    return file;
}

void saveTextObject(const QString& path, const FontRecord& font, const QString& boxText)
{
    textObject(font, boxText).write(path);
}

void writeFontKeys(io::IniFile& file, const FontRecord& font)
{
    const QString section = u"Font"_s;
    file.setValue(section, u"Type"_s, QString::number(font.FontFace));
    file.setValue(section, u"Size"_s, QString::number(font.FontSize));
    file.setValue(section, u"Bold"_s, QString::number(font.Bold));
    file.setValue(section, u"Italic"_s, QString::number(font.Italic));
    file.setValue(section, u"Underline"_s, QString::number(font.Underline));
    file.setValue(section, u"Color"_s, io::colourText(font.Colour));
}

void WriteFontToINI(const QString& path, const FontRecord& font)
{
    io::IniFile file = io::IniFile::read(path);
    writeFontKeys(file, font);
    file.write(path);
}

} // namespace kestrava::objects
