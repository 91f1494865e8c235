#include "ErrorCapture.h"
#include "FakeColour.h"
#include "FakeDialogs.h"

#include "editor/objects/FontDialogWindow.h"
#include "editor/interface/InterfaceWidgets.h"
#include "editor/interface/InterfaceEditorWindow.h"
#include "editor/interface/InterfaceBarDialog.h"
#include "editor/interface/PreviewSizeDialog.h"
#include "editor/interface/InterfaceTimerDialog.h"
#include "editor/interface/InterfaceWeaponDialog.h"
#include "editor/workspace/MainWindow.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "interface/InterfaceEditor.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using interface::Indicator;

namespace {

struct InterfaceWindow {
    InterfaceWindow()
    {
        window.setColourDialog(std::make_unique<test::FakeColour>(QColor(255, 128, 0)));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPoint position(const interface::BarRecord& bar) const { return {bar.X, bar.Y}; }
    const interface::InterfaceRecords& records() { return window.editor().records(); }

    test::TempAppFolder tmp;
    std::shared_ptr<test::FakeDialogs::Log> log = std::make_shared<test::FakeDialogs::Log>();
    test::FakeDialogs dialogs{log};
    test::ErrorCapture errors;
    editor::FontDialogWindow font{tmp.app(), dialogs};
    editor::InterfaceEditorWindow window{tmp.app(), dialogs, font};
};

// Every box, list and picture an author works with is named for a screen reader, and every button says what it does.
void expectNamed(const QWidget& window)
{
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            EXPECT_FALSE(button->text().isEmpty()) << w->objectName().toStdString();
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<editor::ScreenView*>(w))
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

} // namespace

TEST(InterfaceEditorWindow, DraggedWithTheMouseSetUpInItsDialogsAndSaved)
{
    InterfaceWindow f;
    editor::InterfaceEditorWindow& w = f.window;
    expectNamed(w);
    EXPECT_EQ(w.windowTitle(), u"Редактор интерфейса"_s);
    EXPECT_EQ(w.cbobject->currentText(), QString());
    EXPECT_EQ(w.cbobject->placeholderText(), u"<Не выбран>"_s);
    EXPECT_EQ(w.iscreen->size(), QSize(176, 208));

    w.bProperties->click();
    EXPECT_EQ(f.errors.messages, QStringList{u"Объект не выбран!"_s});

    // A drag of the lives bar, undone and done again from the buttons.
    QTest::mousePress(w.iscreen, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseMove(w.iscreen, QPoint(22, 14));
    QTest::mouseMove(w.iscreen, QPoint(32, 14));
    QTest::mouseRelease(w.iscreen, Qt::LeftButton, {}, QPoint(32, 14));
    EXPECT_EQ(f.position(f.records().Lifebar), QPoint(30, 12));
    w.bUndo->click();
    EXPECT_EQ(f.position(f.records().Lifebar), QPoint(10, 10));
    EXPECT_FALSE(w.bUndo->isEnabled());
    w.bRedo->click();
    EXPECT_EQ(f.position(f.records().Lifebar), QPoint(30, 12));

    // The bar pressed last opens its dialog; a wrong box keeps it open and changes nothing.
    w.bProperties->click();
    ASSERT_TRUE(w.frmBarSetup->isVisible());
    EXPECT_EQ(w.frmBarSetup->windowTitle(), u"Лайфбар"_s);
    expectNamed(*w.frmBarSetup);
    EXPECT_EQ(w.frmBarSetup->edX->text(), u"30"_s);
    w.frmBarSetup->edWidth->setText(u"шесть"_s);
    w.frmBarSetup->bOK->click();
    EXPECT_TRUE(w.frmBarSetup->isVisible());
    EXPECT_TRUE(f.errors.messages.last().startsWith(u"Длина"_s));
    EXPECT_EQ(f.records().Lifebar.Width, 60);
    w.frmBarSetup->edWidth->setText(u"40"_s);
    w.frmBarSetup->pnFg->click();
    w.frmBarSetup->bOK->click();
    EXPECT_FALSE(w.frmBarSetup->isVisible());
    EXPECT_EQ(f.records().Lifebar.Width, 40);
    EXPECT_EQ(f.records().Lifebar.Fg, 0x0080FF);
    EXPECT_EQ(f.records().Ammobar.Width, 60);

    // The timer, chosen in the list, follows the pointer and opens its own dialog with the font.
    w.cbobject->setCurrentIndex(2);
    QTest::mouseMove(w.iscreen, QPoint(60, 100));
    EXPECT_EQ(f.records().Timer.X, 60);
    w.bProperties->click();
    ASSERT_TRUE(w.frmTimer->isVisible());
    EXPECT_EQ(w.frmTimer->edY->text(), u"100"_s);
    EXPECT_EQ(f.font.GetFont().Colour, interface::kLime);
    w.frmTimer->bFont->click();
    EXPECT_TRUE(f.font.isVisible());
    f.font.cbBold->setChecked(true);
    w.frmTimer->bOK->click();
    EXPECT_FALSE(f.font.isVisible());
    EXPECT_EQ(f.records().Timer.Font.Bold, 1);

    // The weapon: its picture, and a frame width the picture cannot be divided by.
    const QString strip = f.tmp.root() + u"/sword.png"_s;
    QImage picture(110, 15, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    io::writePng(picture, strip);
    w.cbobject->setCurrentIndex(3);
    w.bProperties->click();
    ASSERT_TRUE(w.frmWeapon->isVisible());
    expectNamed(*w.frmWeapon);
    EXPECT_FALSE(w.frmWeapon->bAutoColour->isEnabled());
    f.log->answers << strip;
    w.frmWeapon->bLoad->click();
    EXPECT_EQ(f.log->filters.last(), u"PortableNetworkGraphics (*.png)"_s);
    w.frmWeapon->edFrameWidth->setText(u"0"_s);
    w.frmWeapon->bOK->click();
    EXPECT_TRUE(w.frmWeapon->isVisible());
    EXPECT_TRUE(f.errors.messages.last().startsWith(u"Ширина кадра"_s));
    w.frmWeapon->edFrameWidth->setText(u"25"_s);
    w.frmWeapon->bOK->click();
    EXPECT_FALSE(w.frmWeapon->isVisible());
    EXPECT_EQ(f.records().Weapon.FrameCount, 4);

    // "Сохранить": cancelled writes nothing; answered, the file and the picture beside it.
    const QString dir = f.tmp.makeDir(u"game"_s);
    w.setProjectFolder(dir);
    w.bSave->click();
    EXPECT_EQ(f.log->startDirs.last(), dir + u"/interface.ini"_s) << "a name offered where the game looks";
    EXPECT_EQ(f.log->filters.last(), u"Параметры конфигурации (*.ini)"_s);
    EXPECT_TRUE(QDir(dir).isEmpty());
    f.log->answers << dir + u"/game.ini"_s;
    w.bSave->click();
    const QString saved = QString::fromLatin1(io::readWholeFile(dir + u"/game.ini"_s));
    for (const QString& line : {u"Width=40"_s, u"Fg=$000080FF"_s, u"Pos.x=60"_s, u"Bold=1"_s, u"Frame.count=4"_s})
        EXPECT_TRUE(saved.contains(line + u"\r\n"_s)) << line.toStdString();
    EXPECT_TRUE(QFile::exists(dir + u"/Weapon.png"_s));

    // The screen's size: shown in its dialog, refused out of range, taken by the preview.
    w.bScreenSize->click();
    EXPECT_EQ(w.frmScrSz->edWidth->text(), u"176"_s);
    w.frmScrSz->edHeight->setText(u"0"_s);
    w.frmScrSz->bSet->click();
    EXPECT_TRUE(w.frmScrSz->isVisible());
    w.frmScrSz->edWidth->setText(u"128"_s);
    w.frmScrSz->edHeight->setText(u"176"_s);
    w.frmScrSz->bSet->click();
    EXPECT_EQ(w.iscreen->size(), QSize(128, 176));

    // "Выход" closes the editor with its dialogs.
    w.bScreenSize->click();
    w.bExit->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.frmScrSz->isVisible());
}

TEST(InterfaceEditorWindow, OpenedFromTheFileMenuItShowsTheProjectsFileAndNeverOverwritesWhatItCouldNotRead)
{
    test::TempAppFolder tmp;
    test::ErrorCapture errors;
    auto log = std::make_shared<test::FakeDialogs::Log>();
    editor::MainWindow main(tmp.app());
    // Dialogs given after the editor was made are the ones it asks.
    main.setDialogs(std::make_unique<test::FakeDialogs>(log));
    main.show();
    QAction* item = main.findChild<QAction*>(u"N_InterfaceEditor"_s);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    const QString dir = tmp.makeDir(u"game"_s);
    const QString other = tmp.makeDir(u"other"_s);
    for (const QString& folder : {dir, other})
        main.document().create(folder + u"/project.prg"_s);
    main.openProjectFile(dir + u"/project.prg"_s);
    ASSERT_TRUE(item->isEnabled());

    item->trigger();
    editor::InterfaceEditorWindow* form = main.Form29();
    ASSERT_TRUE(form->isVisible());
    form->editor().choose(Indicator::Weapon);
    form->editor().moved({20, 30});
    form->editor().released();
    const QString ini = dir + u"/interface.ini"_s;
    log->answers << ini;
    form->bSave->click();
    EXPECT_EQ(log->startDirs.last(), ini);
    const QByteArray written = io::readWholeFile(ini);
    form->bExit->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main.isVisible());

    // Another project without a file does not get this layout.
    main.openProjectFile(other + u"/project.prg"_s);
    item->trigger();
    EXPECT_EQ(form->editor().records().Weapon, interface::WeaponRecord{});
    form->bExit->click();

    // Reopened, the project shows its file; "Сохранить" offers it and writes it unchanged.
    main.openProjectFile(dir + u"/project.prg"_s);
    item->trigger();
    EXPECT_EQ(form->editor().records().Weapon.X, 20);
    EXPECT_EQ(form->editor().records().Weapon.Y, 30);
    log->answers << ini;
    form->bSave->click();
    EXPECT_EQ(log->startDirs.last(), ini);
    EXPECT_EQ(io::readWholeFile(ini), written);
    // Unsaved work for the same project stays when the editor is opened again.
    form->editor().choose(Indicator::Timer);
    form->editor().moved({7, 8});
    form->editor().released();
    form->bExit->click();
    item->trigger();
    EXPECT_EQ(form->editor().records().Timer.X, 7);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();

    // A file it cannot read is named, and not written over.
    form->bExit->click();
    const QByteArray damaged = "[Lifebar]\r\nWidth=abc\r\n";
    io::writeFileAtomically(other + u"/layout.ini"_s, damaged);
    main.openProjectFile(other + u"/project.prg"_s);
    item->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.takeFirst().contains(u"layout.ini"_s));
    log->answers << other + u"/layout.ini"_s;
    form->bSave->click();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.takeFirst().contains(u"не перезапишет"_s));
    EXPECT_EQ(io::readWholeFile(other + u"/layout.ini"_s), damaged);
}
