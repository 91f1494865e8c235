#include "packaging/Descriptor.h"

#include <QList>
#include <QPair>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

using Attributes = QList<QPair<QString, QString>>;

// A value on one line: line breaks would end the attribute.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text.trimmed();
}

Attributes suiteAttributes(const MidletSuite& suite)
{
    const QString name = oneLine(suite.name).isEmpty() ? u"Game"_s : oneLine(suite.name);
    // In MIDlet-1 the commas separate name, icon and class.
    QString shortName = name;
    shortName.replace(u',', u' ');
    const QString description = oneLine(suite.description).isEmpty() ? name : oneLine(suite.description);
    Attributes attributes = {
        {u"MIDlet-Name"_s, name},
        {u"MIDlet-Vendor"_s, oneLine(suite.vendor)},
        {u"MIDlet-Version"_s, oneLine(suite.version)},
        {u"MIDlet-Description"_s, description},
    };
    if (!suite.icon.isEmpty())
        attributes.append({u"MIDlet-Icon"_s, suite.icon});
    attributes += Attributes{
        {u"MIDlet-1"_s, shortName + u", "_s + suite.icon + u", "_s + suite.midletClass},
        {u"MicroEdition-Profile"_s, u"MIDP-2.0"_s},
        {u"MicroEdition-Configuration"_s, u"CLDC-1.1"_s},
        {QString::fromLatin1(kScreenWidthAttribute), QString::number(suite.screen.width)},
        {QString::fromLatin1(kScreenHeightAttribute), QString::number(suite.screen.height)},
    };
    if (suite.touchButtons)
        attributes.append({QString::fromLatin1(kTouchButtonsAttribute), u"1"_s});
    return attributes;
}

// "Name: value" cut into lines of at most 72 bytes, never inside a character.
QByteArray manifestLine(const QString& key, const QString& value)
{
    const QByteArray whole = (key + u": "_s + value).toUtf8();
    QByteArray out;
    qsizetype at = 0;
    qsizetype room = 72;
    while (at < whole.size()) {
        qsizetype end = std::min(whole.size(), at + room);
        while (end < whole.size() && (uchar(whole[end]) & 0xC0) == 0x80)
            --end;
        if (at > 0)
            out.append(' ');
        out.append(whole.mid(at, end - at));
        out.append("\r\n");
        at = end;
        room = 71;
    }
    return out;
}

} // namespace

MidletSuite suiteOf(const model::Project& project, const QString& name)
{
    MidletSuite suite;
    suite.name = name;
    suite.screen = project.GameScreen;
    suite.touchButtons = project.TouchButtons;
    const model::GameSuiteData& s = project.GameSuite;
    if (!s.Vendor.isEmpty())
        suite.vendor = s.Vendor;
    if (!s.Version.isEmpty())
        suite.version = s.Version;
    suite.description = s.Description;
    return suite;
}

QByteArray manifest(const MidletSuite& suite)
{
    QByteArray out = manifestLine(u"Manifest-Version"_s, u"1.0"_s);
    for (const auto& [key, value] : suiteAttributes(suite))
        out.append(manifestLine(key, value));
    out.append("\r\n");
    return out;
}

QByteArray descriptor(const MidletSuite& suite, const QString& jarFileName, qint64 jarSize)
{
    Attributes attributes = suiteAttributes(suite);
    attributes.append({u"MIDlet-Jar-URL"_s, QString::fromLatin1(QUrl::toPercentEncoding(jarFileName))});
    attributes.append({u"MIDlet-Jar-Size"_s, QString::number(jarSize)});
    QByteArray out;
    for (const auto& [key, value] : attributes)
        out.append((key + u": "_s + value).toUtf8()).append("\r\n");
    return out;
}

} // namespace kestrava::packaging
