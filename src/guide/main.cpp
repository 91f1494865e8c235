// Writes the parts of the user guide that the program itself makes: the
// condition and action catalogue pages and the screenshots of the tutorial
// "Первая игра", taken from the real windows (run with QT_QPA_PLATFORM=offscreen).
//
//   kestrava_guide OUT_DIR APP_DIR
//
// APP_DIR is the built program's folder (icons, game templates, object library).
#include "editor/common/NewProjectDialog.h"
#include "editor/common/StandardDialogs.h"
#include "editor/events/EventSheetPane.h"
#include "editor/events/ConditionChooserDialog.h"
#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/level/LevelMapPane.h"
#include "editor/level/MovementTypeDialog.h"
#include "editor/workspace/MainWindow.h"
#include "catalogue/GuidePages.h"
#include "catalogue/Item.h"
#include "events/SheetCommand.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "level/LevelCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the main window's dialogs as the tutorial's author does.
class TutorialDialogs : public editor::StandardDialogs {
public:
    QStringList files;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override
    {
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    editor::SaveChangesAnswer askSaveChanges(QWidget*, const QString&) override
    {
        return editor::SaveChangesAnswer::Discard;
    }
    std::optional<editor::NewProjectAnswer> askNewProject(QWidget*, const QString& folder) override
    {
        return editor::NewProjectAnswer{folder, u"Первая игра"_s};
    }
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void shoot(QWidget* window, const QString& file)
{
    settle();
    if (!window->grab().save(file))
        throw io::Error(u"снимок не записан: "_s + file);
}

void click(QWidget* w, QPoint at)
{
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
}

events::Condition condition(int icon, const QString& path, catalogue::Values values = {})
{
    if (icon >= catalogue::kFirstObjectIcon)
        values[u"N"_s] = QString::number(icon - catalogue::kFirstObjectIcon + 1);
    return catalogue::buildCondition(icon, path, values);
}

events::Action action(int column, const QString& path, const QString& value = QString(), int target = 0)
{
    return catalogue::buildAction(column, path, value, target);
}

// The steps of "Первая игра", each shot as the author sees it.
void tutorialShots(const QString& appDir, const QString& out)
{
    QTemporaryDir home;
    if (!home.isValid())
        throw io::Error(u"не удаётся создать временную папку"_s);
    const io::AppFolder app(home.path(), appDir);
    app.ensureFolders();
    for (const QString& name : QDir(appDir + u"/objects"_s).entryList(QDir::Files))
        QFile::copy(appDir + u"/objects/"_s + name, app.objectFile(name));
    io::makeFolder(out);

    editor::MainWindow window(app);
    auto dialogs = std::make_unique<TutorialDialogs>();
    TutorialDialogs& answers = *dialogs;
    window.setDialogs(std::move(dialogs));
    window.setWindowState(Qt::WindowNoState);
    window.resize(1000, 640);
    window.show();
    shoot(&window, out + u"/start.png"_s);

    {
        editor::NewProjectDialog dialog(app.project(), &window);
        dialog.edName->setText(u"Первая игра"_s);
        dialog.show();
        shoot(&dialog, out + u"/new-project.png"_s);
    }
    window.N_NewClick();
    shoot(&window, out + u"/scenario.png"_s);

    answers.files = {app.objectFile(u"forest.obf"_s), app.objectFile(u"hero.oba"_s), app.objectFile(u"ghost.oba"_s)};
    window.N_LevelEditorClick();
    for (int i = 0; i < 3; ++i)
        window.N_LoadObjectClick();
    editor::LevelMapPane* level = window.FrLevelEditor1();
    auto* list = level->findChild<editor::ObjectListPanel*>(u"pnObjectsList"_s);
    auto* map = level->findChild<editor::PositionImage*>(u"ImPositionObjects"_s);
    if (!list || !map)
        throw io::Error(u"нет списка объектов или карты уровня"_s);
    settle();
    // Each icon of the list, then its place on the map.
    const QPoint places[] = {{5, 5}, {40, 90}, {200, 60}};
    for (int slot = 1; slot <= 3; ++slot) {
        click(list, QPoint(20, 50 * (slot - 1) + 20));
        click(map, places[slot - 1]);
    }
    // Esc: the last icon stays picked after its click, over the ghost.
    if (QAction* drop = level->findChild<QAction*>(u"DropPicked"_s))
        drop->trigger();
    shoot(&window, out + u"/level.png"_s);
    if (window.project().current().ActiveObjCount != 2 || window.project().current().FonObjCount != 1)
        throw io::Error(u"объекты не расставлены на карте"_s);

    {
        editor::MovementTypeDialog movement(model::MovementType::Static, [] {}, &window);
        movement.show();
        shoot(&movement, out + u"/movement.png"_s);
    }
    {
        // The platformer of the example "ledges".
        editor::MovementTypeDialog platform(model::MovementType::Platform, [] {}, &window, {300, 50, 75, 60, 800, 850});
        platform.show();
        shoot(&platform, out + u"/platform.png"_s);
    }
    window.document().push(new level::SetMovementTypeCommand(window.document(), 1, 1, model::MovementType::EightWay,
                                                             u"8 направлений"_s, model::MotionData{}));

    window.N_EventsEditorClick();
    events::SheetCommand::run(window.document(), u"Первая игра"_s, [](model::StageData& s) {
        const catalogue::Values sight{
            {u"B"_s, u"1"_s}, {u"MAX"_s, u"40"_s}, {u"A"_s, u"обнаружение от 0 до 40"_s}};
        events::newRow(s, condition(3, u"Начало уровня"_s));
        events::placeAction(s, {s.EventCurRow, 6}, action(6, u"число жизней/установить"_s, u"3"_s));
        events::newRow(s, condition(9, u"обнаружение объекта"_s, sight));
        events::placeAction(s, {s.EventCurRow, 9}, action(9, u"режим/атака"_s, QString(), 1));
    });
    shoot(&window, out + u"/events.png"_s);
    {
        editor::ConditionChooserDialog chooser(window.document(), [](int) { return QImage(); }, QString(), &window);
        chooser.show();
        shoot(&chooser, out + u"/condition.png"_s);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrava_guide OUT_DIR APP_DIR\n");
        return 2;
    }
    QApplication application(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString appDir = QString::fromLocal8Bit(argv[2]);
    try {
        io::makeFolder(out);
        io::writeFileAtomically(out + u"/conditions.md"_s, catalogue::conditionCataloguePage().toUtf8());
        io::writeFileAtomically(out + u"/actions.md"_s, catalogue::actionCataloguePage().toUtf8());
        tutorialShots(appDir, out + u"/shots"_s);
    } catch (const io::Error& e) {
        std::fprintf(stderr, "kestrava_guide: %s\n", e.what());
        return 1;
    }
    return 0;
}
