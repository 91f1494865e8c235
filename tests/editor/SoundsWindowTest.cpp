#include "ErrorCapture.h"
#include "FakeDialogs.h"
#include "MenuItem.h"

#include "document/ProjectDocument.h"
#include "editor/events/EventSheetPane.h"
#include "editor/events/SheetImage.h"
#include "editor/events/SheetDialogs.h"
#include "editor/events/SoundDialogs.h"
#include "editor/workspace/SoundsWindow.h"
#include "events/SheetView.h"
#include "io/TextFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// A mono 8-bit WAV of 100 ms at 8 kHz.
QByteArray wave()
{
    QByteArray b = "RIFF";
    const auto le = [&b](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.append(char(v >> (8 * i) & 0xFF));
    };
    le(36 + 800, 4);
    b += "WAVEfmt ";
    for (const auto& [v, n] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {8000u, 4}, {8000u, 4}, {1u, 2}, {8u, 2}})
        le(v, n);
    b += "data";
    le(800, 4);
    return b + QByteArray(800, char(0x80));
}

class ProjectSoundsWindow : public ::testing::Test {
protected:
    ProjectSoundsWindow() : doc(tmp.app())
    {
        test::writeSampleLibrary(tmp.app());
        doc.create(tmp.makeDir(u"лес"_s) + u"/project.prg"_s);
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = tmp.makeDir(u"звуки"_s) + u'/' + name;
        io::writeFileAtomically(path, bytes);
        return path;
    }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
};

} // namespace

TEST_F(ProjectSoundsWindow, TheWindowAddsAWaveAsOneStepAndRefusesAMalformedOneByName)
{
    test::ErrorCapture errors;
    auto log = std::make_shared<test::FakeDialogs::Log>();
    test::FakeDialogs dialogs(log);
    editor::SoundsWindow window(doc, dialogs);
    const int steps = doc.undoStack().count();

    log->answers << file(u"прыжок.wav"_s, wave());
    window.bAddFile->click();
    ASSERT_EQ(doc.project().Sounds.size(), 1u);
    EXPECT_EQ(doc.project().Sounds[0].Kind, model::SoundKind::Wave);
    EXPECT_EQ(window.table->rowCount(), 1);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();

    // A file that is no WAV: named in the message, nothing added, no step.
    log->answers << file(u"шум.wav"_s, "RIFF\x04\0\0\0WAVEjunk");
    window.bAddFile->click();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(u"шум.wav"_s)) << errors.messages[0].toStdString();
    EXPECT_EQ(doc.project().Sounds.size(), 1u);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);

    doc.undoStack().undo();
    EXPECT_TRUE(doc.project().Sounds.empty());
    EXPECT_EQ(window.table->rowCount(), 0);
}

// The sheet's dialogs as the editor has them, but for the condition chooser, which gives "Всегда".
class RealParameterDialogs : public editor::SheetDialogs {
public:
    explicit RealParameterDialogs(document::ProjectDocument& doc)
        : m_real(editor::makeSheetDialogs(doc, [](int) { return QImage(); }))
    {
    }
    std::optional<events::Condition> chooseCondition(QWidget*, const QString&) override
    {
        return events::Condition{u"Всегда"_s, u"(obtime>=0)"_s, {}, 0};
    }
    std::optional<QString> askTitle(QWidget*) override { return std::nullopt; }
    bool askParameters(QWidget* parent, const catalogue::Item& item, catalogue::Values& values, bool filled) override
    {
        return m_real->askParameters(parent, item, values, filled);
    }

private:
    std::unique_ptr<editor::SheetDialogs> m_real;
};

TEST_F(ProjectSoundsWindow, PlayChosenInARowThroughItsDialogRecordsTheSound)
{
    doc.setSounds({{1, u"прыжок"_s, model::SoundKind::Melody, {}, u"C5 8"_s, 120},
                   {2, u"гимн"_s, model::SoundKind::Melody, {}, u"E5 4, G5 4"_s, 120}},
                  u"звуки"_s);
    editor::EventSheetPane pane(doc);
    pane.setDialogs(std::make_unique<RealParameterDialogs>(doc));
    pane.setDoubleClickWait(0);
    QStringList choose{u"новая строка"_s};
    pane.setMenuRunner([&](QMenu* menu, const QPoint&) { return test::menuItem(menu, choose); });
    pane.resize(1000, 600);
    pane.show();
    pane.start();
    pane.start1();
    pane.bAllEvents->click();
    ASSERT_EQ(doc.project().current().EventCurRow, 1);

    // The dialog offers the project's sounds; answered "sound 2, repeating", the cell plays it so.
    const auto pressSoundCell = [&](std::function<void(editor::SoundChoiceDialog&)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<editor::SoundChoiceDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer(*dialog);
        });
        choose = {u"звук"_s, u"играть…"_s};
        QTest::mousePress(pane.Image1, Qt::LeftButton, {}, QPoint(events::columnLeft(2) + 10, events::rowTop(1) + 10));
    };
    int offered = 0;
    pressSoundCell([&](editor::SoundChoiceDialog& d) {
        offered = d.cbSound->count();
        d.reject();
    });
    EXPECT_EQ(offered, 2);
    EXPECT_TRUE(doc.project().current().EventRow[1].ActionText[2].isEmpty());
    pressSoundCell([](editor::SoundChoiceDialog& d) {
        d.choose(2);
        d.cbRepeat->setChecked(true);
        d.accept();
    });
    EXPECT_EQ(doc.project().current().EventRow[1].ActionCode[2], u"{Sounds.play(2,1);}"_s);
}

TEST(ToneDialog, AWrongNoteIsShownAsAnErrorAndKeepsTheDialogOpen)
{
    test::ErrorCapture errors;
    editor::ToneDialog dialog;
    dialog.show();
    auto* bYes = dialog.findChild<QPushButton*>(u"bYes"_s);
    ASSERT_NE(bYes, nullptr);
    const auto yes = [bYes] { bYes->click(); };
    dialog.edNote->setText(u"H9"_s);
    yes();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].startsWith(u"«H9» — не нота"_s)) << errors.messages[0].toStdString();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());
    dialog.edNote->setText(u"C5"_s);
    yes();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Pitch, 72);
    EXPECT_EQ(errors.messages.size(), 1);
}
