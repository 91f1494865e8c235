#include "editor/help/GuidePages.h"

#include <QHash>
#include <QMetaObject>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

QString guidePageOfClass(const QString& className)
{
    static const QHash<QString, QString> pages{
        {u"TMainform"_s, u"main-window.md"_s},
        {u"NewProjectDialog"_s, u"main-window.md"_s},
        {u"TFrScriptEditor"_s, u"scenario.md"_s},
        {u"TFrLevelEditor"_s, u"level.md"_s},
        {u"TfmsbPlan"_s, u"level.md"_s},
        {u"TfmMovementType"_s, u"level.md"_s},
        {u"TfmType_fon"_s, u"level.md"_s},
        {u"TFrEventsEditor"_s, u"events.md"_s},
        {u"TfmValue"_s, u"events.md"_s},
        {u"TfmEnter_value"_s, u"events.md"_s},
        {u"TfmEditValue"_s, u"events.md"_s},
        {u"Tfmnamegroup"_s, u"events.md"_s},
        {u"TfmNewEvent"_s, u"conditions.md"_s},
        {u"TfmCompare1"_s, u"conditions.md"_s},
        {u"TfmCompare_one"_s, u"conditions.md"_s},
        {u"TfmSelectKey1"_s, u"conditions.md"_s},
        {u"TfmTimerSetup"_s, u"conditions.md"_s},
        {u"TfmDetectionSetup"_s, u"conditions.md"_s},
        {u"TfmNumber_obj"_s, u"actions.md"_s},
        {u"TFmNumberObject"_s, u"conditions.md"_s},
        {u"TFmNewObject"_s, u"objects.md"_s},
        {u"TfmNewFon"_s, u"objects.md"_s},
        {u"TfmCreateActive"_s, u"objects.md"_s},
        {u"TfmLives"_s, u"objects.md"_s},
        {u"TfrmFont"_s, u"objects.md"_s},
        {u"TForm29"_s, u"interface.md"_s},
        {u"TfrmBarSetup"_s, u"interface.md"_s},
        {u"TfrmTimer"_s, u"interface.md"_s},
        {u"TfrmWeapon"_s, u"interface.md"_s},
        {u"TfrmScrSz"_s, u"interface.md"_s},
        {u"TfmFeature"_s, u"game-settings.md"_s},
        {u"TfmDisplay"_s, u"game-settings.md"_s},
        {u"TfmConvert"_s, u"packaging.md"_s},
        {u"TfmBuildGame"_s, u"packaging.md"_s},
        {u"TAbout"_s, u"licence.md"_s},
    };
    return pages.value(className);
}

namespace {

QString classNameOf(const QWidget* widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    return name.mid(name.lastIndexOf(u':') + 1);
}

} // namespace

QString guidePageFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString className = classNameOf(w);
        if (className == u"TMainform"_s) {
            // The menu bar or the status bar has the focus: the pane shown tells.
            for (const QWidget* pane : w->findChildren<QWidget*>())
                if (pane->isVisible()) {
                    const QString page = guidePageOfClass(classNameOf(pane));
                    if (!page.isEmpty() && classNameOf(pane).startsWith(u"TFr"_s))
                        return page;
                }
        }
        const QString page = guidePageOfClass(className);
        if (!page.isEmpty())
            return page;
    }
    return QString::fromLatin1(kGuideContents);
}

} // namespace kestrava::editor
