#include "editor/objects/KindEditors.h"

#include "editor/objects/ActiveObjectEditorWindow.h"
#include "editor/objects/BackgroundEditorWindow.h"
#include "editor/objects/FontDialogWindow.h"
#include "editor/objects/LivesBarEditorWindow.h"

namespace kestrava::editor {

namespace {

template <class Window>
void runWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent, const QStringList&)
{
    Window editor(app, dialogs, parent);
    editor.exec();
}

} // namespace

KindEditor kindEditor(model::ObjectKind kind)
{
    switch (kind) {
    case model::ObjectKind::Background:
        return {QStringLiteral("фоновый"), QStringLiteral("BtFon"), &runWindow<BackgroundEditorWindow>};
    case model::ObjectKind::Active:
        return {QStringLiteral("активный"), QStringLiteral("BtActive"), &runWindow<ActiveObjectEditorWindow>};
    case model::ObjectKind::LivesBar:
        return {QStringLiteral("индикатор"), QStringLiteral("BtLives"), &runWindow<LivesBarEditorWindow>};
    case model::ObjectKind::Text:
        return {QStringLiteral("текст"), QStringLiteral("BtText"),
                [](const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent, const QStringList& values) {
                    FontDialogWindow editor(app, dialogs, parent);
                    editor.setTextObjectEditor(true);
                    editor.setTextValues(values);
                    editor.exec();
                }};
    }
    return {};
}

} // namespace kestrava::editor
