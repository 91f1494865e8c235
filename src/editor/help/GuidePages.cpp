#include "editor/help/GuidePages.h"

#include <QHash>
#include <QMetaObject>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

QString guidePageOfClass(const QString& className)
{
    static const QHash<QString, QString> pages{
        {u"MainWindow"_s, u"main-window.md"_s},
        {u"NewProjectDialog"_s, u"main-window.md"_s},
        {u"ScenarioPane"_s, u"scenario.md"_s},
        {u"LevelMapPane"_s, u"level.md"_s},
        {u"PathDialog"_s, u"level.md"_s},
        {u"MovementTypeDialog"_s, u"level.md"_s},
        {u"ObstacleDialog"_s, u"level.md"_s},
        {u"EventSheetPane"_s, u"events.md"_s},
        {u"ValueChooser"_s, u"events.md"_s},
        {u"ValueDialog"_s, u"events.md"_s},
        {u"ValueKeypadDialog"_s, u"events.md"_s},
        {u"GroupNameDialog"_s, u"events.md"_s},
        {u"ConditionChooserDialog"_s, u"conditions.md"_s},
        {u"CompareTwoValuesDialog"_s, u"conditions.md"_s},
        {u"CompareValueDialog"_s, u"conditions.md"_s},
        {u"PhoneKeyDialog"_s, u"conditions.md"_s},
        {u"TimerConditionDialog"_s, u"conditions.md"_s},
        {u"DetectionDialog"_s, u"conditions.md"_s},
        {u"CollisionObjectDialog"_s, u"actions.md"_s},
        {u"TargetObjectDialog"_s, u"conditions.md"_s},
        {u"ObjectKindChooser"_s, u"objects.md"_s},
        {u"BackgroundEditorWindow"_s, u"objects.md"_s},
        {u"ActiveObjectEditorWindow"_s, u"objects.md"_s},
        {u"LivesBarEditorWindow"_s, u"objects.md"_s},
        {u"FontDialogWindow"_s, u"objects.md"_s},
        {u"InterfaceEditorWindow"_s, u"interface.md"_s},
        {u"InterfaceBarDialog"_s, u"interface.md"_s},
        {u"InterfaceTimerDialog"_s, u"interface.md"_s},
        {u"InterfaceWeaponDialog"_s, u"interface.md"_s},
        {u"PreviewSizeDialog"_s, u"interface.md"_s},
        {u"GamePropertiesDialog"_s, u"game-settings.md"_s},
        {u"ScreenSizeDialog"_s, u"game-settings.md"_s},
        {u"ConversionReport"_s, u"packaging.md"_s},
        {u"BuildProgressDialog"_s, u"packaging.md"_s},
        {u"AboutBox"_s, u"licence.md"_s},
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
        if (className == u"MainWindow"_s) {
            // The focus is on the menu bar, or still on a widget of a pane no longer
            // shown: the pane shown tells.
            static const QStringList panes{u"ScenarioPane"_s, u"LevelMapPane"_s, u"EventSheetPane"_s};
            for (const QWidget* pane : w->findChildren<QWidget*>())
                if (pane->isVisible() && panes.contains(classNameOf(pane)))
                    return guidePageOfClass(classNameOf(pane));
        }
        // A hidden window's widget keeps the focus after another took its place.
        if (!w->isVisible())
            continue;
        const QString page = guidePageOfClass(className);
        if (!page.isEmpty())
            return page;
    }
    return QString::fromLatin1(kGuideContents);
}

} // namespace kestrava::editor
