#include "editor/level/TFrLevelEditor.h"

#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/level/TfmMovementType.h"
#include "editor/level/TfmType_fon.h"
#include "editor/level/TfmsbPlan.h"
#include "editor/workspace/ErrorBox.h"
#include "level/LevelEditor.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kestrava::editor {

TFrLevelEditor::TFrLevelEditor(model::Project& project, const io::AppFolder& app, QWidget* parent)
    : QWidget(parent), m_editor(std::make_unique<level::LevelEditor>(project, app))
{
    setObjectName(QStringLiteral("FrLevelEditor1"));
    m_runMenu = [](QMenu* menu, const QPoint& at) { return menu->exec(at); };

    pnObjectsList = new ObjectListPanel;
    m_listScroll = new QScrollArea;
    m_listScroll->setWidget(pnObjectsList);
    m_listScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listScroll->setFixedWidth(ObjectListPanel::kWidth + 20);

    ImPositionObjects = new PositionImage(m_editor->map());
    frPos_Obj1 = new QScrollArea;
    frPos_Obj1->setObjectName(QStringLiteral("frPos_Obj1"));
    frPos_Obj1->setWidget(ImPositionObjects);
    frPos_Obj1->resize(921, 665);

    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance(QStringLiteral("-00000x-00000")));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusLabel"));

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_listScroll);
    panes->addWidget(frPos_Obj1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addSpacing(20);
    bottom->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(bottom);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N2 = PopupMenu2->addAction(QStringLiteral("свойства"));
    N3 = PopupMenu2->addSeparator();
    N4 = PopupMenu2->addAction(QStringLiteral("удалить"));
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    N5 = PopupMenu3->addAction(QStringLiteral("свойства"));
    N6 = PopupMenu3->addSeparator();
    N7 = PopupMenu3->addAction(QStringLiteral("удалить"));
    connect(N2, &QAction::triggered, this, &TFrLevelEditor::N2Click);
    connect(N4, &QAction::triggered, this, &TFrLevelEditor::N4Click);
    connect(N5, &QAction::triggered, this, &TFrLevelEditor::N5Click);
    connect(N7, &QAction::triggered, this, &TFrLevelEditor::N7Click);

    connect(pnObjectsList, &ObjectListPanel::pointerMoved, this, &TFrLevelEditor::pnObjectsListMouseMove);
    connect(pnObjectsList, &ObjectListPanel::buttonReleased, this, &TFrLevelEditor::pnObjectsListMouseUp);
    connect(ImPositionObjects, &PositionImage::pointerMoved, this, &TFrLevelEditor::ImPositionObjectsMouseMove);
    connect(ImPositionObjects, &PositionImage::buttonPressed, this, &TFrLevelEditor::ImPositionObjectsMouseDown);
    connect(ImPositionObjects, &PositionImage::buttonReleased, this, &TFrLevelEditor::ImPositionObjectsMouseUp);
}

TFrLevelEditor::~TFrLevelEditor() = default;

void TFrLevelEditor::setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner)
{
    m_runMenu = std::move(runner);
}

void TFrLevelEditor::clear()
{
    m_editor->clear();
    showIcons();
    showState();
}

void TFrLevelEditor::start()
{
    m_editor->start();
    showIcons();
    showState();
}

void TFrLevelEditor::start1()
{
    m_editor->start1();
    showIcons();
    showState();
}

void TFrLevelEditor::pereris()
{
    m_editor->pereris();
    showState();
}

QImage TFrLevelEditor::levelPicture() const
{
    return m_editor->map();
}

void TFrLevelEditor::showIcons()
{
    pnObjectsList->setIcons(m_editor->icons());
}

void TFrLevelEditor::showState()
{
    ImPositionObjects->update();
    Label1->setText(m_editor->pointerText());
    m_status->setText(m_editor->statusText());
    m_pendingMessages << m_editor->takeMessages();
    // A message box must not cut into a drag: it waits for the button to come up.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    const QStringList messages = std::exchange(m_pendingMessages, {});
    for (const QString& message : messages)
        showError(this, message);
}

void TFrLevelEditor::pnObjectsListMouseMove(QPoint pos)
{
    m_editor->pnObjectsListMouseMove(pos.x(), pos.y());
}

void TFrLevelEditor::pnObjectsListMouseUp(QPoint)
{
    m_editor->pnObjectsListMouseUp();
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseMove(QPoint pos)
{
    m_editor->ImPositionObjectsMouseMove(pos.x(), pos.y());
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseDown(QPoint pos, Qt::MouseButton)
{
    m_editor->ImPositionObjectsMouseDown(pos.x(), pos.y());
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseUp(QPoint pos, Qt::MouseButton button, bool click)
{
    if (click)
        m_editor->ImPositionObjectsClick();
    m_editor->ImPositionObjectsMouseUp();
    showState();
    if (button == Qt::RightButton)
        frPos_Obj1ImPositionObjectsContextPopup(pos);
}

void TFrLevelEditor::frPos_Obj1ImPositionObjectsContextPopup(QPoint pos)
{
    QMenu* menu = nullptr;
    switch (m_editor->frPos_Obj1ImPositionObjectsContextPopup(pos.x(), pos.y())) {
    case level::ContextMenu::PopupMenu2:
        menu = PopupMenu2;
        break;
    case level::ContextMenu::PopupMenu3:
        menu = PopupMenu3;
        break;
    case level::ContextMenu::None:
        return;
    }
    m_runMenu(menu, ImPositionObjects->mapToGlobal(pos));
}

void TFrLevelEditor::N2Click()
{
    m_editor->N2Click([this](int object) {
        TfmType_fon dialog(*m_editor, object, this);
        dialog.exec();
    });
    pereris();
}

void TFrLevelEditor::N4Click()
{
    m_editor->N4Click();
    pereris();
}

void TFrLevelEditor::N5Click()
{
    m_editor->N5Click([this](int) {
        TfmMovementType dialog(*m_editor, [this] { openPathDialog(); }, this);
        dialog.exec();
    });
    pereris();
}

void TFrLevelEditor::N7Click()
{
    m_editor->N7Click();
    pereris();
}

void TFrLevelEditor::openPathDialog()
{
    // Modeless and new each time; it works on CurObject.
    auto* dialog = new TfmsbPlan(*m_editor, [this] { showState(); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace kestrava::editor
